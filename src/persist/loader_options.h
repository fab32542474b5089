#pragma once
// What report files need of the loader or designer. Options and events are reached by property
// name, so that one path serves the run-time loader and the designer, which adds the save options
// (SaveImagesInReportfile, SaveBackupFiles, BackupFileExtension, OnSaveReport); a loader that
// lacks one reads it as false, empty or unassigned. Events are called as Invoke<TStream*> for
// OnSaveReport and OnLoadReport, Invoke<>() for BeforeOpenDatasets, Invoke<TDataSet*> for
// BeforeOpenDataset.
#include "host/method.h"

#include <QString>
#include <QStringList>

class QObject;
class TComponent;
class TDataSet;
class TReport;
class TVDMLoader;

namespace LoaderOption {
inline const QString SaveLoadPrinterSetup = QStringLiteral("SaveLoadPrinterSetup");
inline const QString SaveImagesInReportfile = QStringLiteral("SaveImagesInReportfile");
inline const QString UseDataModules = QStringLiteral("UseDataModules");
inline const QString SaveBackupFiles = QStringLiteral("SaveBackupFiles");
inline const QString BackupFileExtension = QStringLiteral("BackupFileExtension");
inline const QString OnSaveReport = QStringLiteral("OnSaveReport");
inline const QString OnLoadReport = QStringLiteral("OnLoadReport");
inline const QString BeforeOpenDatasets = QStringLiteral("BeforeOpenDatasets");
inline const QString BeforeOpenDataset = QStringLiteral("BeforeOpenDataset");
inline const QString OnCalcFields = QStringLiteral("OnCalcFields");
}  // namespace LoaderOption

// The loader's report (null without a loader or report).
TReport *LoaderReport(const TVDMLoader *Loader);
bool LoaderFlag(const TVDMLoader *Loader, const QString &Name);
QString LoaderText(const TVDMLoader *Loader, const QString &Name);
TMethod LoaderEvent(const TVDMLoader *Loader, const QString &Name);
// The component whose data sources the report may use besides its own form's (null when none).
TComponent *LoaderDatabaseOwner(const TVDMLoader *Loader);

// The calculated-fields handler a loaded dataset gets: the loader's VDMCalcFields.
TMethod LoaderCalcFieldsHandler(TVDMLoader *Loader);

// Shows an error box through the interaction service: the loader's message for Key, formatted
// with Param when Param is not empty; "Unknown Error [Key]" when the table has no such key.
// Reason, when given, follows after a colon.
void ShowLoaderError(const TVDMLoader *Loader, const QString &Key, const QString &Param = QString(),
                     const QString &Reason = QString());
