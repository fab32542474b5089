#include "host/ini_file.h"

#include "host/exceptions.h"
#include "host/conversions.h"
#include "host/format_settings.h"
#include "host/text_codec.h"

#include <QFile>
#include <QSaveFile>
#include <QSet>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

bool SameName(const QString &a, const QString &b) {
    return QString::compare(a.trimmed(), b.trimmed(), Qt::CaseInsensitive) == 0;
}

// The form under which names that compare alike are the same key.
QString Folded(const QString &name) { return name.trimmed().toCaseFolded(); }

// A line break inside a name or value would split it into lines of a different meaning.
QString OneLine(const QString &text) {
    QString out = text;
    out.replace(QLatin1Char('\r'), QLatin1Char(' '));
    out.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return out;
}

bool IsQuote(QChar c) { return c == QLatin1Char('"') || c == QLatin1Char('\''); }

// Quotes a value whose surrounding blanks or quotes would otherwise be lost on reading.
QString StoredValue(const QString &value) {
    const QString v = OneLine(value);
    if (v.isEmpty()) return v;
    const bool blanks = v.front().isSpace() || v.back().isSpace();
    const bool quoted = v.size() >= 2 && IsQuote(v.front()) && v.front() == v.back();
    return blanks || quoted ? QLatin1Char('"') + v + QLatin1Char('"') : v;
}

// Integers as conversions read them, surrounding blanks allowed.
bool ParseInteger(const QString &text, int &value) { return TryStrToInt(text.trimmed(), value); }

}  // namespace

TIniFile::TIniFile(const QString &fileName) : FFileName(fileName) { Load(); }

void TIniFile::Load() {
    QFile file(FFileName);
    if (!file.open(QIODevice::ReadOnly)) return;  // missing or unreadable: empty
    QByteArray bytes = file.readAll();
    if (bytes.startsWith(kUtf8Bom)) {
        FHadBom = true;
        bytes.remove(0, kUtf8Bom.size());
    }
    const QString text = DecodeText8(bytes);
    if (text.contains(QLatin1String("\r\n"))) FLineBreak = QStringLiteral("\r\n");
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    FLines = normal.split(QLatin1Char('\n'));
    if (!FLines.isEmpty() && FLines.back().isEmpty()) FLines.removeLast();  // final line break
}

bool TIniFile::ParseSectionLine(const QString &line, QString &name) {
    const QString t = line.trimmed();
    if (t.size() < 2 || t.front() != QLatin1Char('[') || t.back() != QLatin1Char(']')) return false;
    name = t.mid(1, t.size() - 2).trimmed();
    return true;
}

bool TIniFile::ParseEntryLine(const QString &line, TEntry &entry) {
    const QString t = line.trimmed();
    if (t.isEmpty() || t.front() == QLatin1Char(';') || t.front() == QLatin1Char('[')) return false;
    const int eq = int(t.indexOf(QLatin1Char('=')));
    if (eq <= 0) return false;
    entry.Key = t.left(eq).trimmed();
    QString value = t.mid(eq + 1).trimmed();
    if (value.size() >= 2 && IsQuote(value.front()) && value.front() == value.back())
        value = value.mid(1, value.size() - 2);
    entry.Value = value;
    return !entry.Key.isEmpty();
}

const QHash<QString, TIniFile::TSectionIndex> &TIniFile::Index() const {
    if (FIndex) return *FIndex;
    QHash<QString, TSectionIndex> index;
    bool indexing = false;  // false before the first section and inside a repeated one
    QString open, name;     // the folded name of the section being indexed
    TEntry entry;
    for (int i = 0; i < FLines.size(); ++i) {
        if (ParseSectionLine(FLines[i], name)) {
            if (indexing) index[open].End = i;
            open = Folded(name);
            indexing = !index.contains(open);
            if (indexing) index[open].First = i;
        } else if (indexing && ParseEntryLine(FLines[i], entry)) {
            QHash<QString, int> &keys = index[open].Keys;
            const QString key = Folded(entry.Key);
            if (!keys.contains(key)) keys.insert(key, i);
        }
    }
    if (indexing) index[open].End = int(FLines.size());
    FIndex = std::move(index);
    return *FIndex;
}

bool TIniFile::FindSection(const QString &section, int &first, int &end) const {
    const auto it = Index().constFind(Folded(section));
    if (it == Index().constEnd()) return false;
    first = it->First;
    end = it->End;
    return true;
}

int TIniFile::FindKeyLine(int first, int end, const QString &ident) const {
    TEntry entry;
    for (int i = first + 1; i < end; ++i)
        if (ParseEntryLine(FLines[i], entry) && SameName(entry.Key, ident)) return i;
    return -1;
}

bool TIniFile::Lookup(const QString &section, const QString &ident, QString &value) const {
    const auto s = Index().constFind(Folded(section));
    if (s == Index().constEnd()) return false;
    const auto line = s->Keys.constFind(Folded(ident));
    if (line == s->Keys.constEnd()) return false;
    TEntry entry;
    ParseEntryLine(FLines[*line], entry);
    value = entry.Value;
    return true;
}

