#pragma once
// A scripted interaction service for tests: each question takes the next queued answer and is
// recorded (kind and text). A question with no answer queued fails loudly instead of blocking.
#include "host/interaction.h"

#include <QList>
#include <QVariant>
#include <functional>

class TScriptedInteraction : public TInteraction {
public:
    struct Question {
        QString Kind;  // "error", "message", "confirm", "input", "open", "save", "color", "font", "printer", "dialog", "popup"
        QString Text;  // the message, prompt, title, dialog class or menu items joined by "|"
        QString Caption;
        TConfirmButtons Buttons = TConfirmButtons::OkCancel;  // the buttons a confirmation offered
    };

    TScriptedInteraction();   // installs itself
    ~TScriptedInteraction() override;  // restores the previous service

    // Answers, taken in order by the questions that need one.
    void AnswerConfirm(TModalResult r) { Push({QVariant(int(r)), {}}); }
    void AnswerInput(const QString &value) { Push({QVariant(value), {}}); }
    // Cancels an input box, file, colour, font, printer dialog or modal form.
    void AnswerCancel() { Push({QVariant(), {}}); }
    void AnswerFile(const QString &fileName) { Push({QVariant(fileName), {}}); }
    void AnswerColor(const QColor &c) { Push({QVariant(c), {}}); }
    void AnswerFont(const QFont &f, const QColor &c) { Push({QVariant(QVariantList{f, c}), {}}); }
    // Accepts a printer setup dialog without changes.
    void AnswerOk() { Push({QVariant(true), {}}); }
    // Chooses the item at index in a context menu (-1 closes it without a choice).
    void AnswerPopup(int index) { Push({QVariant(index), {}}); }
    // Drives a modal form: the script receives the dialog (filled in, ready) and returns its result.
    void AnswerDialog(std::function<int(QDialog &)> script) { Push({QVariant(), std::move(script)}); }

    const QList<Question> &Questions() const { return FQuestions; }
    QStringList Errors() const;  // texts of the error boxes shown
    int Pending() const { return int(FAnswers.size()); }
    void Clear();

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
    struct Answer {
        QVariant Value;  // invalid = cancel
        std::function<int(QDialog &)> Script;
    };
    void Push(Answer a) { FAnswers.append(std::move(a)); }
    Answer Next(const QString &kind, const QString &text, const QString &caption = QString());

    QList<Answer> FAnswers;
    QList<Question> FQuestions;
    TInteraction *FPrevious = nullptr;
};
