#pragma once
// Exception types of the host library. Every error the system raises carries a readable
// message; the distinct types let callers catch exactly the failures they can handle.
#include <QByteArray>
#include <QString>
#include <exception>

class Exception : public std::exception {
public:
    explicit Exception(const QString &message) : FMessage(message), FUtf8(message.toUtf8()) {}
    const QString &Message() const { return FMessage; }
    const char *what() const noexcept override { return FUtf8.constData(); }

private:
    QString FMessage;
    QByteArray FUtf8;
};

#define VENDAMO_EXCEPTION(Name, Base)                                   \
    class Name : public Base {                                          \
    public:                                                             \
        explicit Name(const QString &message) : Base(message) {}       \
    };

VENDAMO_EXCEPTION(EComponentError, Exception)  // naming and ownership of components
VENDAMO_EXCEPTION(EConvertError, Exception)    // text to number/date conversions
VENDAMO_EXCEPTION(EStreamError, Exception)     // streams in general
VENDAMO_EXCEPTION(EReadError, EStreamError)    // short or damaged reads
VENDAMO_EXCEPTION(EWriteError, EStreamError)   // failed writes
VENDAMO_EXCEPTION(EFOpenError, EStreamError)   // a file that cannot be opened or created
VENDAMO_EXCEPTION(EFilerError, EStreamError)   // component streaming: bad signature, unknown class
VENDAMO_EXCEPTION(EClassNotFound, EFilerError) // component streaming: class not registered
VENDAMO_EXCEPTION(EInvalidGraphic, Exception)  // pictures that cannot be decoded or encoded
VENDAMO_EXCEPTION(EStringListError, Exception) // index errors in string lists
