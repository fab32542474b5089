// The memo dialog: the lines, an expression inserted between "%%" brackets, the "%DEL" marker
// that removes an empty line when printing, alignment, colour, font and the size switches.
#include "dialogs/property_dialogs.h"
#include "dialogs/property_form.h"

#include "design/designer.h"
#include "model/design_report.h"
#include "model/vendamo_text_elements.h"
#include "reportlib/expr_error.h"
#include "reportlib/expr_evaluator.h"
#include "reportlib/rep_expression_builder.h"

#include "host/button_controls.h"
#include "host/font.h"
#include "host/list_controls.h"
#include "host/strings.h"
#include "host/text_controls.h"

#include <QTextBlock>
#include <QTextCursor>

namespace MemoEditing {

QString ExpressionInsert(const QString &Expression, bool Numeric) {
    const QString text = Numeric ? QStringLiteral("STR(") + Expression + QLatin1Char(')') : Expression;
    return QStringLiteral("%%") + text + QStringLiteral("%%");
}

QString ToggleRemoveMarker(const QString &Line) {
    static const QString marker = QStringLiteral("%DEL");
    return Line.startsWith(marker) ? Line.mid(marker.size()) : marker + Line;
}

void ToggleRemoveMarkerAt(QTextCursor Cursor) {
    static const QString marker = QStringLiteral("%DEL");
    const QTextBlock block = Cursor.block();
    Cursor.setPosition(block.position());
    if (block.text().startsWith(marker)) {
        Cursor.setPosition(block.position() + int(marker.size()), QTextCursor::KeepAnchor);
        Cursor.removeSelectedText();
    } else {
        Cursor.insertText(marker);
    }
}

bool ExpressionIsNumeric(TReport *Report, const QString &Expression) {
    if (!Report) return false;
    TRepEvaluator evaluator;
    evaluator.SetDataSets(Report->DataSetResolver());
    try {
        return evaluator.Calculate(Expression).IsNumeric();
    } catch (const EExprError &) {
        return false;  // an expression that cannot be evaluated now goes in as it is
    }
}

}  // namespace MemoEditing

bool EditMemoProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element) {
    auto *memo = Element ? qobject_cast<TVendamoMemo *>(Element->Object()) : nullptr;
    if (!memo) return false;
    TPropertyForm form(Designer, Owner, QStringLiteral("MemoPropertyForm"), QStringLiteral("Memo"));
    TFont font(nullptr);
    font.Assign(memo->Font());
    TColor color = memo->Color();

    auto *lines = form.Field<TMemo>("LinesMemo", QString());
    lines->setPlainText(memo->Lines()->Text());
    lines->setMinimumHeight(140);
    auto *expressionButton = form.Field<TButton>("ExpressionButton");
    expressionButton->setText(QStringLiteral("Expression..."));
    TReport *report = Designer ? Designer->Report() : nullptr;
    QObject::connect(expressionButton, &QPushButton::clicked, lines, [lines, report] {
        QTextCursor cursor = lines->textCursor();
        QString expression = cursor.selectedText();
        if (!report || !EditExpression(report, expression) || expression.isEmpty()) return;
        cursor.insertText(MemoEditing::ExpressionInsert(expression, MemoEditing::ExpressionIsNumeric(report, expression)));
    });
    auto *removeButton = form.Field<TButton>("RemoveLineButton");
    removeButton->setText(QStringLiteral("Remove line if empty"));
    QObject::connect(removeButton, &QPushButton::clicked, lines, [lines] {
        QTextCursor cursor = lines->textCursor();
        const QTextBlock block = cursor.block();
        cursor.setPosition(block.position());
        cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        cursor.insertText(MemoEditing::ToggleRemoveMarker(block.text()));
    });
    auto *alignment = form.AlignmentBox("AlignmentComboBox", int(memo->Alignment()));
    form.ColorButton("ColorButton", QStringLiteral("&Color..."), &color);
    form.FontButton("FontButton", QStringLiteral("&Font..."), &font);
    auto *wordwrap = form.Check("WordwrapCheckBox", QStringLiteral("Automatic wordwrap"));
    wordwrap->setChecked(memo->WordWrap());
    auto *autosize = form.Check("AutosizeCheckBox", QStringLiteral("Autosize width"));
    autosize->setChecked(memo->AutoSize());
    auto *autostretch = form.Check("AutostretchCheckBox", QStringLiteral("Autostretch height"));
    autostretch->setChecked(memo->AutoStretch());
    form.Finish(QStringLiteral("MemoPropertyForm"));
    if (!form.Run()) return false;

    memo->Lines()->SetText(lines->toPlainText());
    if (alignment->currentIndex() >= 0) memo->SetAlignment(TRepPrintable::TAlignment(alignment->currentIndex()));
    memo->SetColor(color);
    memo->SetFont(&font);
    memo->SetWordWrap(wordwrap->isChecked());
    memo->SetAutoSize(autosize->isChecked());
    memo->SetAutoStretch(autostretch->isChecked());
    memo->update();
    return true;
}
