#include "model/report_messages.h"

#include "model/runtime_messages.h"

#include "host/interaction.h"
#include "host/strings.h"

static QString MessageText(const TStrings *Messages, const QString &Key) {
    return Messages ? LookupRuntimeMessage(Messages->ToStringList(), Key) : QString();
}

QString ErrorText(const TStrings *Messages, const QString &Key, const QString &Param) {
    const QString text = MessageText(Messages, Key);
    if (text.isEmpty()) return QStringLiteral("Unknown Error [") + Key + QLatin1Char(']');
    return FormatRuntimeMessage(text, Param);
}

void ShowError(const TStrings *Messages, const QString &Key, const QString &Param) {
    Interaction().ShowError(ErrorText(Messages, Key, Param));
}

bool GetConfirmation(const TStrings *Messages, const QString &Key) {
    QString text = MessageText(Messages, Key);
    if (text.isEmpty()) text = QLatin1Char('[') + Key + QLatin1Char(']');
    return Interaction().Confirm(text, TConfirmButtons::OkCancel) == mrOk;
}
