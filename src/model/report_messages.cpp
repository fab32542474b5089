#include "model/report_messages.h"

#include "model/runtime_messages.h"

#include "host/interaction.h"
#include "host/strings.h"

// Texts for keys the stored message table lacks, so that the user never sees a bare key.
static QString FallbackText(const QString &Key) {
    if (Key.compare(QLatin1String("No Databases Available"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("No tables or queries available! Add a table or query to the report first.");
    return QString();
}

static QString MessageText(const TStrings *Messages, const QString &Key) {
    const QString text = Messages ? LookupRuntimeMessage(Messages->ToStringList(), Key) : QString();
    return text.isEmpty() ? FallbackText(Key) : text;
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
