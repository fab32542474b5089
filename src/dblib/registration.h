#pragma once
// Registers the data access component classes by name (TTable, TQuery, TWizQuery,
// TDataSource and every field class), so that report readers can create them from a class
// name. Runs once at start-up; calling it again does nothing.
void RegisterDbComponents();
