#include "reportlib/expr_registry.h"

#include "reportlib/expr_builtins.h"
#include "reportlib/expr_error.h"

#include <QRegularExpression>

int TRepFunctionInfo::Group() const {
    return Arguments.isEmpty() ? 0 : Arguments.at(0).digitValue();
}

QString TRepFunctionInfo::Syntax() const { return Description.section(QLatin1Char('|'), 0, 0); }

QString TRepFunctionInfo::Explanation() const {
    int bar = int(Description.indexOf(QLatin1Char('|')));
    return bar < 0 ? QString() : Description.mid(bar + 1);
}

QString TRepFunctionInfo::ArgumentKinds() const { return Arguments.mid(1); }

namespace {

class TRepFunctionLibrary {
public:
    static TRepFunctionLibrary &Instance() {
        static TRepFunctionLibrary library;
        return library;
    }
    QList<TRepFunctionInfo> Entries;
    bool BuiltinsRegistered = false;

    int IndexOf(const QString &name) const {
        for (int i = 0; i < Entries.size(); ++i)
            if (Entries.at(i).Name.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }

private:
    TRepFunctionLibrary() = default;
};

// The library with the built-ins in it. They are registered on the first access, through
// RegisterRepFunction like any other function; the flag is set first because that call comes
// back here.
TRepFunctionLibrary &Library() {
    TRepFunctionLibrary &library = TRepFunctionLibrary::Instance();
    if (!library.BuiltinsRegistered) {
        library.BuiltinsRegistered = true;
        RegisterBuiltinRepFunctions();
    }
    return library;
}

bool IsIdentifier(const QString &name) {
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return pattern.match(name).hasMatch();
}

}  // namespace

void RegisterRepFunction(const TRepEvFunctionClass &FunctionClass, const QString &Name,
                         const QString &Description, const QString &Vendor,
                         const QString &Arguments) {
    if (!IsIdentifier(Name))
        throw EExprError(QStringLiteral("Invalid function name '%1'").arg(Name));
    if (!FunctionClass)
        throw EExprError(QStringLiteral("No function class given for '%1'").arg(Name));
    if (Arguments.isEmpty() || !Arguments.at(0).isDigit() || Arguments.at(0).unicode() > '9')
        throw EExprError(
            QStringLiteral("Argument signature of '%1' must start with a group digit").arg(Name));
    TRepFunctionInfo info{FunctionClass, Name.toUpper(), Description, Vendor, Arguments};
    TRepFunctionLibrary &library = Library();
    int index = library.IndexOf(Name);
    if (index >= 0)
        library.Entries[index] = info;
    else
        library.Entries.append(info);
}

bool UnregisterRepFunction(const QString &Name) {
    TRepFunctionLibrary &library = Library();
    int index = library.IndexOf(Name);
    if (index < 0)
        return false;
    library.Entries.removeAt(index);
    return true;
}

std::optional<TRepFunctionInfo> FindRepFunction(const QString &Name) {
    TRepFunctionLibrary &library = Library();
    int index = library.IndexOf(Name);
    if (index < 0)
        return std::nullopt;
    return library.Entries.at(index);
}

QList<TRepFunctionInfo> RepFunctionList() { return Library().Entries; }

QList<TRepFunctionInfo> RepFunctionsOfGroup(int Group) {
    QList<TRepFunctionInfo> result;
    for (const TRepFunctionInfo &info : Library().Entries)
        if (info.Group() == Group)
            result.append(info);
    return result;
}

QString RepFunctionGroupName(int Group) {
    switch (Group) {
    case fgDateTime: return QStringLiteral("Date and time");
    case fgMath: return QStringLiteral("Mathematical");
    case fgStatistics: return QStringLiteral("Statistical");
    case fgString: return QStringLiteral("String");
    case fgConversion: return QStringLiteral("Conversion");
    case fgLogical: return QStringLiteral("Logical");
    case fgOther: return QStringLiteral("Other");
    default: return QStringLiteral("Group %1").arg(Group);
    }
}
