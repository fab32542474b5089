#pragma once
// The standard controls forms are built from, and their registration by class name.
#include "host/button_controls.h"
#include "host/container_controls.h"
#include "host/list_controls.h"
#include "host/menu_controls.h"
#include "host/text_controls.h"

// Registers every standard control class by name (idempotent).
void RegisterStandardControls();
