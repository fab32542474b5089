#pragma once
// The function library: every function an expression can call is registered here under its
// name, with the description, vendor and argument signature that the expression builder shows.
// The built-in functions register themselves the first time the library is used.
#include "reportlib/expr_function.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

// Creates one instance of a function class for one call in an expression.
using TRepEvFunctionClass = std::function<std::unique_ptr<TRepEvElementFunction>()>;

template <class T>
TRepEvFunctionClass RepFunctionClass() {
    return [] { return std::unique_ptr<TRepEvElementFunction>(new T); };
}

struct TRepFunctionInfo {
    TRepEvFunctionClass FunctionClass;
    QString Name;          // upper case
    QString Description;   // "SYNTAX|Explanation"
    QString Vendor;
    QString Arguments;     // group digit, then one letter per argument (S, N, B, V)

    int Group() const;              // the leading digit
    QString Syntax() const;         // the part of Description before "|"
    QString Explanation() const;    // the part after "|"
    QString ArgumentKinds() const;  // the letters after the group digit
};

// Registers a function class; a name registered before is replaced (keeping its place in the
// list). Raises EExprError for a name that is not an identifier, a missing class, or an
// argument signature that does not start with a digit.
void RegisterRepFunction(const TRepEvFunctionClass &FunctionClass, const QString &Name,
                         const QString &Description, const QString &Vendor,
                         const QString &Arguments);
// Removes a registration; false when the name was not registered.
bool UnregisterRepFunction(const QString &Name);
// The registration of a name (case-insensitive), or nothing.
std::optional<TRepFunctionInfo> FindRepFunction(const QString &Name);
// Every registered function in registration order.
QList<TRepFunctionInfo> RepFunctionList();
// The functions of one group in registration order.
QList<TRepFunctionInfo> RepFunctionsOfGroup(int Group);
// The title under which the expression builder lists a group.
QString RepFunctionGroupName(int Group);

// The group digits the built-in functions use.
enum TRepFunctionGroup {
    fgDateTime = 1, fgMath = 2, fgStatistics = 3, fgString = 4, fgConversion = 5,
    fgLogical = 6, fgOther = 7
};
