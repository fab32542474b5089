// Runs before main in every program that links the host library: the standard controls can be
// created by class name from the start, as forms and streams name them.
#include "host/standard_controls.h"

namespace {
const bool registered = (RegisterStandardControls(), true);
}  // namespace
