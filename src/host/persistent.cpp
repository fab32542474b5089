#include "host/persistent.h"

#include "host/exceptions.h"

void TPersistent::Assign(const TPersistent *Source) {
    const QString from = Source ? QString::fromLatin1(Source->metaObject()->className()) : QStringLiteral("nil");
    throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2").arg(from, QString::fromLatin1(metaObject()->className())));
}
