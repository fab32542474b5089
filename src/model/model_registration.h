#pragma once
// Registers the report model's component classes by name (idempotent), so that report files,
// element streams and the designer can create them from their class names, and the model's
// expression functions. Loaders, design reports and the evaluation helpers call it.
void RegisterModelClasses();
