// The expression-field dialog: the expression (with the expression builder behind "..."), the
// master whose records reset aggregates, display format, rotation, alignment, the size and
// wrapping switches, "Reset after print", colour and font.
#include "dialogs/property_dialogs.h"
#include "dialogs/property_form.h"

#include "design/designer.h"
#include "model/design_report.h"
#include "model/vendamo_text_elements.h"
#include "reportlib/rep_band.h"
#include "reportlib/rep_expression_builder.h"

#include "host/button_controls.h"
#include "host/font.h"
#include "host/list_controls.h"
#include "host/strings.h"
#include "host/text_controls.h"

#include <QBoxLayout>
#include <QLocale>
#include <cmath>

bool EditExpressionProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element) {
    auto *expr = Element ? qobject_cast<TVendamoExpr *>(Element->Object()) : nullptr;
    if (!expr) return false;
    TPropertyForm form(Designer, Owner, QStringLiteral("ExpressionPropertyForm"), QStringLiteral("Expression field"));
    TFont font(nullptr);
    font.Assign(expr->Font());
    TColor color = expr->Color();

    auto *row = new QWidget(&form);
    auto *line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    auto *expression = new TEdit(&form);
    expression->SetName(QStringLiteral("ExpressionEdit"));
    expression->setParent(row);
    expression->setText(expr->Expression());
    auto *builder = new TButton(&form);
    builder->SetName(QStringLiteral("ExpressionButton"));
    builder->setParent(row);
    builder->setText(QStringLiteral("..."));
    line->addWidget(expression, 1);
    line->addWidget(builder);
    form.AddRow(row, QStringLiteral("Expression"));
    TReport *report = Designer ? Designer->Report() : nullptr;
    QObject::connect(builder, &QPushButton::clicked, expression, [expression, report] {
        QString text = expression->text();
        if (report && EditExpression(report, text)) expression->setText(text);
    });

    // The master: the report or one of its sub-detail bands.
    QList<QWidget *> masters;
    auto *master = form.Field<TComboBox>("MasterComboBox", QStringLiteral("Master"));
    master->SetStyle(csDropDownList);
    if (report) {
        masters << report;
        master->Items()->Add(report->Name().isEmpty() ? QStringLiteral("-?-") : report->Name());
        if (TComponent *owner = expr->Owner())
            for (TComponent *c : owner->Components())
                if (auto *sub = qobject_cast<TRepSubDetail *>(c->Object())) {
                    masters << sub;
                    master->Items()->Add(sub->Name().isEmpty() ? QStringLiteral("-?-") : sub->Name());
                }
    }
    master->SetItemIndex(int(masters.indexOf(expr->Master())));
    auto *mask = form.Field<TEdit>("FormatEdit", QStringLiteral("Display format"));
    mask->setText(expr->Mask());
    auto *degree = form.Field<TEdit>("DegreeEdit", QStringLiteral("Rotation (degrees)"));
    degree->setText(QLocale().toString(expr->Degree() / 10.0, 'g', 12));
    auto *alignment = form.AlignmentBox("AlignmentComboBox", int(expr->Alignment()));
    auto *autosize = form.Check("AutosizeCheckBox", QStringLiteral("Autosize width"));
    autosize->setChecked(expr->AutoSize());
    auto *transparent = form.Check("TransparentCheckBox", QStringLiteral("Transparent"));
    transparent->setChecked(expr->Transparent());
    auto *wordwrap = form.Check("WordwrapCheckBox", QStringLiteral("Automatic wordwrap"));
    wordwrap->setChecked(expr->WordWrap());
    auto *autostretch = form.Check("AutostretchCheckBox", QStringLiteral("Autostretch height"));
    autostretch->setChecked(expr->AutoStretch());
    auto *reset = form.Check("ResetCheckBox", QStringLiteral("Reset after print"));
    reset->setChecked(expr->ResetAfterPrint());
    form.FontButton("FontButton", QStringLiteral("&Font..."), &font);
    form.ColorButton("ColorButton", QStringLiteral("&Color..."), &color);
    form.Finish(QStringLiteral("ExpressionPropertyForm"));
    if (!form.Run()) return false;

    expr->SetExpression(expression->text());
    const int m = master->currentIndex();
    if (m >= 0 && m < masters.size()) expr->SetMaster(masters[m]);
    expr->SetMask(mask->text());
    bool ok = false;
    const double number = QLocale().toDouble(degree->text(), &ok);
    // A full turn at most, as for labels.
    if (ok) expr->SetDegree(quint16(((std::llrint(number * 10) % 3600) + 3600) % 3600));
    if (alignment->currentIndex() >= 0) expr->SetAlignment(TRepPrintable::TAlignment(alignment->currentIndex()));
    expr->SetAutoSize(autosize->isChecked());
    expr->SetTransparent(transparent->isChecked());
    expr->SetWordWrap(wordwrap->isChecked());
    expr->SetAutoStretch(autostretch->isChecked());
    expr->SetResetAfterPrint(reset->isChecked());
    expr->SetFont(&font);
    expr->SetColor(color);
    expr->update();
    return true;
}
