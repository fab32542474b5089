// Runs before main in every program that links the report model: its component classes can be
// created by name and its expression functions (QUERYPARAM, STRTOINT, ...) are in the function
// library, so any report's expressions can call them, not only those of a loader's report.
#include "model/model_registration.h"

namespace {
const bool registered = (RegisterModelClasses(), true);
}  // namespace
