#pragma once
// The process-wide language file: the name the settings file gives (empty: no translation).
// Forms translate themselves through it when they are created.
#include <QString>

QString VendamoLanguageIniFile();
// Keeps at most 255 characters.
void SetVendamoLanguageIniFile(const QString &fileName);
