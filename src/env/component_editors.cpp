#include "env/component_editors.h"
#include "env/language_ini_file.h"

#include <QObject>

QString TLIFDesignModeMenu::GetVerb(int Index) const {
    switch (Index) {
    case 0:
        return QStringLiteral("Vendamo language file");
    case 1:
        return QStringLiteral("Writes the texts of this form to IniFileName, section FormName,");
    case 2:
        return QStringLiteral("or translates the form from there.");
    case 3:
        return QStringLiteral("-");
    case 4:
        return QStringLiteral("Save strings to INI-file");
    case 5:
        return QStringLiteral("Load strings from INI-file");
    default:
        return QString();
    }
}

void TLIFDesignModeMenu::ExecuteVerb(int Index) {
    auto *file = Component() ? qobject_cast<TLanguageIniFile *>(Component()->Object()) : nullptr;
    if (!file) return;
    if (Index == 4) file->SaveFormStrings();
    if (Index == 5) file->TranslateForm();
}

QString TVDMDesignerDesignModeMenu::GetVerb(int Index) const {
    switch (Index) {
    case 0:
        return QStringLiteral("Vendamo report designer");
    case 1:
        return QStringLiteral("Edits the report of its form at run time;");
    case 2:
        return QStringLiteral("place a designer dialog component to open the designer window.");
    default:
        return QString();
    }
}
