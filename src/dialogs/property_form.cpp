#include "dialogs/property_form.h"

#include "design/designer.h"
#include "model/form_translation.h"

#include "host/button_controls.h"
#include "host/conversions.h"
#include "host/exceptions.h"
#include "host/font.h"
#include "host/interaction.h"
#include "host/list_controls.h"
#include "host/strings.h"
#include "host/text_controls.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QPixmap>
#include <QRegularExpressionValidator>

TPropertyForm::TPropertyForm(TVDMDesigner *Designer, TComponent *AOwner, const QString &Name, const QString &Caption)
    : QDialog(nullptr), TComponent(AOwner), FDesigner(Designer) {
    SetName(Name);
    setWindowTitle(Caption);
    auto *outer = new QVBoxLayout(this);
    FGrid = new QGridLayout;
    FGrid->setColumnStretch(1, 1);
    setMinimumWidth(360);
    outer->addLayout(FGrid);
}

TPropertyForm::~TPropertyForm() = default;

QString TPropertyForm::Message(const QString &Key) const {
    const TStrings *messages = FDesigner ? FDesigner->RuntimeMessages() : nullptr;
    if (messages)
        for (int i = 0; i < messages->Count(); ++i)
            if (messages->Names(i).compare(Key, Qt::CaseInsensitive) == 0) return messages->ValueFromIndex(i);
    return Key;
}

QStringList TPropertyForm::Messages(const QStringList &Keys) const {
    QStringList texts;
    for (const QString &key : Keys) texts << Message(key);
    return texts;
}

bool TPropertyForm::Run() {
    // A scripted or programmatic OK may bypass accept(): the checks run here as well, and a
    // failed one keeps the form open (it is shown again).
    for (;;) {
        if (Interaction().ExecDialog(*this) != QDialog::Accepted) return false;
        if (Validate()) return true;
    }
}

bool TPropertyForm::Validate() {
    for (const auto &check : FChecks) {
        try {
            check();
        } catch (const Exception &e) {
            Interaction().ShowError(QString::fromUtf8(e.what()), windowTitle());
            return false;
        }
    }
    return true;
}

void TPropertyForm::accept() {
    if (Validate()) QDialog::accept();
}

void TPropertyForm::AddRow(QWidget *Control, const QString &Label) {
    if (Label.isEmpty()) {
        FGrid->addWidget(Control, FRow++, 0, 1, 2);
        return;
    }
    auto *label = new TLabel(this);
    label->setText(Label);
    label->setBuddy(Control);
    FGrid->addWidget(label, FRow, 0);
    FGrid->addWidget(Control, FRow++, 1);
}

void TPropertyForm::ShowRow(QWidget *Control, bool Visible) {
    Control->setVisible(Visible);
    for (QLabel *label : findChildren<QLabel *>())
        if (label->buddy() == Control) label->setVisible(Visible);
}

TCheckBox *TPropertyForm::Check(const char *Name, const QString &Caption) {
    auto *box = Field<TCheckBox>(Name);
    box->setText(Caption);
    return box;
}

namespace {

QIcon Swatch(TColor color) {
    QPixmap pixmap(16, 16);
    pixmap.fill(ColorToQColor(color));
    return QIcon(pixmap);
}

}  // namespace

TButton *TPropertyForm::ColorButton(const char *Name, const QString &Caption, TColor *Held) {
    auto *button = Field<TButton>(Name);
    button->setText(Caption);
    button->setIcon(Swatch(*Held));
    connect(button, &QPushButton::clicked, this, [button, Held] {
        QColor color = ColorToQColor(*Held);
        if (!Interaction().SelectColor(color)) return;
        *Held = QColorToColor(color);
        button->setIcon(Swatch(*Held));
    });
    return button;
}

TButton *TPropertyForm::FontButton(const char *Name, const QString &Caption, TFont *Held) {
    auto *button = Field<TButton>(Name);
    button->setText(Caption);
    auto summary = [button, Held] { button->setToolTip(QStringLiteral("%1, %2 pt").arg(Held->Name()).arg(Held->Size())); };
    summary();
    connect(button, &QPushButton::clicked, this, [Held, summary] {
        QFont font = Held->ToQFont();
        QColor color = ColorToQColor(Held->Color());
        if (!Interaction().SelectFont(font, color)) return;
        Held->FromQFont(font);
        Held->SetColor(QColorToColor(color));
        summary();
    });
    return button;
}

TEdit *TPropertyForm::PenWidthEdit(const char *Name, const QString &Label, int Width) {
    auto *box = new QWidget(this);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto *edit = new TEdit(this);
    edit->SetName(QString::fromLatin1(Name));
    edit->setParent(box);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    edit->setText(QString::number(Width));
    auto *up = new TSpeedButton(this);
    up->SetName(QString::fromLatin1(Name) + QStringLiteral("Up"));
    up->setParent(box);
    up->setArrowType(Qt::UpArrow);
    auto *down = new TSpeedButton(this);
    down->SetName(QString::fromLatin1(Name) + QStringLiteral("Down"));
    down->setParent(box);
    down->setArrowType(Qt::DownArrow);
    row->addWidget(edit, 1);
    row->addWidget(up);
    row->addWidget(down);
    connect(up, &QToolButton::clicked, edit, [edit] { edit->setText(QString::number(edit->text().toLongLong() + 1)); });
    connect(down, &QToolButton::clicked, edit, [edit] {
        const qlonglong value = edit->text().toLongLong();
        if (value > 1) edit->setText(QString::number(value - 1));
    });
    AddRow(box, Label);
    AddCheck([edit] {
        if (edit->isEnabled()) StrToInt(edit->text());
    });
    return edit;
}

TComboBox *TPropertyForm::AlignmentBox(const char *Name, int Alignment) {
    auto *box = Field<TComboBox>(Name, QStringLiteral("Alignment"));
    box->SetStyle(csDropDownList);
    box->Items()->SetStringList({QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Centered")});
    box->SetItemIndex(Alignment);
    return box;
}

void TPropertyForm::Finish(const QString &Section) {
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    OKButton = new TButton(this);
    OKButton->SetName(QStringLiteral("OKButton"));
    OKButton->setText(QStringLiteral("OK"));
    OKButton->setDefault(true);
    CancelButton = new TButton(this);
    CancelButton->SetName(QStringLiteral("CancelButton"));
    CancelButton->setText(QStringLiteral("Cancel"));
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    static_cast<QVBoxLayout *>(layout())->addStretch(1);
    static_cast<QVBoxLayout *>(layout())->addLayout(buttons);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    TranslateForm(this, Section);
}
