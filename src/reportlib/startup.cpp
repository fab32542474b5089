// Runs before main in every program that links the report library.
#include "reportlib/accessible_element.h"

namespace {
const bool installed = (QAccessible::installFactory(RepControlAccessibleFactory), true);
}  // namespace
