#pragma once
// Registers the report model's component classes by name (idempotent), so that report files,
// element streams and the designer can create them from their class names, and the model's
// expression functions. It runs before main in every program that links the model (startup.cpp);
// loaders, design reports and the evaluation helpers call it too, which costs nothing.
void RegisterModelClasses();
