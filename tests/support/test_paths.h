#pragma once
// Small helpers shared by the test programs.
#include <QString>
#include <QTemporaryDir>

// A fresh temporary directory for one test; removed with the object.
class TestDir {
public:
    TestDir();
    QString Path(const QString &name = QString()) const;
    bool IsValid() const { return FDir.isValid(); }

private:
    QTemporaryDir FDir;
};

// Whole file contents, or an empty array when the file cannot be read.
QByteArray ReadWholeFile(const QString &path);
bool WriteWholeFile(const QString &path, const QByteArray &data);
