#pragma once
// The functions every expression can use without anyone registering them.

// Registers the scalar functions (IF, STR, UPPER ...) and the aggregates (SUM, COUNT ...);
// the function library calls this once, on its first use.
void RegisterBuiltinRepFunctions();
void RegisterScalarRepFunctions();
void RegisterAggregateRepFunctions();
