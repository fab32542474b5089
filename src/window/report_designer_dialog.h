#pragma once
// The designer dialog component: an application places it on one of its forms and lets its
// users create or edit report files in the full designer window. Each call creates the window
// (owned by the component's owner), copies the component's settings into the window and its
// designer, shows it modally and frees it again.
#include "dialogs/report_printer_dialog.h"

#include "host/strings.h"

#include <memory>

class TReportDesignerForm;
class TVDMDesigner;

class TReportDesignerDialog : public TReportPrinterDialog {
    Q_OBJECT
    Q_PROPERTY(TMethod OnSaveReport READ OnSaveReport WRITE SetOnSaveReport)
    Q_PROPERTY(TMethod OnEditQuery READ OnEditQuery WRITE SetOnEditQuery)
    Q_PROPERTY(bool AllowSQLEdit READ AllowSQLEdit WRITE SetAllowSQLEdit)
    Q_PROPERTY(bool QueriesOnlyInExpert READ QueriesOnlyInExpert WRITE SetQueriesOnlyInExpert)
    Q_PROPERTY(bool QueriesOnlyInDBSetup READ QueriesOnlyInDBSetup WRITE SetQueriesOnlyInDBSetup)
    Q_PROPERTY(QString DefaultSaveDir READ DefaultSaveDir WRITE SetDefaultSaveDir)
    Q_PROPERTY(QString DefaultOpenDir READ DefaultOpenDir WRITE SetDefaultOpenDir)
    Q_PROPERTY(bool SaveImagesInReportfile READ SaveImagesInReportfile WRITE SetSaveImagesInReportfile)
    Q_PROPERTY(bool UndoEnabled READ UndoEnabled WRITE SetUndoEnabled)
    Q_PROPERTY(bool SaveBackupFiles READ SaveBackupFiles WRITE SetSaveBackupFiles)
    Q_PROPERTY(bool AllowNewCalcFields READ AllowNewCalcFields WRITE SetAllowNewCalcFields)
    Q_PROPERTY(bool AutoEditAfterInsert READ AutoEditAfterInsert WRITE SetAutoEditAfterInsert)
    Q_PROPERTY(bool AllowBlockEdit READ AllowBlockEdit WRITE SetAllowBlockEdit)
    Q_PROPERTY(TStrings *FieldDisplayLabels READ FieldDisplayLabels WRITE SetFieldDisplayLabels)
    Q_PROPERTY(TStrings *AvailableDatasetNames READ AvailableDatasetNames WRITE SetAvailableDatasetNames)
    Q_PROPERTY(TStrings *AvailableTableNames READ AvailableTableNames WRITE SetAvailableTableNames)
public:
    Q_INVOKABLE explicit TReportDesignerDialog(TComponent *AOwner = nullptr);
    ~TReportDesignerDialog() override;

    // Handed to the designer as they are (an unassigned one leaves the designer's own).
    TMethod OnSaveReport() const { return FOnSaveReport; }
    void SetOnSaveReport(const TMethod &m) { FOnSaveReport = m; }
    TMethod OnEditQuery() const { return FOnEditQuery; }
    void SetOnEditQuery(const TMethod &m) { FOnEditQuery = m; }
    bool AllowSQLEdit() const { return FAllowSQLEdit; }
    void SetAllowSQLEdit(bool value) { FAllowSQLEdit = value; }
    bool QueriesOnlyInExpert() const { return FQueriesOnlyInExpert; }
    void SetQueriesOnlyInExpert(bool value) { FQueriesOnlyInExpert = value; }
    bool QueriesOnlyInDBSetup() const { return FQueriesOnlyInDBSetup; }
    void SetQueriesOnlyInDBSetup(bool value) { FQueriesOnlyInDBSetup = value; }
    // The folders the window's save and open dialogs start in (at most 255 characters); empty:
    // the folder of the running program.
    QString DefaultSaveDir() const { return FDefaultSaveDir; }
    void SetDefaultSaveDir(const QString &value) { FDefaultSaveDir = value.left(255); }
    QString DefaultOpenDir() const { return FDefaultOpenDir; }
    void SetDefaultOpenDir(const QString &value) { FDefaultOpenDir = value.left(255); }
    bool SaveImagesInReportfile() const { return FSaveImagesInReportfile; }
    void SetSaveImagesInReportfile(bool value) { FSaveImagesInReportfile = value; }
    // Also shows or hides the window's Undo item.
    bool UndoEnabled() const { return FUndoEnabled; }
    void SetUndoEnabled(bool value) { FUndoEnabled = value; }
    bool SaveBackupFiles() const { return FSaveBackupFiles; }
    void SetSaveBackupFiles(bool value) { FSaveBackupFiles = value; }
    bool AllowNewCalcFields() const { return FAllowNewCalcFields; }
    void SetAllowNewCalcFields(bool value) { FAllowNewCalcFields = value; }
    bool AutoEditAfterInsert() const { return FAutoEditAfterInsert; }
    void SetAutoEditAfterInsert(bool value) { FAutoEditAfterInsert = value; }
    bool AllowBlockEdit() const { return FAllowBlockEdit; }
    void SetAllowBlockEdit(bool value) { FAllowBlockEdit = value; }
    // The component keeps its own lists; assigning copies the lines.
    TStrings *FieldDisplayLabels() const { return FFieldDisplayLabels.get(); }
    void SetFieldDisplayLabels(TStrings *value);
    TStrings *AvailableDatasetNames() const { return FAvailableDatasetNames.get(); }
    void SetAvailableDatasetNames(TStrings *value);
    TStrings *AvailableTableNames() const { return FAvailableTableNames.get(); }
    void SetAvailableTableNames(TStrings *value);

    // Opens the designer on a new report; a non-empty FileName becomes the report's file name
    // (the first save writes there). True.
    bool NewReport(const QString &FileName = QString());
    // Opens the designer on the report file; an empty name or a file that does not exist opens
    // a new report under that name. The window is shown even when the file does not load (on
    // an empty report); the result is whether it loaded.
    bool EditReport(const QString &FileName);

    // While a call runs: the designer window.
    TReportDesignerForm *DesignerForm() const;

protected:
    void AssignProperties() override;
    virtual void CreateEditorForm();

private:
    // Shows the window modally through the interaction service.
    void ShowEditorForm();

    TMethod FOnSaveReport, FOnEditQuery;
    bool FAllowSQLEdit = true;
    bool FQueriesOnlyInExpert = false;
    bool FQueriesOnlyInDBSetup = false;
    QString FDefaultSaveDir, FDefaultOpenDir;
    bool FSaveImagesInReportfile = false;
    bool FUndoEnabled = false;
    bool FSaveBackupFiles = false;
    bool FAllowNewCalcFields = false;
    bool FAutoEditAfterInsert = true;
    bool FAllowBlockEdit = false;
    std::unique_ptr<TStringList> FFieldDisplayLabels, FAvailableDatasetNames, FAvailableTableNames;
};
