#include "test_paths.h"

#include <QDir>
#include <QFile>

TestDir::TestDir() : FDir(QDir::tempPath() + QStringLiteral("/vendamo-test-XXXXXX")) {}

QString TestDir::Path(const QString &name) const {
    return name.isEmpty() ? FDir.path() : FDir.filePath(name);
}

QByteArray ReadWholeFile(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteWholeFile(const QString &path, const QByteArray &data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(data) == data.size();
}
