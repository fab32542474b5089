#pragma once
// The settings file "VENDAMO.INI" beside the running executable: the loader's and the
// designer's settings. Every read takes the target's current value as its default, so missing
// keys, malformed values and a missing file change nothing. Writes go through TIniFile, which
// keeps every other line of an existing file.
#include <QString>

class TVDMDesigner;
class TVDMLoader;

// The settings file's full name: the executable's directory and "VENDAMO.INI".
QString VendamoSettingsFileName();
// The user's own copy in the configuration folder: written instead of the file beside the
// program when that cannot be written (a failed write shows why and returns false), and read
// after it, so its values win.
QString UserSettingsFileName();
// A file name from the settings: a bare name is taken from the executable's directory, one
// with a directory part is used as it is; empty stays empty.
QString SettingsFilePath(const QString &value);

// Reads General "SaveLoadPrinterSetup", "UseDatamodules" and "Languagefile" (the process-wide
// language file), then the Printer section into the loader's report: the printer whose name
// equals "PrinterName" ignoring case, duplex, copies, bin, orientation and paper size, and for
// the custom paper size its width and length in the report's units.
void ReadVDMLoaderSetup(TVDMLoader *Loader);

// Reads the designer's own settings: sections User (the five permission flags), Editor (grid
// and arrow-key steps) and Display (component frames, band names, the report page's ruler and
// the report's units).
void ReadVendamoUserSetup(TVDMDesigner *Designer);
// Reads everything the designer window needs at start: the user settings, the loader settings,
// then General "UndoEnabled", "SaveBackupFiles", "SaveImagesInReportFile", "Helpfile" (handed
// back in HelpFile, empty when the file names none) and "BackupFileExtension".
void ReadVendamoSetup(TVDMDesigner *Designer, QString &HelpFile);

// Writes sections User, Editor and Display from the designer and its report.
bool SaveVendamoUserSetup(TVDMDesigner *Designer);
// Writes the user settings, then General and the Printer section of the designer's report.
bool SaveVendamoSetup(TVDMDesigner *Designer);
