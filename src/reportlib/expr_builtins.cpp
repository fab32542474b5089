#include "reportlib/expr_builtins.h"

void RegisterBuiltinRepFunctions() {
    RegisterScalarRepFunctions();
    RegisterAggregateRepFunctions();
}