QString TIniFile::ReadString(const QString &section, const QString &ident, const QString &def) const {
    QString value;
    return Lookup(section, ident, value) ? value : def;
}

int TIniFile::ReadInteger(const QString &section, const QString &ident, int def) const {
    QString text;
    int value = def;
    if (!Lookup(section, ident, text) || !ParseInteger(text, value)) return def;
    return value;
}

bool TIniFile::ReadBool(const QString &section, const QString &ident, bool def) const {
    QString text;
    if (!Lookup(section, ident, text)) return def;
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
    int value = 0;
    return ParseInteger(text, value) ? value != 0 : def;
}

double TIniFile::ReadFloat(const QString &section, const QString &ident, double def) const {
    QString text;
    if (!Lookup(section, ident, text)) return def;
    double value = def;
    if (TryStrToFloat(text, value, QLatin1Char('.'))) return value;
    if (TryStrToFloat(text, value, FormatSettings.DecimalSeparator)) return value;
    return def;
}

void TIniFile::WriteString(const QString &section, const QString &ident, const QString &value) {
    const QString key = OneLine(ident).trimmed();
    const QString line = key + QLatin1Char('=') + StoredValue(value);
    int first, end;
    if (!FindSection(section, first, end)) {
        FLines << QLatin1Char('[') + OneLine(section).trimmed() + QLatin1Char(']') << line;
        LinesChanged();
    } else {
        const int at = FindKeyLine(first, end, key);
        if (at >= 0) {
            TEntry entry;
            ParseEntryLine(FLines[at], entry);
            const QString replaced = entry.Key + QLatin1Char('=') + StoredValue(value);  // keep the key's case
            if (FLines[at] == replaced) return;
            FLines[at] = replaced;
            LinesChanged();
        } else {
            // After the section's last entry, so comments that lead into the next section stay there.
            int insertAt = first + 1;
            TEntry entry;
            for (int i = first + 1; i < end; ++i)
                if (ParseEntryLine(FLines[i], entry)) insertAt = i + 1;
            FLines.insert(insertAt, line);
            LinesChanged();
        }
    }
    FModified = true;
    Save();
}

void TIniFile::WriteInteger(const QString &section, const QString &ident, int value) {
    WriteString(section, ident, QString::number(value));
}

void TIniFile::WriteBool(const QString &section, const QString &ident, bool value) {
    WriteString(section, ident, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::WriteFloat(const QString &section, const QString &ident, double value) {
    // Always with ".", so the file reads the same under every locale; shortest exact form.
    WriteString(section, ident, QString::number(value, 'g', QLocale::FloatingPointShortest));
}

QStringList TIniFile::ReadSection(const QString &section) const {
    QStringList keys;
    int first, end;
    if (!FindSection(section, first, end)) return keys;
    TEntry entry;
    QSet<QString> seen;
    for (int i = first + 1; i < end; ++i) {
        if (!ParseEntryLine(FLines[i], entry)) continue;
        if (!seen.contains(Folded(entry.Key))) {
            seen.insert(Folded(entry.Key));
            keys << entry.Key;
        }
    }
    return keys;
}

QStringList TIniFile::ReadSections() const {
    QStringList names;
    QString name;
    QSet<QString> seen;
    for (const QString &line : FLines) {
        if (!ParseSectionLine(line, name) || seen.contains(Folded(name))) continue;
        seen.insert(Folded(name));
        names << name;
    }
    return names;
}

QStringList TIniFile::ReadSectionValues(const QString &section) const {
    QStringList values;
    for (const QString &key : ReadSection(section))
        values << key + QLatin1Char('=') + ReadString(section, key, QString());
    return values;
}

bool TIniFile::SectionExists(const QString &section) const {
    int first, end;
    return FindSection(section, first, end);
}

bool TIniFile::ValueExists(const QString &section, const QString &ident) const {
    QString value;
    return Lookup(section, ident, value);
}

void TIniFile::EraseSection(const QString &section) {
    int first, end;
    bool erased = false;
    while (FindSection(section, first, end)) {
        FLines.erase(FLines.begin() + first, FLines.begin() + end);
        LinesChanged();
        erased = true;
    }
    if (!erased) return;
    FModified = true;
    Save();
}

void TIniFile::DeleteKey(const QString &section, const QString &ident) {
    int first, end;
    if (!FindSection(section, first, end)) return;
    bool deleted = false;
    for (int line; (line = FindKeyLine(first, end, ident)) >= 0; --end) {
        FLines.removeAt(line);
        deleted = true;
    }
    if (!deleted) return;
    LinesChanged();
    FModified = true;
    Save();
}

void TIniFile::UpdateFile() {
    if (FModified) Save();
}

void TIniFile::Save() {
    QString text;
    for (const QString &line : FLines) text += line + FLineBreak;
    // A file that came with a byte-order mark was meant as UTF-8 and stays so.
    const QByteArray bytes = FHadBom ? kUtf8Bom + text.toUtf8() : EncodeText8(text);
    QSaveFile file(FFileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw EWriteError(QStringLiteral("Cannot write file \"%1\": %2").arg(FFileName, file.errorString()));
    }
    FModified = false;
}
