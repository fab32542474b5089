#include "language_setting.h"

namespace {
QString &LanguageFile() {
    static QString name;
    return name;
}
}  // namespace

QString VendamoLanguageIniFile() { return LanguageFile(); }

void SetVendamoLanguageIniFile(const QString &fileName) { LanguageFile() = fileName.left(255); }
