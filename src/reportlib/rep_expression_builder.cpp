#include "reportlib/rep_expression_builder.h"

#include "reportlib/expr_evaluator.h"
#include "reportlib/expr_registry.h"
#include "reportlib/report.h"

#include "dblib/dataset.h"
#include "dblib/field.h"
#include "host/interaction.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <set>

namespace {

constexpr const char *Operators[] = {"+", "-", "*", "/", "=", "<>", "<", ">", "<=", ">=",
                                     "AND", "OR", "NOT", "(", ")"};

// Word operators are inserted with blanks round them so they never run into a neighbouring name.
QString OperatorText(const QString &op) {
    return op.front().isLetter() ? QLatin1Char(' ') + op + QLatin1Char(' ') : op;
}

}  // namespace

TRepExpressionBuilder::TRepExpressionBuilder(TReport *report, QWidget *parent) : QDialog(parent), FReport(report) {
    setWindowTitle(tr("Expression builder"));
    auto *layout = new QVBoxLayout(this);

    layout->addWidget(new QLabel(tr("Expression"), this));
    FEditor = new QPlainTextEdit(this);
    FEditor->setObjectName(QStringLiteral("Expression"));
    FEditor->setTabChangesFocus(true);
    FEditor->setFixedHeight(FEditor->fontMetrics().lineSpacing() * 4 + 12);
    layout->addWidget(FEditor);

    auto *operators = new QHBoxLayout;
    for (const char *op : Operators) {
        auto *b = new QPushButton(QString::fromLatin1(op), this);
        b->setObjectName(QString::fromLatin1(op));
        b->setAutoDefault(false);
        b->setMaximumWidth(b->fontMetrics().horizontalAdvance(b->text()) + 24);
        connect(b, &QPushButton::clicked, this, [this, op] { InsertText(OperatorText(QString::fromLatin1(op))); });
        operators->addWidget(b);
    }
    operators->addStretch();
    layout->addLayout(operators);

    auto makeButton = [this](const QString &name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };

    // Functions: groups, the functions of the selected group, the selected one's explanation.
    auto *lists = new QHBoxLayout;
    auto *functionBox = new QGroupBox(tr("Functions"), this);
    auto *functionGrid = new QGridLayout(functionBox);
    FGroups = new QListWidget(functionBox);
    FFunctions = new QListWidget(functionBox);
    FHelp = new QLabel(functionBox);
    FHelp->setWordWrap(true);
    FHelp->setTextFormat(Qt::PlainText);
    FHelp->setMinimumHeight(FHelp->fontMetrics().lineSpacing() * 3);
    std::set<int> groups;
    for (const TRepFunctionInfo &info : RepFunctionList()) groups.insert(info.Group());
    for (int g : groups) {
        auto *item = new QListWidgetItem(RepFunctionGroupName(g), FGroups);
        item->setData(Qt::UserRole, g);
    }
    auto *insertFunction = makeButton(QStringLiteral("InsertFunction"), tr("Insert function"));
    functionGrid->addWidget(FGroups, 0, 0);
    functionGrid->addWidget(FFunctions, 0, 1);
    functionGrid->addWidget(FHelp, 1, 0, 1, 2);
    functionGrid->addWidget(insertFunction, 2, 1, Qt::AlignRight);
    connect(FGroups, &QListWidget::currentRowChanged, this, &TRepExpressionBuilder::ShowGroup);
    connect(FFunctions, &QListWidget::currentRowChanged, this, &TRepExpressionBuilder::ShowFunction);
    connect(FFunctions, &QListWidget::itemDoubleClicked, this, [this] { InsertFunction(); });
    connect(insertFunction, &QPushButton::clicked, this, &TRepExpressionBuilder::InsertFunction);
    lists->addWidget(functionBox, 3);

    // Data: the report's datasets and the fields of the selected one.
    auto *dataBox = new QGroupBox(tr("Data"), this);
    auto *dataGrid = new QGridLayout(dataBox);
    FDataSets = new QListWidget(dataBox);
    FFields = new QListWidget(dataBox);
    auto *insertField = makeButton(QStringLiteral("InsertField"), tr("Insert field"));
    dataGrid->addWidget(FDataSets, 0, 0);
    dataGrid->addWidget(FFields, 0, 1);
    dataGrid->addWidget(insertField, 1, 1, Qt::AlignRight);
    if (report) {
        for (TDataSet *ds : report->AllDataSets()) {
            if (ds->Name().isEmpty()) continue;   // an expression cannot name it
            if (!ds->Active()) {
                try {
                    ds->Open();
                    FOpened.append(ds);
                } catch (const std::exception &) {
                    // Listed without fields; a report run reports why it does not open.
                }
            }
            auto *item = new QListWidgetItem(ds->Name(), FDataSets);
            item->setData(Qt::UserRole, QVariant::fromValue(static_cast<QObject *>(ds)));
        }
    }
    connect(FDataSets, &QListWidget::currentRowChanged, this, &TRepExpressionBuilder::ShowDataSet);
    connect(FFields, &QListWidget::itemDoubleClicked, this, [this] { InsertField(); });
    connect(insertField, &QPushButton::clicked, this, &TRepExpressionBuilder::InsertField);
    lists->addWidget(dataBox, 2);
    layout->addLayout(lists);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *validate = makeButton(QStringLiteral("Validate"), tr("Validate"));
    buttons->addButton(validate, QDialogButtonBox::ActionRole);
    FOk = buttons->button(QDialogButtonBox::Ok);
    connect(validate, &QPushButton::clicked, this, [this] {
        if (Validate()) Interaction().ShowMessage(tr("The expression is valid."), windowTitle());
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &TRepExpressionBuilder::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TRepExpressionBuilder::reject);
    layout->addWidget(buttons);

    if (FGroups->count() > 0) FGroups->setCurrentRow(0);
    if (FDataSets->count() > 0) FDataSets->setCurrentRow(0);
    FEditor->setFocus();
    resize(760, 520);
}

TRepExpressionBuilder::~TRepExpressionBuilder() {
    for (const QPointer<TDataSet> &ds : FOpened) {
        if (!ds) continue;
        try {
            ds->Close();
        } catch (const std::exception &) {
            // Closing is best effort; the dataset stays open.
        }
    }
}

QString TRepExpressionBuilder::Expression() const { return FEditor->toPlainText(); }

void TRepExpressionBuilder::SetExpression(const QString &expression) {
    FEditor->setPlainText(expression);
    FEditor->moveCursor(QTextCursor::End);
}

void TRepExpressionBuilder::InsertText(const QString &text) {
    FEditor->insertPlainText(text);
    FEditor->setFocus();
}

QPushButton *TRepExpressionBuilder::Button(const QString &name) const {
    return findChild<QPushButton *>(name);
}

void TRepExpressionBuilder::ShowGroup(int row) {
    FFunctions->clear();
    FHelp->clear();
    if (row < 0) return;
    for (const TRepFunctionInfo &info : RepFunctionsOfGroup(FGroups->item(row)->data(Qt::UserRole).toInt())) {
        auto *item = new QListWidgetItem(info.Name, FFunctions);
        item->setData(Qt::UserRole, info.Name);
    }
    if (FFunctions->count() > 0) FFunctions->setCurrentRow(0);
}

void TRepExpressionBuilder::ShowFunction(int row) {
    FHelp->clear();
    if (row < 0) return;
    const auto info = FindRepFunction(FFunctions->item(row)->data(Qt::UserRole).toString());
    if (info) FHelp->setText(info->Syntax() + QLatin1Char('\n') + info->Explanation());
}

void TRepExpressionBuilder::ShowDataSet(int row) {
    FFields->clear();
    if (row < 0) return;
    auto *ds = qobject_cast<TDataSet *>(FDataSets->item(row)->data(Qt::UserRole).value<QObject *>());
    if (!ds) return;
    for (TField *f : ds->Fields()) new QListWidgetItem(f->FieldName(), FFields);
}

void TRepExpressionBuilder::InsertFunction() {
    QListWidgetItem *item = FFunctions->currentItem();
    if (!item) return;
    const auto info = FindRepFunction(item->data(Qt::UserRole).toString());
    if (!info) return;
    QString text = info->Syntax().trimmed();
    if (text.isEmpty()) text = info->Name;
    QTextCursor cursor = FEditor->textCursor();
    const int start = qMin(cursor.position(), cursor.anchor());
    InsertText(text);
    // Select the first placeholder ("<X>") so that typing replaces it.
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("<[^<>]*>")).match(text);
    if (m.hasMatch()) {
        cursor.setPosition(start + int(m.capturedStart()));
        cursor.setPosition(start + int(m.capturedEnd()), QTextCursor::KeepAnchor);
        FEditor->setTextCursor(cursor);
    }
}

void TRepExpressionBuilder::InsertField() {
    QListWidgetItem *field = FFields->currentItem();
    QListWidgetItem *dataSet = FDataSets->currentItem();
    if (!field || !dataSet) return;
    InsertText(dataSet->text() + QLatin1Char('.') + field->text());
}

bool TRepExpressionBuilder::Validate() {
    const QString text = Expression();
    if (text.trimmed().isEmpty()) return true;
    TRepEvaluator evaluator;
    if (FReport) evaluator.SetDataSets(FReport->DataSetResolver());
    try {
        evaluator.Prepare(text);
    } catch (const std::exception &e) {
        Interaction().ShowError(QString::fromUtf8(e.what()), windowTitle());
        FEditor->setFocus();
        return false;
    }
    return true;
}

void TRepExpressionBuilder::accept() {
    if (Validate()) QDialog::accept();
}

bool EditExpression(TReport *report, QString &expression) {
    TRepExpressionBuilder builder(report);
    builder.SetExpression(expression);
    if (Interaction().ExecDialog(builder) != QDialog::Accepted) return false;
    expression = builder.Expression();
    return true;
}
