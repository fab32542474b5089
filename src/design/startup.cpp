// Runs before main in every program that links the design library: the classes the clipboard
// reader creates by name are registered without a call the application could forget.
#include "design/designer.h"
#include "design/stretch_handle.h"

#include "host/class_registry.h"
#include "model/model_registration.h"

namespace {
const bool registered = (RegisterModelClasses(), RegisterComponentClass<TStretch_Handle>(),
                         RegisterComponentClass<TVDMDesigner>(), true);
}  // namespace
