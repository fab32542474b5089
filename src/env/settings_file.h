#pragma once
// The settings file "VENDAMO.INI" beside the running executable: the loader's part of it.
// Every read takes the target's current value as its default, so missing keys, malformed values
// and a missing file change nothing.
#include <QString>

class TVDMLoader;

// The settings file's full name: the executable's directory and "VENDAMO.INI".
QString VendamoSettingsFileName();
// A file name from the settings: a bare name is taken from the executable's directory, one
// with a directory part is used as it is; empty stays empty.
QString SettingsFilePath(const QString &value);

// Reads General "SaveLoadPrinterSetup", "UseDatamodules" and "Languagefile" (the process-wide
// language file), then the Printer section into the loader's report: the printer whose name
// equals "PrinterName" ignoring case, duplex, copies, bin, orientation and paper size, and for
// the custom paper size its width and length in the report's units.
void ReadVDMLoaderSetup(TVDMLoader *Loader);
