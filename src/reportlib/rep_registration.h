#pragma once
// Registers the report library's component classes by name (idempotent), so that streams and
// the designer can create bands and elements from their class names. Called by every TReport.
void RegisterReportLibraryClasses();
