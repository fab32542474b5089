#pragma once
// A stand-in for the designer in tests: a loader that publishes the save options and the save
// event that the report writer reads by name from the designer.
#include "model/loader.h"

#include "host/method.h"

class TTestDesigner : public TVDMLoader {
    Q_OBJECT
    Q_PROPERTY(bool SaveImagesInReportfile MEMBER SaveImagesInReportfile)
    Q_PROPERTY(bool SaveBackupFiles MEMBER SaveBackupFiles)
    Q_PROPERTY(QString BackupFileExtension MEMBER BackupFileExtension)
    Q_PROPERTY(TMethod OnSaveReport MEMBER OnSaveReport)
public:
    using TVDMLoader::TVDMLoader;

    bool SaveImagesInReportfile = false;
    bool SaveBackupFiles = false;
    QString BackupFileExtension = QStringLiteral(".BAK");
    TMethod OnSaveReport;
};
