#include "host/strings.h"

#include "host/exceptions.h"
#include "host/stream.h"
#include "host/text_codec.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>

namespace {

// Files and streams hold 8-bit text (see text_codec.h). A leading UTF-8 byte-order mark is
// not part of the first line.
QString DecodeFileText(const QByteArray &bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.mid(3));
    return DecodeText8(bytes);
}

[[noreturn]] void IndexError(int index) {
    throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

[[noreturn]] void SortedError() { throw EStringListError(QStringLiteral("Operation not allowed on sorted list")); }

int CompareText(const QString &a, const QString &b) { return QString::compare(a, b, Qt::CaseInsensitive); }

// Groups the changes of one operation into a single Changed(), also when it raises midway.
class UpdateGuard {
public:
    explicit UpdateGuard(TStrings &list) : FList(list) { FList.BeginUpdate(); }
    ~UpdateGuard() { FList.EndUpdate(); }
    UpdateGuard(const UpdateGuard &) = delete;
    UpdateGuard &operator=(const UpdateGuard &) = delete;

private:
    TStrings &FList;
};

}  // namespace

// --- TStrings --------------------------------------------------------------------------------

void TStrings::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) IndexError(index);
}

void TStrings::NotifyChanged() {
    if (FUpdateCount > 0)
        FChangedWhileUpdating = true;
    else
        emit Changed();
}

void TStrings::BeginUpdate() { ++FUpdateCount; }

void TStrings::EndUpdate() {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0 && FChangedWhileUpdating) {
        FChangedWhileUpdating = false;
        emit Changed();
    }
}

QString TStrings::Get(int index) const {
    CheckIndex(index);
    return FLines.at(index);
}

void TStrings::Put(int index, const QString &value) {
    CheckIndex(index);
    if (KeepsOrder()) SortedError();
    if (FLines.at(index) == value) return;
    FLines[index] = value;
    NotifyChanged();
}

QObject *TStrings::Objects(int index) const {
    CheckIndex(index);
    return FObjects.at(index);
}

void TStrings::PutObject(int index, QObject *object) {
    CheckIndex(index);
    if (FObjects.at(index) == object) return;
    FObjects[index] = object;
    NotifyChanged();
}

int TStrings::Add(const QString &line) {
    InsertItem(Count(), line, nullptr);
    return Count() - 1;
}

int TStrings::AddObject(const QString &line, QObject *object) {
    UpdateGuard guard(*this);
    const int before = Count();
    const int index = Add(line);
    // A sorted list that ignores duplicates returns the existing line; its object stays.
    if (Count() > before) PutObject(index, object);
    return index;
}

void TStrings::Insert(int index, const QString &line) {
    if (KeepsOrder()) SortedError();
    if (index < 0 || index > Count()) IndexError(index);
    InsertItem(index, line, nullptr);
}

void TStrings::InsertItem(int index, const QString &line, QObject *object) {
    FLines.insert(index, line);
    FObjects.insert(index, object);
    NotifyChanged();
}

void TStrings::Delete(int index) {
    CheckIndex(index);
    FLines.removeAt(index);
    FObjects.removeAt(index);
    NotifyChanged();
}

void TStrings::Move(int from, int to) {
    CheckIndex(from);
    CheckIndex(to);
    if (from == to) return;
    if (KeepsOrder()) SortedError();
    FLines.move(from, to);
    FObjects.move(from, to);
    NotifyChanged();
}

void TStrings::Exchange(int a, int b) {
    CheckIndex(a);
    CheckIndex(b);
    if (a == b) return;
    if (KeepsOrder()) SortedError();
    FLines.swapItemsAt(a, b);
    FObjects.swapItemsAt(a, b);
    NotifyChanged();
}

void TStrings::Clear() {
    if (FLines.isEmpty()) return;
    FLines.clear();
    FObjects.clear();
    NotifyChanged();
}

