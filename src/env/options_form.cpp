#include "env/options_form.h"

#include "design/designer.h"

#include "host/button_controls.h"
#include "host/container_controls.h"
#include "host/font.h"
#include "host/interaction.h"
#include "host/list_controls.h"
#include "host/text_controls.h"
#include "model/form_translation.h"
#include "reportlib/rep_page.h"
#include "reportlib/report.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace {

// The units the combo box offers, by entry.
const TRepUnits ComboUnits[] = {ruMM, ruInches, ruCharacters};
constexpr int StepMax = 0xFFFF;  // the steps are 16-bit

template <class T>
T *Named(T *control, const char *name) {
    control->SetName(QString::fromLatin1(name));
    return control;
}

// The value of a number field, or -1 when it holds none (empty or beyond 16 bits).
int FieldValue(const TEdit *edit) {
    bool ok = false;
    const int value = edit->text().toInt(&ok);
    return ok && value >= 0 && value <= StepMax ? value : -1;
}

void Step(TEdit *edit, int delta) {
    const int value = qMax(FieldValue(edit), 0);
    if (delta < 0 && value == 0) return;
    edit->setText(QString::number(qMin(value + delta, StepMax)));
}

}  // namespace

TOptionsForm::TOptionsForm(TComponent *AOwner, QWidget *parent)
    : QDialog(parent), TComponent(AOwner), FBandNameFont(new TFont(this)) {
    SetName(QStringLiteral("OptionsForm"));
    setWindowTitle(QStringLiteral("Options"));
    setProperty("HelpContext", HelpContext);

    auto check = [this](const char *name, const char *caption) {
        auto *box = Named(new TCheckBox(this), name);
        box->setText(QString::fromLatin1(caption));
        return box;
    };
    auto button = [this](const char *name, const char *caption) {
        auto *b = Named(new TButton(this), name);
        b->setText(QString::fromLatin1(caption));
        return b;
    };
    auto group = [this](const char *name, const char *caption) {
        auto *g = Named(new TGroupBox(this), name);
        g->setTitle(QString::fromLatin1(caption));
        return g;
    };
    auto label = [this](const char *name, const char *caption, QWidget *buddy) {
        auto *l = Named(new TLabel(this), name);
        l->setText(QString::fromLatin1(caption));
        l->setBuddy(buddy);
        return l;
    };

    TGroupBox *bandGroup = group("BandnameGroupBox", "Bandnames");
    BandnameCheckBox = check("BandnameCheckBox", "Show bandnames");
    BandnameFontButton = button("BandnameFontButton", "&Font...");
    connect(BandnameFontButton, &QPushButton::clicked, this, &TOptionsForm::SelectFont);
    auto *bandLayout = new QVBoxLayout(bandGroup);
    bandLayout->addWidget(BandnameCheckBox);
    bandLayout->addWidget(BandnameFontButton, 0, Qt::AlignLeft);

    TGroupBox *frameGroup = group("FrameGroupBox", "Component frames");
    FrameCheckBox = check("FrameCheckBox", "Show component frames at design time");
    StyleRadioGroup = Named(new TRadioGroup(this), "StyleRadioGroup");
    StyleRadioGroup->setTitle(QStringLiteral("Style"));
    StyleRadioGroup->Items()->SetText(QStringLiteral("Solid\nDashed\nDotted"));
    BitBtn7 = button("BitBtn7", "&Color...");
    connect(BitBtn7, &QPushButton::clicked, this, &TOptionsForm::SelectColor);
    auto *frameLayout = new QVBoxLayout(frameGroup);
    frameLayout->addWidget(FrameCheckBox);
    frameLayout->addWidget(StyleRadioGroup);
    frameLayout->addWidget(BitBtn7, 0, Qt::AlignLeft);

    TGroupBox *reportGroup = group("ReportGroupBox", "Report");
    UnitsComboBox = Named(new TComboBox(this), "UnitsComboBox");
    UnitsComboBox->SetStyle(csDropDownList);
    UnitsComboBox->Items()->SetText(QStringLiteral("MM\nInches\nCharacters"));
    RulerCheckBox = check("RulerCheckBox", "Show bandruler");
    auto *reportLayout = new QGridLayout(reportGroup);
    reportLayout->addWidget(label("UnitsLabel", "&Units", UnitsComboBox), 0, 0);
    reportLayout->addWidget(UnitsComboBox, 0, 1);
    reportLayout->addWidget(RulerCheckBox, 1, 0, 1, 2);

    TGroupBox *stepGroup = group("StepGroupBox", "Grid and keyboard");
    GridXEdit = NumberField("GridXEdit", "GridXUpButton", "GridXDownButton", GridXUpButton, GridXDownButton);
    GridYEdit = NumberField("GridYEdit", "GridYUpButton", "GridYDownButton", GridYUpButton, GridYDownButton);
    KeyXEdit = NumberField("KeyXEdit", "KeyXUpButton", "KeyXDownButton", KeyXUpButton, KeyXDownButton);
    KeyYEdit = NumberField("KeyYEdit", "KeyYUpButton", "KeyYDownButton", KeyYUpButton, KeyYDownButton);
    auto *stepLayout = new QGridLayout(stepGroup);
    const struct {
        const char *Name, *Caption;
        TEdit *Edit;
        TSpeedButton *Up, *Down;
    } rows[] = {{"GridXLabel", "Grid &X", GridXEdit, GridXUpButton, GridXDownButton},
                {"GridYLabel", "Grid &Y", GridYEdit, GridYUpButton, GridYDownButton},
                {"KeyXLabel", "Keyboard move X", KeyXEdit, KeyXUpButton, KeyXDownButton},
                {"KeyYLabel", "Keyboard move Y", KeyYEdit, KeyYUpButton, KeyYDownButton}};
    for (int i = 0; i < 4; ++i) {
        stepLayout->addWidget(label(rows[i].Name, rows[i].Caption, rows[i].Edit), i, 0);
        stepLayout->addWidget(rows[i].Edit, i, 1);
        stepLayout->addWidget(rows[i].Up, i, 2);
        stepLayout->addWidget(rows[i].Down, i, 3);
    }

    OKButton = button("OKButton", "OK");
    OKButton->setDefault(true);
    CancelButton = button("CancelButton", "Cancel");
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);

    auto *columns = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(bandGroup);
    left->addWidget(frameGroup);
    auto *right = new QVBoxLayout;
    right->addWidget(reportGroup);
    right->addWidget(stepGroup);
    right->addStretch();
    columns->addLayout(left);
    columns->addLayout(right);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    TranslateForm(this, QStringLiteral("OptionsForm"));
}

