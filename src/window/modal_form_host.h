#pragma once
// Shows a form (a window of its own otherwise) as a modal dialog through the interaction
// service: the form is laid into the dialog, which carries its title and ends when the form
// closes. Closing the dialog asks the form to close, so the form's own questions (unsaved
// changes) still come first.
#include <QDialog>
#include <QPointer>

class TForm;

class TModalFormHost : public QDialog {
    Q_OBJECT
public:
    explicit TModalFormHost(TForm *Form);
    ~TModalFormHost() override;

    TForm *Form() const { return FForm; }
    // Runs the dialog until the form closes.
    int Run();

    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<TForm> FForm;
    QWidget *FOldParent = nullptr;
};