void TStrings::AddStrings(const TStrings &other) {
    // Copy first: other may be this list.
    const QStringList lines = other.FLines;
    const QList<QObject *> objects = other.FObjects;
    UpdateGuard guard(*this);
    for (int i = 0; i < lines.size(); ++i) AddObject(lines.at(i), objects.at(i));
}

int TStrings::IndexOf(const QString &line) const {
    for (int i = 0; i < Count(); ++i)
        if (CompareText(FLines.at(i), line) == 0) return i;
    return -1;
}

int TStrings::IndexOfName(const QString &name) const {
    for (int i = 0; i < Count(); ++i) {
        const QString &line = FLines.at(i);
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq >= 0 && QStringView(line).left(eq).compare(name, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const QObject *object) const {
    for (int i = 0; i < Count(); ++i)
        if (FObjects.at(i) == object) return i;
    return -1;
}

QString TStrings::Names(int index) const {
    const QString line = Get(index);
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq >= 0 ? line.left(eq) : QString();
}

QString TStrings::ValueFromIndex(int index) const {
    const QString line = Get(index);
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq >= 0 ? line.mid(eq + 1) : QString();
}

QString TStrings::Values(const QString &name) const {
    const int i = IndexOfName(name);
    return i >= 0 ? ValueFromIndex(i) : QString();
}

void TStrings::SetValue(const QString &name, const QString &value) {
    const int i = IndexOfName(name);
    const QString line = name + QLatin1Char('=') + value;
    if (value.isEmpty()) {
        if (i >= 0) Delete(i);
        return;
    }
    if (i < 0) {
        Add(line);
    } else if (FLines.at(i) != line) {
        // A sorted list keeps its order: the changed line is removed and added afresh.
        if (KeepsOrder()) {
            UpdateGuard guard(*this);
            QObject *object = FObjects.at(i);
            Delete(i);
            AddObject(line, object);
        } else {
            Put(i, line);
        }
    }
}

QString TStrings::Text() const {
    QString text;
    for (const QString &line : FLines) {
        text += line;
        text += QLatin1Char('\n');
    }
    return text;
}

QStringList TStrings::SplitLines(const QString &text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r')) continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n')) ++i;
        start = i + 1;
    }
    if (start < n) lines << text.mid(start);
    return lines;
}

void TStrings::SetText(const QString &text) { SetStringList(SplitLines(text)); }

QString TStrings::CommaText() const {
    if (Count() == 1 && FLines.at(0).isEmpty()) return QStringLiteral("\"\"");
    QStringList parts;
    for (const QString &line : FLines) {
        const bool quote = std::any_of(line.begin(), line.end(), [](QChar c) {
            return c.unicode() <= ' ' || c == QLatin1Char('"') || c == QLatin1Char(',');
        });
        if (quote) {
            QString q = line;
            q.replace(QLatin1Char('"'), QLatin1String("\"\""));
            parts << QLatin1Char('"') + q + QLatin1Char('"');
        } else {
            parts << line;
        }
    }
    return parts.join(QLatin1Char(','));
}

