#pragma once
// Evaluating one expression text against a report, in the form the caller needs. Each call
// prepares its own evaluator over the report's datasets and frees it again; the evaluator's
// exceptions (a syntax error, an unknown name) pass to the caller.
#include <QString>

class TReport;

// True for an empty expression; else the boolean value, and true for every other kind.
bool EvalBoolExpression(const QString &Expression, TReport *Report);
// Empty for an empty expression; else the string value, and empty for every other kind (wrap
// numbers in STR( ) to get them as text).
QString EvalStringExpression(const QString &Expression, TReport *Report);
// False for an empty expression; else true exactly when the result is not a string.
bool IsExprResultNumeric(const QString &Expression, TReport *Report);
