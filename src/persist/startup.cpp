// Runs before main in every program that links the report file library: the loader reads report
// files through it from the start, without a call the application could forget.
#include "persist/report_files.h"

namespace {
const bool installed = (InstallReportFiles(), true);
}  // namespace
