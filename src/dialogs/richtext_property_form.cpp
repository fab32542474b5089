// The rich-text dialog: the element's text in a rich edit, the rich-text editor behind
// "Editor...", an expression inserted between "%%" brackets, the "%DEL" marker, alignment,
// autostretch, colour and font. The element keeps the text in its stream form (RTF).
#include "dialogs/property_dialogs.h"
#include "dialogs/property_form.h"
#include "dialogs/richedit_form.h"

#include "design/designer.h"
#include "model/design_report.h"
#include "model/vendamo_rich_elements.h"
#include "reportlib/rep_expression_builder.h"

#include "host/button_controls.h"
#include "host/font.h"
#include "host/list_controls.h"

#include <QBoxLayout>
#include <QTextCursor>

namespace {

// The text the element prints: its linked rich edit's, else its own.
QByteArray ElementText(const TVendamoRichtext *Rich) {
    const TRepRichEdit *edit = Rich->ActiveRichEdit();
    return edit ? edit->SaveToData() : Rich->Lines();
}

}  // namespace

bool EditRichtextProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element) {
    auto *rich = Element ? qobject_cast<TVendamoRichtext *>(Element->Object()) : nullptr;
    if (!rich) return false;
    TPropertyForm form(Designer, Owner, QStringLiteral("RichtextPropertyForm"), QStringLiteral("Richtext"));
    TFont font(nullptr);
    font.Assign(rich->Font());
    TColor color = rich->Color();
    TReport *report = Designer ? Designer->Report() : nullptr;

    auto *text = new TRepRichEdit(&form, &form);
    text->SetName(QStringLiteral("RichEdit"));
    text->LoadFromData(ElementText(rich));
    text->setMinimumHeight(140);
    form.AddRow(text, QString());
    auto *buttons = new QWidget(&form);
    auto *row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    auto button = [&](const char *name, const QString &caption) {
        auto *b = new TButton(&form);
        b->SetName(QString::fromLatin1(name));
        b->setText(caption);
        b->setParent(buttons);
        row->addWidget(b);
        return b;
    };
    TButton *editor = button("EditorButton", QStringLiteral("Editor..."));
    TButton *expression = button("ExpressionButton", QStringLiteral("Expression..."));
    TButton *removeLine = button("RemoveLineButton", QStringLiteral("Remove line if empty"));
    row->addStretch(1);
    form.AddRow(buttons, QString());
    expression->setEnabled(report != nullptr);
    QObject::connect(editor, &QPushButton::clicked, text, [text, report] {
        TRicheditForm richedit(nullptr, report);
        richedit.RichEdit1->LoadFromData(text->SaveToData());
        if (richedit.Run()) text->LoadFromData(richedit.RichEdit1->SaveToData());
    });
    QObject::connect(expression, &QPushButton::clicked, text, [text, report] {
        QTextCursor cursor = text->textCursor();
        QString value = cursor.selectedText();
        if (!EditExpression(report, value) || value.isEmpty()) return;
        cursor.insertText(MemoEditing::ExpressionInsert(value, MemoEditing::ExpressionIsNumeric(report, value)));
    });
    QObject::connect(removeLine, &QPushButton::clicked, text,
                     [text] { MemoEditing::ToggleRemoveMarkerAt(text->textCursor()); });

    auto *alignment = form.AlignmentBox("AlignmentComboBox", int(rich->Alignment()));
    auto *autostretch = form.Check("AutostretchCheckBox", QStringLiteral("Autostretch height"));
    autostretch->setChecked(rich->AutoStretch());
    form.ColorButton("ColorButton", QStringLiteral("&Color..."), &color);
    form.FontButton("FontButton", QStringLiteral("&Font..."), &font);
    form.Finish(QStringLiteral("RichtextPropertyForm"));
    if (!form.Run()) return false;

    const QByteArray data = text->SaveToData();
    if (TRepRichEdit *linked = rich->ParentRichEdit())
        linked->LoadFromData(data);
    else
        rich->SetLines(data);
    if (alignment->currentIndex() >= 0) rich->SetAlignment(TRepPrintable::TAlignment(alignment->currentIndex()));
    rich->SetAutoStretch(autostretch->isChecked());
    rich->SetColor(color);
    rich->SetFont(&font);
    rich->update();
    return true;
}
