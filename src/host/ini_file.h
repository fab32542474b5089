#pragma once
// Ini files in the conventional text form: "[Section]" lines, "key=value" lines, ";" comments.
// Section and key names compare without regard to case and keep the case they were stored with.
// Every write goes to disk at once and keeps every other line of the file as it was (comments,
// order, unknown sections); the file is replaced atomically, so a failed write loses nothing.
// A missing or unreadable file reads as empty.
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

class TIniFile {
public:
    explicit TIniFile(const QString &fileName);

    const QString &FileName() const { return FFileName; }

    // Values are trimmed; a value enclosed in a matching pair of quotes loses the quotes.
    QString ReadString(const QString &section, const QString &ident, const QString &def) const;
    // Decimal or hexadecimal ("$1F", "0x1F"); anything else gives def.
    int ReadInteger(const QString &section, const QString &ident, int def) const;
    // "1"/"0" as written, any other integer (non-zero is true), or "true"/"false".
    bool ReadBool(const QString &section, const QString &ident, bool def) const;
    // Accepts "." and the current decimal separator.
    double ReadFloat(const QString &section, const QString &ident, double def) const;

    // Raise EWriteError naming the file when it cannot be written.
    void WriteString(const QString &section, const QString &ident, const QString &value);
    void WriteInteger(const QString &section, const QString &ident, int value);
    void WriteBool(const QString &section, const QString &ident, bool value);
    void WriteFloat(const QString &section, const QString &ident, double value);

    QStringList ReadSection(const QString &section) const;        // key names
    QStringList ReadSections() const;                             // section names
    QStringList ReadSectionValues(const QString &section) const;  // "name=value" lines
    bool SectionExists(const QString &section) const;
    bool ValueExists(const QString &section, const QString &ident) const;
    void EraseSection(const QString &section);  // every section of that name, with its lines
    void DeleteKey(const QString &section, const QString &ident);
    // Writes the file if anything changed since the last write.
    void UpdateFile();

private:
    struct TEntry {
        QString Key;
        QString Value;
    };
    static bool ParseSectionLine(const QString &line, QString &name);
    static bool ParseEntryLine(const QString &line, TEntry &entry);
    void Load();
    // Line range [first, end) of the first section of that name; first is the header's index.
    bool FindSection(const QString &section, int &first, int &end) const;
    int FindKeyLine(int first, int end, const QString &ident) const;
    bool Lookup(const QString &section, const QString &ident, QString &value) const;
    void Save();

    // Where the first section of each name lies and the line of each of its keys' first
    // occurrence, by case-folded name; built on the first lookup after a change, so a lookup
    // costs the same however long the file is.
    struct TSectionIndex {
        int First = 0;
        int End = 0;
        QHash<QString, int> Keys;
    };
    const QHash<QString, TSectionIndex> &Index() const;
    void LinesChanged() { FIndex.reset(); }

    QString FFileName;
    QStringList FLines;
    mutable std::optional<QHash<QString, TSectionIndex>> FIndex;
    QString FLineBreak = QStringLiteral("\n");
    bool FHadBom = false;
    bool FModified = false;
};