TOptionsForm::~TOptionsForm() = default;

TEdit *TOptionsForm::NumberField(const char *name, const char *upName, const char *downName, TSpeedButton *&up,
                                 TSpeedButton *&down) {
    auto *edit = Named(new TEdit(this), name);
    edit->installEventFilter(this);
    // Typing is filtered by the event filter; the validator also keeps pasted text to digits.
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    up = Named(new TSpeedButton(this), upName);
    up->setArrowType(Qt::UpArrow);
    down = Named(new TSpeedButton(this), downName);
    down->setArrowType(Qt::DownArrow);
    connect(up, &QToolButton::clicked, edit, [edit] { Step(edit, 1); });
    connect(down, &QToolButton::clicked, edit, [edit] { Step(edit, -1); });
    return edit;
}

bool TOptionsForm::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Backspace) return true;  // dropped, as every non-digit character
        for (const QChar c : key->text())
            if ((c < u'0' || c > u'9') && c.category() != QChar::Other_Control) return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TOptionsForm::Prepare(TVDMDesigner *Designer, TReport *Report) {
    FDesigner = Designer;
    FReport = Report;
    const QList<QWidget *> designerControls = {BandnameCheckBox, BandnameFontButton, FrameCheckBox, StyleRadioGroup,
                                               BitBtn7, GridXEdit, GridYEdit, KeyXEdit, KeyYEdit};
    for (QWidget *w : designerControls) w->setEnabled(Designer != nullptr);
    UnitsComboBox->setEnabled(Report != nullptr);
    RulerCheckBox->setEnabled(Report != nullptr);
    if (Designer) {
        BandnameCheckBox->setChecked(Designer->ShowBandNames());
        FBandNameFont->Assign(Designer->BandNameFont());
        FrameCheckBox->setChecked(Designer->ShowComponentFrames());
        StyleRadioGroup->SetItemIndex(Designer->ComponentFrameStyle());  // -1 for styles not offered
        FFrameColor = Designer->ComponentFrameColor();
        GridXEdit->setText(QString::number(Designer->GridSizeX()));
        GridYEdit->setText(QString::number(Designer->GridSizeY()));
        KeyXEdit->setText(QString::number(Designer->KeyboardMoveX()));
        KeyYEdit->setText(QString::number(Designer->KeyboardMoveY()));
    }
    if (Report) {
        RulerCheckBox->setChecked(Report->Page()->Ruler());
        const auto unit = std::find(std::begin(ComboUnits), std::end(ComboUnits), Report->Units());
        UnitsComboBox->SetItemIndex(unit == std::end(ComboUnits) ? -1 : int(unit - std::begin(ComboUnits)));
    }
}

