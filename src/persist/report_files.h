#pragma once
// Installs the report file reader as the loader's report-file service, so that
// TVDMLoader::LoadReport and its stream and blob variants read report files. The library does
// this itself before main (startup.cpp); calling it again does no harm.
void InstallReportFiles();
