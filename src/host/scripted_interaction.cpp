#include "host/scripted_interaction.h"

#include <QDialog>
#include <stdexcept>

TScriptedInteraction::TScriptedInteraction() { FPrevious = SetInteraction(this); }

TScriptedInteraction::~TScriptedInteraction() { SetInteraction(FPrevious); }

void TScriptedInteraction::Clear() {
    FAnswers.clear();
    FQuestions.clear();
}

QStringList TScriptedInteraction::Errors() const {
    QStringList out;
    for (const auto &q : FQuestions)
        if (q.Kind == QLatin1String("error")) out << q.Text;
    return out;
}

TScriptedInteraction::Answer TScriptedInteraction::Next(const QString &kind, const QString &text,
                                                        const QString &caption) {
    FQuestions.append({kind, text, caption});
    if (FAnswers.isEmpty())
        throw std::logic_error(QStringLiteral("unanswered %1 question: %2").arg(kind, text).toStdString());
    return FAnswers.takeFirst();
}

void TScriptedInteraction::ShowError(const QString &text, const QString &caption) {
    FQuestions.append({QStringLiteral("error"), text, caption});
}

void TScriptedInteraction::ShowMessage(const QString &text, const QString &caption) {
    FQuestions.append({QStringLiteral("message"), text, caption});
}

TModalResult TScriptedInteraction::Confirm(const QString &text, TConfirmButtons buttons, const QString &caption) {
    const Answer a = Next(QStringLiteral("confirm"), text, caption);
    FQuestions.last().Buttons = buttons;
    return a.Value.isValid() ? TModalResult(a.Value.toInt()) : mrCancel;
}

bool TScriptedInteraction::InputQuery(const QString &caption, const QString &prompt, QString &value) {
    const Answer a = Next(QStringLiteral("input"), prompt, caption);
    if (!a.Value.isValid()) return false;
    value = a.Value.toString();
    return true;
}

bool TScriptedInteraction::OpenFileName(const TFileDialogOptions &options, QString &fileName) {
    const Answer a = Next(QStringLiteral("open"), options.Title);
    if (!a.Value.isValid()) return false;
    fileName = a.Value.toString();
    return true;
}

bool TScriptedInteraction::SaveFileName(const TFileDialogOptions &options, QString &fileName) {
    const Answer a = Next(QStringLiteral("save"), options.Title);
    if (!a.Value.isValid()) return false;
    fileName = a.Value.toString();
    return true;
}

bool TScriptedInteraction::SelectColor(QColor &color) {
    const Answer a = Next(QStringLiteral("color"), QString());
    if (!a.Value.isValid()) return false;
    color = a.Value.value<QColor>();
    return true;
}

bool TScriptedInteraction::SelectFont(QFont &font, QColor &color) {
    const Answer a = Next(QStringLiteral("font"), font.family());
    if (!a.Value.isValid()) return false;
    const QVariantList pair = a.Value.toList();
    if (pair.size() == 2) {
        font = pair[0].value<QFont>();
        color = pair[1].value<QColor>();
    }
    return true;
}

bool TScriptedInteraction::PrinterSetup(QPrinter &) {
    const Answer a = Next(QStringLiteral("printer"), QString());
    return a.Value.isValid();
}

int TScriptedInteraction::ExecDialog(QDialog &dialog) {
    const Answer a = Next(QStringLiteral("dialog"), QString::fromLatin1(dialog.metaObject()->className()),
                          dialog.windowTitle());
    if (!a.Script) return QDialog::Rejected;
    const int result = a.Script(dialog);
    dialog.setResult(result);
    return result;
}

int TScriptedInteraction::PopupMenu(const QStringList &items, const QPoint &) {
    const Answer a = Next(QStringLiteral("popup"), items.join(QLatin1Char('|')));
    const int index = a.Value.isValid() ? a.Value.toInt() : -1;
    // A scripted choice of a separator or of no item at all is no choice, as with the real menu.
    return index >= 0 && index < items.size() && items.at(index) != QLatin1String("-") ? index : -1;
}
