#pragma once
// The settings file beside the test program, written for the length of a test.
#include "env/settings_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

class TSettingsFile {
public:
    explicit TSettingsFile(const QByteArray &text = QByteArray()) {
        QFile::remove(VendamoSettingsFileName());
        QFile f(VendamoSettingsFileName());
        if (!text.isNull() && f.open(QIODevice::WriteOnly)) f.write(text);
    }
    ~TSettingsFile() { QFile::remove(VendamoSettingsFileName()); }
    static QByteArray Text() {
        QFile f(VendamoSettingsFileName());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

// A file of that name in the test program's directory.
inline QString AppFile(const QString &name) { return QDir(QCoreApplication::applicationDirPath()).filePath(name); }
