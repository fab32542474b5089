#pragma once
// Turns an expression text into a tree of elements. Precedence, from binding tightest:
// unary minus and NOT; * / DIV MOD; + -; the comparisons; AND; OR. Operators of one level
// group from the left.
#include "reportlib/expr_elements.h"

#include <QString>

// Raises EExprError for a syntax error, an unknown function, or an identifier that is neither
// a field the context's resolver knows nor a function. A text of blanks only yields the empty
// string.
TRepEvElementPtr ParseRepExpression(const QString &expression, const TRepEvContext *context);
