#include "env/language_ini_file.h"

#include "env/speedy_ini_file.h"

#include "host/class_registry.h"
#include "host/ini_file.h"
#include "host/interaction.h"
#include "host/property_access.h"
#include "host/strings.h"
#include "host/text_codec.h"

#include <QFileInfo>
#include <QMap>
#include <QTabWidget>
#include <functional>

namespace {

const QString kCaption = QStringLiteral("Caption");
const QString kHint = QStringLiteral("Hint");
const QString kItems = QStringLiteral("Items");
const QString kLines = QStringLiteral("Lines");
const QString kRuntimeMessages = QStringLiteral("RuntimeMessages");

// A value looked up by key in the form's section; empty when missing.
using TLookup = std::function<QString(const QString &key)>;

QString Key(const QString &name, const char *suffix, int number = -1) {
    QString key = name + QLatin1Char('.') + QLatin1String(suffix);
    if (number >= 0) key += QString::number(number);
    return key;
}

// An object property that holds a string list; null when missing or of another class.
TStrings *ListProperty(QObject *object, const QString &name) {
    return object ? qobject_cast<TStrings *>(GetPointerProperty(object, name)) : nullptr;
}

// The owner's components that have a name, in ownership order. A copy, so that whatever a
// property setter does to the owner's list cannot disturb the walk.
QList<TComponent *> NamedComponents(const TComponent *owner) {
    QList<TComponent *> named;
    if (owner)
        for (TComponent *c : owner->Components())
            if (!c->Name().isEmpty()) named.append(c);
    return named;
}

void TranslateString(QObject *object, const QString &property, const QString &value) {
    if (!value.isEmpty()) SetStringProperty(object, property, value);
}

// Replaces the entries of a list by position (index -> text). A sorted list refuses positional
// writes, so it is refilled with the translated texts instead and sorts them itself.
void ReplaceEntries(TStrings &list, const QMap<int, QString> &values) {
    if (values.isEmpty()) return;
    auto *stringList = qobject_cast<TStringList *>(&list);
    list.BeginUpdate();
    if (stringList && stringList->Sorted()) {
        QStringList lines = list.ToStringList();
        QList<QObject *> objects;
        for (int i = 0; i < list.Count(); ++i) objects.append(list.Objects(i));
        for (auto it = values.begin(); it != values.end(); ++it) lines[it.key()] = it.value();
        list.Clear();
        for (int i = 0; i < lines.size(); ++i) list.AddObject(lines[i], objects[i]);
    } else {
        for (auto it = values.begin(); it != values.end(); ++it) list.Put(it.key(), it.value());
    }
    list.EndUpdate();
}

// Entry i of the list takes the value of "<name>.Item<i + first>" when that is not empty.
void TranslateEntries(TStrings *list, const QString &name, int first, const TLookup &lookup) {
    if (!list) return;
    QMap<int, QString> values;
    for (int i = 0; i < list->Count(); ++i) {
        const QString value = lookup(Key(name, "Item", i + first));
        if (!value.isEmpty()) values.insert(i, value);
    }
    ReplaceEntries(*list, values);
}

// Tab i of a tabbed notebook takes the value of "<name>.Item<i + 1>" when that is not empty.
void TranslatePages(QObject *object, const QString &name, const TLookup &lookup) {
    auto *notebook = qobject_cast<QTabWidget *>(object);
    if (!notebook) return;
    for (int i = 0; i < notebook->count(); ++i) {
        const QString value = lookup(Key(name, "Item", i + 1));
        if (!value.isEmpty()) notebook->setTabText(i, value);
    }
}

// The whole list becomes the values of "<name>.Item1", "<name>.Item2", ... up to the first
// empty or missing one; without "<name>.Item1" the list stays as it is.
void ReplaceLines(TStrings *list, const QString &name, const TLookup &lookup) {
    if (!list) return;
    QString value = lookup(Key(name, "Item", 1));
    if (value.isEmpty()) return;
    list->BeginUpdate();
    list->Clear();
    for (int n = 2; !value.isEmpty(); ++n) {
        list->Add(value);
        value = lookup(Key(name, "Item", n));
    }
    list->EndUpdate();
}

void WriteList(TIniFile &ini, const QString &section, const TStrings *list, const QString &name, const char *suffix) {
    if (!list) return;
    for (int i = 0; i < list->Count(); ++i) ini.WriteString(section, Key(name, suffix, i), list->Get(i));
}

}  // namespace