void TStrings::SetCommaText(const QString &text) {
    // Items are separated by commas; outside quotes, spaces and control characters separate
    // items too. A quoted item ends at its closing quote, "" inside quotes is one quote.
    const qsizetype n = text.size();
    auto isBlank = [&](qsizetype i) { return i < n && text.at(i).unicode() >= 1 && text.at(i).unicode() <= ' '; };
    QStringList items;
    qsizetype i = 0;
    while (isBlank(i)) ++i;
    while (i < n && text.at(i).unicode() != 0) {
        QString item;
        if (text.at(i) == QLatin1Char('"')) {
            ++i;
            while (i < n) {
                if (text.at(i) == QLatin1Char('"')) {
                    if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                        item += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text.at(i++);
            }
        } else {
            const qsizetype start = i;
            while (i < n && text.at(i).unicode() > ' ' && text.at(i) != QLatin1Char(',')) ++i;
            item = text.mid(start, i - start);
        }
        items << item;
        while (isBlank(i)) ++i;
        if (i < n && text.at(i) == QLatin1Char(',')) {
            if (i + 1 >= n) items << QString();
            do ++i;
            while (isBlank(i));
        }
    }
    SetStringList(items);
}

void TStrings::SetStringList(const QStringList &lines) {
    // Rebuilt through Add (a sorted list sorts and applies its duplicates policy); announced
    // only when the lines or their objects end up different.
    const QStringList oldLines = FLines;
    const bool hadObjects = std::any_of(FObjects.begin(), FObjects.end(), [](QObject *o) { return o != nullptr; });
    UpdateGuard guard(*this);
    const bool changedBefore = FChangedWhileUpdating;
    FLines.clear();
    FObjects.clear();
    for (const QString &line : lines) Add(line);
    FChangedWhileUpdating = changedBefore || hadObjects || FLines != oldLines;
}

void TStrings::LoadFromFile(const QString &fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EReadError(QStringLiteral("Cannot read file \"%1\". %2").arg(fileName, file.errorString()));
    SetText(DecodeFileText(bytes));
}

void TStrings::SaveToFile(const QString &fileName) const {
    // Written to a temporary file and renamed, so a failed write never destroys the old file.
    QSaveFile file(fileName);
    file.setDirectWriteFallback(true);  // for directories where no temporary file can be made
    if (!file.open(QIODevice::WriteOnly))
        throw EFOpenError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
    const QByteArray bytes = EncodeText8(Text());
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw EWriteError(QStringLiteral("Cannot write file \"%1\". %2").arg(fileName, file.errorString()));
}

void TStrings::LoadFromStream(TStream &stream) { SetText(DecodeFileText(stream.ReadBytes(stream.Remaining()))); }

void TStrings::SaveToStream(TStream &stream) const { stream.WriteBytes(EncodeText8(Text())); }

void TStrings::Assign(const TPersistent *Source) {
    const auto *other = qobject_cast<const TStrings *>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    if (other == this) return;
    UpdateGuard guard(*this);
    FLines.clear();
    FObjects.clear();
    AddStrings(*other);
    FChangedWhileUpdating = true;  // an assignment always announces itself, once
}

bool TStrings::Equals(const TStrings &other) const { return FLines == other.FLines; }

// --- TStringList -----------------------------------------------------------------------------

void TStringList::SetSorted(bool value) {
    if (value == FSorted) return;
    if (value) Sort();
    FSorted = value;
}

void TStringList::Sort() {
    QList<int> order(Count());
    for (int i = 0; i < Count(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [this](int a, int b) { return CompareText(FLines.at(a), FLines.at(b)) < 0; });
    bool moved = false;
    QStringList lines;
    QList<QObject *> objects;
    for (int i = 0; i < order.size(); ++i) {
        moved = moved || order.at(i) != i;
        lines << FLines.at(order.at(i));
        objects << FObjects.at(order.at(i));
    }
    if (!moved) return;
    FLines = lines;
    FObjects = objects;
    NotifyChanged();
}

bool TStringList::Find(const QString &line, int &index) const {
    int lo = 0;
    int hi = Count() - 1;
    bool found = false;
    // On equal lines keep searching to the left, so the first of several equal lines is found.
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        if (CompareText(FLines.at(mid), line) < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (CompareText(FLines.at(mid), line) == 0) found = true;
        }
    }
    index = lo;
    return found;
}

int TStringList::IndexOf(const QString &line) const {
    if (!FSorted) return TStrings::IndexOf(line);
    int index = -1;
    return Find(line, index) ? index : -1;
}

int TStringList::Add(const QString &line) {
    if (!FSorted) return TStrings::Add(line);
    int index = 0;
    if (Find(line, index)) {
        if (FDuplicates == dupIgnore) return index;
        if (FDuplicates == dupError) throw EStringListError(QStringLiteral("String list does not allow duplicates"));
    }
    InsertItem(index, line, nullptr);
    return index;
}
