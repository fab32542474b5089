#pragma once
// Installs the report file reader as the loader's report-file service, so that
// TVDMLoader::LoadReport and its stream and blob variants read report files. Programs that load
// reports through a loader call it once at start-up; calling it again does no harm.
void InstallReportFiles();
