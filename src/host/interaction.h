#pragma once
// The modal interaction service: every question the system asks the user (error boxes,
// confirmations, input boxes, file/colour/font/printer dialogs, its own modal forms) goes
// through this one interface. The GUI installs the Qt implementation; tests install a scripted
// one that answers from a queue and records what was asked; the command-line tool installs one
// that never waits.
#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>
#include <QStringList>

class QDialog;
class QPrinter;

enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

enum class TConfirmButtons { OkCancel, YesNo, YesNoCancel, YesCancel };

struct TFileDialogOptions {
    QString Title;
    QString InitialDir;
    QString FileName;     // proposed name
    QString Filter;       // Qt filter string, e.g. "Reports (*.QR2);;All files (*)"
    QString DefaultExt;   // appended when the chosen name has none
    QStringList History;  // folders offered for quick return (recently used ones)
};

class TInteraction {
public:
    virtual ~TInteraction() = default;

    virtual void ShowError(const QString &text, const QString &caption = QString()) = 0;
    virtual void ShowMessage(const QString &text, const QString &caption = QString()) = 0;
    // Returns mrOk/mrCancel, mrYes/mrNo, mrYes/mrNo/mrCancel or mrYes/mrCancel according to the
    // buttons.
    virtual TModalResult Confirm(const QString &text, TConfirmButtons buttons, const QString &caption = QString()) = 0;
    // An input box: true with the edited value on OK, false (value untouched) on Cancel.
    virtual bool InputQuery(const QString &caption, const QString &prompt, QString &value) = 0;
    virtual bool OpenFileName(const TFileDialogOptions &options, QString &fileName) = 0;
    virtual bool SaveFileName(const TFileDialogOptions &options, QString &fileName) = 0;
    virtual bool SelectColor(QColor &color) = 0;
    virtual bool SelectFont(QFont &font, QColor &color) = 0;
    virtual bool PrinterSetup(QPrinter &printer) = 0;
    // Runs one of the system's own modal forms and returns its result (QDialog::Accepted...).
    virtual int ExecDialog(QDialog &dialog) = 0;
    // A context menu of the given items ("-" is a separator) at a screen position: the index of
    // the chosen item, or -1 when the menu was closed without a choice.
    virtual int PopupMenu(const QStringList &items, const QPoint &globalPos) = 0;
};

// The service in force. Without an installed one, a Qt-backed service is used when a GUI
// application exists, else the console one.
TInteraction &Interaction();
// Installs a service (not owned); null restores the default. Returns the previous one.
TInteraction *SetInteraction(TInteraction *service);

// Qt dialogs.
class TQtInteraction : public TInteraction {
public:
    void ShowError(const QString &text, const QString &caption) override;
    void ShowMessage(const QString &text, const QString &caption) override;
    TModalResult Confirm(const QString &text, TConfirmButtons buttons, const QString &caption) override;
    bool InputQuery(const QString &caption, const QString &prompt, QString &value) override;
    bool OpenFileName(const TFileDialogOptions &options, QString &fileName) override;
    bool SaveFileName(const TFileDialogOptions &options, QString &fileName) override;
    bool SelectColor(QColor &color) override;
    bool SelectFont(QFont &font, QColor &color) override;
    bool PrinterSetup(QPrinter &printer) override;
    int ExecDialog(QDialog &dialog) override;
    int PopupMenu(const QStringList &items, const QPoint &globalPos) override;
};

// Never waits: messages go to stderr as "<prefix>: <text>", questions take their default
// answer (OK/Yes for confirmations), input boxes, dialogs and menus are cancelled.
class TConsoleInteraction : public TInteraction {
public:
    explicit TConsoleInteraction(const QString &prefix = QStringLiteral("vendamo")) : FPrefix(prefix) {}
    void ShowError(const QString &text, const QString &caption) override;
    void ShowMessage(const QString &text, const QString &caption) override;
    TModalResult Confirm(const QString &text, TConfirmButtons buttons, const QString &caption) override;
    bool InputQuery(const QString &caption, const QString &prompt, QString &value) override;
    bool OpenFileName(const TFileDialogOptions &options, QString &fileName) override;
    bool SaveFileName(const TFileDialogOptions &options, QString &fileName) override;
    bool SelectColor(QColor &color) override;
    bool SelectFont(QFont &font, QColor &color) override;
    bool PrinterSetup(QPrinter &printer) override;
    int ExecDialog(QDialog &dialog) override;
    int PopupMenu(const QStringList &items, const QPoint &globalPos) override;

private:
    void Say(const QString &text);
    QString FPrefix;
};
