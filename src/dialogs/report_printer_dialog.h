#pragma once
// The printer dialog component: an application places it on one of its forms and previews or
// prints report files through it, without the designer. Each call creates the private print
// form (owned by the component's owner), copies the component's settings into the form's
// loader, loads the report, runs it and frees the form again; settings changed while a form
// exists do not reach it. The designer dialog component (one level up) builds on this one.
#include "host/component.h"
#include "host/method.h"

#include <QObject>
#include <QPointer>

class TReportPrintForm;
class TVDMLoader;
class QWidget;

class TReportPrinterDialog : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(qint32 Tag READ Tag WRITE SetTag)
    Q_PROPERTY(TMethod AfterReportLoaded READ AfterReportLoaded WRITE SetAfterReportLoaded)
    Q_PROPERTY(TMethod AfterReportFormCreated READ AfterReportFormCreated WRITE SetAfterReportFormCreated)
    Q_PROPERTY(TMethod OnLoadReport READ OnLoadReport WRITE SetOnLoadReport)
    Q_PROPERTY(TMethod BeforeGetQueryParams READ BeforeGetQueryParams WRITE SetBeforeGetQueryParams)
    Q_PROPERTY(TMethod BeforeOpenDataset READ BeforeOpenDataset WRITE SetBeforeOpenDataset)
    Q_PROPERTY(TMethod OnCalcFields READ OnCalcFields WRITE SetOnCalcFields)
    Q_PROPERTY(bool ShowFilterBeforePrint READ ShowFilterBeforePrint WRITE SetShowFilterBeforePrint)
    Q_PROPERTY(bool UseDataModules READ UseDataModules WRITE SetUseDataModules)
    Q_PROPERTY(bool SaveLoadPrinterSetup READ SaveLoadPrinterSetup WRITE SetSaveLoadPrinterSetup)
public:
    Q_INVOKABLE explicit TReportPrinterDialog(TComponent *AOwner = nullptr);
    ~TReportPrinterDialog() override;

    // Events: AfterReportLoaded and AfterReportFormCreated are called as
    // Invoke<QWidget *, TComponent *>(form, loader or designer); the others are handed to the
    // loader as they are (an unassigned one leaves the loader's own handler in place).
    TMethod AfterReportLoaded() const { return FAfterReportLoaded; }
    void SetAfterReportLoaded(const TMethod &m) { FAfterReportLoaded = m; }
    TMethod AfterReportFormCreated() const { return FAfterReportFormCreated; }
    void SetAfterReportFormCreated(const TMethod &m) { FAfterReportFormCreated = m; }
    TMethod OnLoadReport() const { return FOnLoadReport; }
    void SetOnLoadReport(const TMethod &m) { FOnLoadReport = m; }
    TMethod BeforeGetQueryParams() const { return FBeforeGetQueryParams; }
    void SetBeforeGetQueryParams(const TMethod &m) { FBeforeGetQueryParams = m; }
    TMethod BeforeOpenDataset() const { return FBeforeOpenDataset; }
    void SetBeforeOpenDataset(const TMethod &m) { FBeforeOpenDataset = m; }
    TMethod OnCalcFields() const { return FOnCalcFields; }
    void SetOnCalcFields(const TMethod &m) { FOnCalcFields = m; }
    // Shows the filter dialog of the report's dataset before previewing or printing.
    bool ShowFilterBeforePrint() const { return FShowFilterBeforePrint; }
    void SetShowFilterBeforePrint(bool value) { FShowFilterBeforePrint = value; }
    bool UseDataModules() const { return FUseDataModules; }
    void SetUseDataModules(bool value) { FUseDataModules = value; }
    bool SaveLoadPrinterSetup() const { return FSaveLoadPrinterSetup; }
    void SetSaveLoadPrinterSetup(bool value) { FSaveLoadPrinterSetup = value; }
    // A component whose datasets the report may use besides its own (not owned).
    TComponent *DatabaseOwner() const { return FDatabaseOwner; }
    void SetDatabaseOwner(TComponent *value);

    // Loads the report file and previews (or prints) it; false when it did not load, in which
    // case nothing is shown or printed (the loader has said why).
    bool PreviewReport(const QString &FileName);
    bool PrintReport(const QString &FileName);

    // While a call runs: the form it created and the loader (or designer) on it.
    QWidget *Form() const { return FForm; }
    TVDMLoader *Loader() const { return FLoader; }

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;
    virtual void CreatePrintForm();
    // Copies the settings into the form's loader.
    virtual void AssignProperties();
    // Loads through the form's loader; on success calls AfterReportLoaded.
    bool LoadReport(const QString &FileName);
    // Calls AfterReportFormCreated with the new form and its loader.
    void FormCreated();
    // Frees the form of the current call.
    void FreeForm();

    QPointer<QWidget> FForm;
    TVDMLoader *FLoader = nullptr;

private:
    bool Run(const QString &FileName, bool Preview);

    TMethod FAfterReportLoaded, FAfterReportFormCreated, FOnLoadReport, FBeforeGetQueryParams, FBeforeOpenDataset,
        FOnCalcFields;
    bool FShowFilterBeforePrint = false;
    bool FUseDataModules = false;
    bool FSaveLoadPrinterSetup = false;
    TComponent *FDatabaseOwner = nullptr;
};
