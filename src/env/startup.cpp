// Runs before main in every program that links the environment library: forms translate
// themselves through the language file the settings name from the start.
#include "env/form_translation.h"

namespace {
const bool installed = (InstallLanguageFiles(), true);
}  // namespace
