#pragma once
// A fast read-only ini reader for language files: the whole file is read once into sorted maps
// and every lookup is a map search. Section and key names compare without regard to case; the
// first of several sections or keys of the same name wins (a repeated section adds nothing).
// Values are stored without their first and last character, because language files write
// every value in double quotes. Lines are cut at 255 characters, entries before the first
// section are dropped, and only the first MaxFileSize bytes of a file are read, so a huge or
// damaged file cannot take memory without bound.
#include <QMap>
#include <QString>

class TSpeedyIniFile {
public:
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;
    static constexpr int MaxLineLength = 255;

    TSpeedyIniFile() = default;

    // Replaces the content by the file's. A file that cannot be opened shows the error box
    // "File <name> not found!" and leaves the reader empty and without a file name.
    void ReadIniFile(const QString &FileName);
    // The value of Ident in Section (case ignored), Default when either is missing; at most
    // 255 characters.
    QString ReadString(const QString &Section, const QString &Ident, const QString &Default) const;
    // The file last read successfully (at most 255 characters); empty before that.
    const QString &FileName() const { return FFileName; }

private:
    using TKeys = QMap<QString, QString>;  // upper-case key -> value
    QMap<QString, TKeys> FSections;        // upper-case section name -> its keys
    QString FFileName;
};