TLanguageIniFile::TLanguageIniFile(TComponent *AOwner) : TComponent(AOwner) {
    if (AOwner) SetFormName(AOwner->Name());
}

void TLanguageIniFile::SetFormName(const QString &value) { FFormName = CutText(value, 255); }

void TLanguageIniFile::SetIniFileName(const QString &value) { FIniFileName = CutText(value, 255); }

QObject *TLanguageIniFile::OwnerObject() const { return Owner() ? Owner()->Object() : nullptr; }

bool TLanguageIniFile::CheckSet(const QString &value, const char *property) const {
    if (!value.isEmpty()) return true;
    Interaction().ShowError(QStringLiteral("Property \"%1\" not set!").arg(QLatin1String(property)));
    return false;
}

void TLanguageIniFile::SaveFormStrings() {
    if (!CheckSet(FIniFileName, "IniFileName") || !CheckSet(FFormName, "FormName")) return;
    TIniFile ini(FIniFileName);
    for (TComponent *c : NamedComponents(Owner())) {
        if (c->Tag() == NoExportTag) continue;
        QObject *object = c->Object();
        if (!object) continue;
        const QString &name = c->Name();
        const QString caption = GetStringProperty(object, kCaption);
        if (!caption.isEmpty()) ini.WriteString(FFormName, Key(name, "Caption"), caption);
        const QString hint = GetStringProperty(object, kHint);
        if (!hint.isEmpty()) ini.WriteString(FFormName, Key(name, "Hint"), hint);
        WriteList(ini, FFormName, ListProperty(object, kItems), name, "Item");
        WriteList(ini, FFormName, ListProperty(object, kLines), name, "Line");
    }
}

void TLanguageIniFile::TranslateForm() {
    if (!CheckSet(FIniFileName, "IniFileName") || !CheckSet(FFormName, "FormName")) return;
    const TIniFile ini(FIniFileName);
    const TLookup lookup = [&](const QString &key) { return ini.ReadString(FFormName, key, QString()); };
    TranslateString(OwnerObject(), kCaption, lookup(Key(FFormName, "Caption")));
    for (TComponent *c : NamedComponents(Owner())) {
        QObject *object = c->Object();
        if (!object) continue;
        const QString &name = c->Name();
        TranslateString(object, kCaption, lookup(Key(name, "Caption")));
        TranslateString(object, kHint, lookup(Key(name, "Hint")));
        TranslatePages(object, name, lookup);
        TranslateEntries(ListProperty(object, kItems), name, 0, lookup);
        TranslateEntries(ListProperty(object, kLines), name, 0, lookup);
        TranslateEntries(ListProperty(object, kRuntimeMessages), name, 0, lookup);
    }
}

void TLanguageIniFile::TranslateFormFN(const QString &FileName) {
    if (FileName.isEmpty() || !QFileInfo(FileName).isFile()) return;
    SetIniFileName(FileName);
    TranslateForm();
}

void TLanguageIniFile::TranslateFormGlobal(const TSpeedyIniFile &Reader) {
    if (!CheckSet(FFormName, "FormName")) return;
    const TLookup lookup = [&](const QString &key) { return Reader.ReadString(FFormName, key, QString()); };
    TranslateString(OwnerObject(), kCaption, lookup(Key(FFormName, "Caption")));
    for (TComponent *c : NamedComponents(Owner())) {
        QObject *object = c->Object();
        if (!object) continue;
        const QString &name = c->Name();
        TranslateString(object, kCaption, lookup(Key(name, "Caption")));
        TranslateString(object, kHint, lookup(Key(name, "Hint")));
        TranslateEntries(ListProperty(object, kItems), name, 1, lookup);
        TranslatePages(object, name, lookup);
        ReplaceLines(ListProperty(object, kLines), name, lookup);
        TranslateEntries(ListProperty(object, kRuntimeMessages), name, 1, lookup);
    }
}

void RegisterLanguageIniFile() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterComponentClass<TLanguageIniFile>();
}
