#include "dblib/settings_aliases.h"

#include "host/ini_file.h"

QList<QPair<QString, QString>> ReadSettingsAliases(const QString &iniFileName) {
    QList<QPair<QString, QString>> result;
    const TIniFile ini(iniFileName);
    const QString section = QStringLiteral("Aliases");
    for (const QString &name : ini.ReadSection(section)) result.append({name, ini.ReadString(section, name, QString())});
    return result;
}
