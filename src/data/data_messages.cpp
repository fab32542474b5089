#include "data/data_messages.h"

#include "design/designer.h"
#include "host/exceptions.h"
#include "host/interaction.h"
#include "host/strings.h"
#include "model/runtime_messages.h"

QString DataMessage(const TVDMDesigner *Designer, const QString &Key) {
    const TStrings *table = Designer ? Designer->RuntimeMessages() : nullptr;
    const QString text = table ? LookupRuntimeMessage(table->ToStringList(), Key) : QString();
    return text.isEmpty() ? Key : text;
}

void ShowDataError(const TVDMDesigner *Designer, const QString &Key, const QString &Param) {
    Interaction().ShowError(FormatRuntimeMessage(DataMessage(Designer, Key), Param));
}

QString ExceptionText(const std::exception &e) {
    if (const auto *ex = dynamic_cast<const Exception *>(&e)) return ex->Message();
    return QString::fromUtf8(e.what());
}
