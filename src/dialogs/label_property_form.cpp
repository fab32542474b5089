// The label dialog: caption, size and wrapping switches, alignment, font, colour and the
// rotation degree (the element keeps tenths of a degree).
#include "dialogs/property_dialogs.h"
#include "dialogs/property_form.h"

#include "model/vendamo_text_elements.h"

#include "host/button_controls.h"
#include "host/font.h"
#include "host/list_controls.h"
#include "host/text_controls.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLocale>
#include <cmath>

namespace {

// The degree edit takes digits, one decimal separator ("," and "." both become it) and control
// keys; anything else is dropped.
class TDegreeKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        if (text.isEmpty() || !text.at(0).isPrint()) return false;  // control keys pass
        auto *edit = static_cast<TEdit *>(watched);
        const QChar separator = QLocale().decimalPoint().at(0);
        const QChar c = text.at(0);
        if (c == u',' || c == u'.') {
            if (!edit->text().contains(separator)) edit->insert(QString(separator));
            return true;
        }
        return !c.isDigit();
    }
};

double DegreeNumber(const QString &text, bool *ok) { return QLocale().toDouble(text, ok); }

}  // namespace

bool EditLabelProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element) {
    auto *label = Element ? qobject_cast<TVendamoLabel *>(Element->Object()) : nullptr;
    if (!label) return false;
    TPropertyForm form(Designer, Owner, QStringLiteral("LabelPropertyForm"), QStringLiteral("Label"));
    TFont font(nullptr);
    font.Assign(label->Font());
    TColor color = label->Color();

    auto *caption = form.Field<TEdit>("CaptionEdit", QStringLiteral("Caption"));
    caption->setText(label->Caption());
    auto *autosize = form.Check("AutosizeCheckBox", QStringLiteral("Autosize width"));
    autosize->setChecked(label->AutoSize());
    auto *wordwrap = form.Check("WordwrapCheckBox", QStringLiteral("Automatic wordwrap"));
    wordwrap->setChecked(label->WordWrap());
    auto *transparent = form.Check("TransparentCheckBox", QStringLiteral("Transparent"));
    transparent->setChecked(label->Transparent());
    auto *autostretch = form.Check("AutostretchCheckBox", QStringLiteral("Autostretch height"));
    autostretch->setChecked(label->AutoStretch());
    auto *alignment = form.AlignmentBox("AlignmentComboBox", int(label->Alignment()));
    form.FontButton("FontButton", QStringLiteral("&Font..."), &font);
    form.ColorButton("ColorButton", QStringLiteral("&Color..."), &color);

    // The rotation in degrees, with buttons stepping whole degrees.
    auto *degree = form.Field<TEdit>("DegreeEdit", QStringLiteral("Rotation (degrees)"));
    degree->setText(QLocale().toString(label->Degree() / 10.0, 'g', 12));
    degree->installEventFilter(new TDegreeKeys(degree));
    auto *steps = new QWidget(&form);
    auto *row = new QHBoxLayout(steps);
    row->setContentsMargins(0, 0, 0, 0);
    for (const int delta : {1, -1}) {
        auto *b = new TSpeedButton(&form);
        b->SetName(delta > 0 ? QStringLiteral("DegreeUpButton") : QStringLiteral("DegreeDownButton"));
        b->setArrowType(delta > 0 ? Qt::UpArrow : Qt::DownArrow);
        b->setParent(steps);
        row->addWidget(b);
        QObject::connect(b, &QToolButton::clicked, degree, [degree, delta] {
            bool ok = false;
            const double value = DegreeNumber(degree->text(), &ok);
            degree->setText(QLocale().toString(std::floor(ok ? value : 0) + delta, 'g', 12));
        });
    }
    row->addStretch(1);
    form.AddRow(steps, QString());
    form.Finish(QStringLiteral("LabelPropertyForm"));
    if (!form.Run()) return false;

    label->SetCaption(caption->text());
    label->SetAutoSize(autosize->isChecked());
    label->SetWordWrap(wordwrap->isChecked());
    label->SetTransparent(transparent->isChecked());
    label->SetAutoStretch(autostretch->isChecked());
    if (alignment->currentIndex() >= 0) label->SetAlignment(TRepPrintable::TAlignment(alignment->currentIndex()));
    label->SetFont(&font);
    label->SetColor(color);
    bool ok = false;
    const double number = DegreeNumber(degree->text(), &ok);
    // A full turn at most, so that a large entry cannot overflow the stored 16-bit tenths.
    if (ok) label->SetDegree(quint16(((std::llrint(number * 10) % 3600) + 3600) % 3600));
    label->update();
    return true;
}
