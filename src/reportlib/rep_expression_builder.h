#pragma once
// The expression builder: a modal form for writing an expression of a report. It lists the
// function library by group with each function's explanation, the report's datasets and their
// fields, and the operators; each of them inserts its text at the cursor of the expression.
// OK (and Validate) check the expression with the evaluator; an invalid one is reported through
// Interaction().ShowError and the form stays open.
#include <QDialog>
#include <QList>
#include <QPointer>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class TDataSet;
class TReport;

class TRepExpressionBuilder : public QDialog {
    Q_OBJECT
public:
    // Closed datasets of the report are opened for their fields while the form exists.
    explicit TRepExpressionBuilder(TReport *report, QWidget *parent = nullptr);
    ~TRepExpressionBuilder() override;

    QString Expression() const;
    void SetExpression(const QString &expression);
    // Inserts text at the cursor, replacing the selection.
    void InsertText(const QString &text);

    // Checks the expression; reports the error and returns false when it is invalid. An empty
    // expression is valid (it clears the expression it edits).
    bool Validate();

    // The widgets, for tests that drive the form.
    QPlainTextEdit *Editor() const { return FEditor; }
    QListWidget *Groups() const { return FGroups; }
    QListWidget *Functions() const { return FFunctions; }
    QLabel *FunctionHelp() const { return FHelp; }
    QListWidget *DataSets() const { return FDataSets; }
    QListWidget *Fields() const { return FFields; }
    // The button inserting an operator ("+", "<=", "AND", "(" ...), or a named one:
    // "InsertFunction", "InsertField", "Validate".
    QPushButton *Button(const QString &name) const;
    QPushButton *OkButton() const { return FOk; }

    void accept() override;

private:
    void ShowGroup(int row);
    void ShowFunction(int row);
    void ShowDataSet(int row);
    void InsertFunction();
    void InsertField();

    QPointer<TReport> FReport;
    QList<QPointer<TDataSet>> FOpened;   // datasets this form opened, closed again on exit
    QPlainTextEdit *FEditor;
    QListWidget *FGroups;
    QListWidget *FFunctions;
    QLabel *FHelp;
    QListWidget *FDataSets;
    QListWidget *FFields;
    QPushButton *FOk;
};

// Runs the expression builder on an expression of a report through Interaction().ExecDialog;
// true with the edited expression on OK, false (expression untouched) otherwise.
bool EditExpression(TReport *report, QString &expression);
