#pragma once
// A stand-in for the designer in tests: a loader that publishes the options and events the
// report writer and reader read by name, with a DatabaseOwner.
#include "model/loader.h"

#include "host/method.h"

class TTestDesigner : public TVDMLoader {
    Q_OBJECT
    Q_PROPERTY(bool SaveLoadPrinterSetup MEMBER SaveLoadPrinterSetup)
    Q_PROPERTY(bool SaveImagesInReportfile MEMBER SaveImagesInReportfile)
    Q_PROPERTY(bool UseDataModules MEMBER UseDataModules)
    Q_PROPERTY(bool SaveBackupFiles MEMBER SaveBackupFiles)
    Q_PROPERTY(QString BackupFileExtension MEMBER BackupFileExtension)
    Q_PROPERTY(QObject *DatabaseOwner MEMBER DatabaseOwner)
    Q_PROPERTY(TMethod OnSaveReport MEMBER OnSaveReport)
    Q_PROPERTY(TMethod OnLoadReport MEMBER OnLoadReport)
    Q_PROPERTY(TMethod BeforeOpenDatasets MEMBER BeforeOpenDatasets)
    Q_PROPERTY(TMethod BeforeOpenDataset MEMBER BeforeOpenDataset)
    Q_PROPERTY(TMethod OnCalcFields MEMBER OnCalcFields)
public:
    using TVDMLoader::TVDMLoader;

    bool SaveLoadPrinterSetup = false;
    bool SaveImagesInReportfile = false;
    bool UseDataModules = false;
    bool SaveBackupFiles = false;
    QString BackupFileExtension = QStringLiteral(".BAK");
    QObject *DatabaseOwner = nullptr;
    TMethod OnSaveReport, OnLoadReport, BeforeOpenDatasets, BeforeOpenDataset, OnCalcFields;
};