void TOptionsForm::SelectFont() {
    QFont font = FBandNameFont->ToQFont();
    QColor color = ColorToQColor(FBandNameFont->Color());
    if (!Interaction().SelectFont(font, color)) return;
    FBandNameFont->FromQFont(font);
    FBandNameFont->SetColor(QColorToColor(color));
}

void TOptionsForm::SelectColor() {
    QColor color = ColorToQColor(FFrameColor);
    if (Interaction().SelectColor(color)) FFrameColor = QColorToColor(color);
}

void TOptionsForm::Apply() {
    if (FReport) {
        FReport->Page()->SetRuler(RulerCheckBox->Checked());
        const int unit = UnitsComboBox->currentIndex();
        if (unit >= 0 && unit < int(std::size(ComboUnits))) FReport->SetUnits(ComboUnits[unit]);
    }
    if (!FDesigner) return;
    FDesigner->SetBandNameFont(FBandNameFont);
    const struct {
        TEdit *Edit;
        void (TVDMDesigner::*Set)(int);
    } steps[] = {{GridXEdit, &TVDMDesigner::SetGridSizeX},
                 {GridYEdit, &TVDMDesigner::SetGridSizeY},
                 {KeyXEdit, &TVDMDesigner::SetKeyboardMoveX},
                 {KeyYEdit, &TVDMDesigner::SetKeyboardMoveY}};
    for (const auto &s : steps)
        if (const int value = FieldValue(s.Edit); value >= 0) (FDesigner->*s.Set)(value);
    FDesigner->SetComponentFrameColor(FFrameColor);
    FDesigner->SetShowBandNames(BandnameCheckBox->Checked());
    FDesigner->SetShowComponentFrames(FrameCheckBox->Checked());
    if (StyleRadioGroup->ItemIndex() >= 0) FDesigner->SetComponentFrameStyle(StyleRadioGroup->ItemIndex());
}

void EditViewOptions(TReport *Report, TVDMDesigner *Designer) {
    // No owner: the form lives only while it is shown, and must not clash with a component of
    // the report's form that happens to carry its name.
    TOptionsForm form(nullptr, Report ? Report->window() : nullptr);
    form.Prepare(Designer, Report);
    if (Interaction().ExecDialog(form) == QDialog::Accepted) form.Apply();
}
