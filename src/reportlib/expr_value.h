#pragma once
// The value an expression evaluates to: a tagged value of one of five kinds. The order of the
// kinds is fixed because callers store and compare their ordinals.
#include <QString>
#include <QtGlobal>

enum TRepEvResultType { resInt, resDouble, resString, resBool, resError };

// Strings an expression produces are cut to this many characters.
constexpr int RepEvMaxStringLength = 255;

struct TRepEvResult {
    TRepEvResultType Kind = resError;
    qint64 intResult = 0;
    double dblResult = 0.0;
    QString strResult;      // the text of a string; for an error, a short reason
    bool booResult = false;

    static TRepEvResult Int(qint64 value);
    // A value that is not finite (overflow, 0/0) becomes an error.
    static TRepEvResult Double(double value);
    static TRepEvResult String(const QString &value);  // cut to RepEvMaxStringLength
    static TRepEvResult Bool(bool value);
    static TRepEvResult Error(const QString &reason = QString());

    bool IsNumeric() const { return Kind == resInt || Kind == resDouble; }
    bool IsError() const { return Kind == resError; }
    // The numeric value as a floating-point number (0 for other kinds).
    double AsDouble() const;
};

// The upper-case name of a kind as TYPEOF reports it: INTEGER, FLOAT, STRING, BOOLEAN, ERROR.
QString RepEvResultTypeName(TRepEvResultType kind);

// The text an expression element prints for a value: numbers through the FormatFloat mask
// (integers as floating point; an empty mask gives the general format), strings unchanged,
// booleans "True" or "False", and an error as the expression text itself.
QString FormatRepEvResult(const TRepEvResult &value, const QString &mask,
                          const QString &expression);
