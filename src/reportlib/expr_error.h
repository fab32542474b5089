#pragma once
// The exception the expression evaluator raises for expressions it cannot prepare (syntax
// errors, unknown identifiers and functions) and for misuse of its interface.
#include "host/exceptions.h"

VENDAMO_EXCEPTION(EExprError, Exception)
