#pragma once
// The [Aliases] section of the settings file: NAME=path lines, in file order.
#include <QList>
#include <QPair>
#include <QString>

QList<QPair<QString, QString>> ReadSettingsAliases(const QString &iniFileName);
