#pragma once
// The run-time loader: the non-visual component that binds a report form to its report, owns
// the run-time message table and receives the mouse events of the report's bands and elements.
// The designer descends from it and overrides the mouse entries; the loader itself ignores them.
#include "host/component.h"
#include "host/method.h"
#include "host/strings.h"

#include <QList>
#include <QPointer>
#include <memory>

#include <QObject>
#include <QString>
#include <Qt>

class TDataSet;
class TDesignReport;
class TField;
class TParam;
class TParams;
class TStream;
Q_MOC_INCLUDE("model/design_report.h")

class TVDMLoader : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(qint32 Tag READ Tag WRITE SetTag)
    Q_PROPERTY(TDesignReport *Report READ Report WRITE SetReport)
    Q_PROPERTY(TStrings *RuntimeMessages READ RuntimeMessages WRITE SetRuntimeMessages)
    Q_PROPERTY(TMethod BeforeGetQueryParams READ BeforeGetQueryParams WRITE SetBeforeGetQueryParams)
    Q_PROPERTY(TMethod OnLoadReport READ OnLoadReport WRITE SetOnLoadReport)
    Q_PROPERTY(TMethod OnCalcFields READ OnCalcFields WRITE SetOnCalcFields)
    Q_PROPERTY(TMethod BeforeOpenDatasets READ BeforeOpenDatasets WRITE SetBeforeOpenDatasets)
    Q_PROPERTY(TMethod BeforeOpenDataset READ BeforeOpenDataset WRITE SetBeforeOpenDataset)
    Q_PROPERTY(bool SaveLoadPrinterSetup READ SaveLoadPrinterSetup WRITE SetSaveLoadPrinterSetup)
    Q_PROPERTY(bool UseDataModules READ UseDataModules WRITE SetUseDataModules)
public:
    // Takes the last design report the owner already holds as its report.
    Q_INVOKABLE explicit TVDMLoader(TComponent *AOwner = nullptr);
    ~TVDMLoader() override;

    // The report the loader works on (not owned); cleared when that report goes away.
    TDesignReport *Report() const { return FReport; }
    void SetReport(TDesignReport *value);

    // The run-time message table: "key=text" lines, the default table at creation. Assigning
    // copies the lines.
    TStrings *RuntimeMessages() const { return FRuntimeMessages; }
    void SetRuntimeMessages(TStrings *Lines);
    // The text of a key in the message table (letter case ignored; empty when absent).
    QString Message(const QString &Key) const;

    // Loading a report file, stream or blob field onto the owner form and the report: the form
    // is cleared, datasets, bands and elements are created, and afterwards every dataset of the
    // form gets VDMCalcFields as its calculated-fields handler. Returns false when the report
    // could not be read (the reader has shown why). The hourglass shows meanwhile.
    virtual bool LoadReport(const QString &FileName);
    virtual bool LoadReport_FromStream(TStream &Stream);
    virtual bool LoadReport_FromBlobField(TField *Field);

    // Mouse events of bands, elements (Sender) and the report surface (Sender null), in the
    // sender's client coordinates. The loader ignores them; the designer acts on them.
    virtual void _MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y, QObject *Sender);
    virtual void _MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y, QObject *Sender);
    virtual void _MouseMove(Qt::KeyboardModifiers Shift, int X, int Y, QObject *Sender);

    // Events. BeforeGetQueryParams: Invoke<TParams*, bool&>(params, doCancel) with the
    // parameters a run is about to use, before anyone is asked. OnLoadReport:
    // Invoke<TStream*>(applicationData) while a report file is read. OnCalcFields:
    // Invoke<TDataSet*>(dataSet) for every dataset of the report form. BeforeOpenDatasets:
    // Invoke<>() and BeforeOpenDataset: Invoke<TDataSet*>(dataSet) while a report is read.
    TMethod BeforeGetQueryParams() const { return FBeforeGetQueryParams; }
    void SetBeforeGetQueryParams(const TMethod &m) { FBeforeGetQueryParams = m; }
    TMethod OnLoadReport() const { return FOnLoadReport; }
    void SetOnLoadReport(const TMethod &m) { FOnLoadReport = m; }
    TMethod OnCalcFields() const { return FOnCalcFields; }
    void SetOnCalcFields(const TMethod &m) { FOnCalcFields = m; }
    TMethod BeforeOpenDatasets() const { return FBeforeOpenDatasets; }
    void SetBeforeOpenDatasets(const TMethod &m) { FBeforeOpenDatasets = m; }
    TMethod BeforeOpenDataset() const { return FBeforeOpenDataset; }
    void SetBeforeOpenDataset(const TMethod &m) { FBeforeOpenDataset = m; }
    // Whether report files carry the printer block.
    bool SaveLoadPrinterSetup() const { return FSaveLoadPrinterSetup; }
    void SetSaveLoadPrinterSetup(bool value) { FSaveLoadPrinterSetup = value; }
    // Whether data sources of the application's data modules may feed the report.
    bool UseDataModules() const { return FUseDataModules; }
    void SetUseDataModules(bool value) { FUseDataModules = value; }

    // A component whose data sources and datasets the report may use besides the report
    // form's (not owned; cleared when it goes away).
    TComponent *DatabaseOwner() const { return FDatabaseOwner; }
    void SetDatabaseOwner(TComponent *value);
    // The separate stream the report reader and writer keep the datasets in (not owned; null:
    // the datasets go into the report itself).
    TStream *DatasetStream() const { return FDatasetStream; }
    void SetDatasetStream(TStream *value) { FDatasetStream = value; }

    // The calculated-fields handler given to every dataset of the report form: passes the call
    // on to OnCalcFields, except while the loader is being designed.
    void VDMCalcFields(TDataSet *DataSet);
    TMethod CalcFieldsHandler() { return TMethod::Make(this, &TVDMLoader::VDMCalcFields); }

    // Parameter values the application supplies for the report's queries (not copied, not
    // owned; null for none). The list must outlive the runs that use it.
    void SetQueryParameters(TParams *Params) { FQueryParams = Params; }
    TParams *QueryParameters() const { return FQueryParams; }
    // Fills the parameters of the report form's queries before a run: from the application's
    // values, from BeforeGetQueryParams, and by asking the user for each one still empty.
    // Opens the queries. False when the run must not start (cancelled).
    bool GetQueryParameters();
    // Makes the parameters asked for in the last run empty again, so that the next run asks
    // again.
    void ResetQueryParameters();
    // How many parameters the user was asked for in the current run.
    int PromptedCount() const { return int(FPrompted.size()); }

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;

private:
    bool AskQueryParameters(class TQuery *Q);
    void AttachCalcFieldsHandler();

    TDesignReport *FReport = nullptr;
    TStringList *FRuntimeMessages;
    TMethod FBeforeGetQueryParams, FOnLoadReport, FOnCalcFields, FBeforeOpenDatasets, FBeforeOpenDataset;
    bool FSaveLoadPrinterSetup = false;
    bool FUseDataModules = false;
    TComponent *FDatabaseOwner = nullptr;
    TStream *FDatasetStream = nullptr;
    TParams *FQueryParams = nullptr;
    // Each asked parameter by its query and name, so that a query freed meanwhile is skipped.
    struct TPrompted {
        QPointer<QObject> Query;
        QString Name;
    };
    QList<TPrompted> FPrompted;
};

// The first component of a form, in component order, that is a loader or designer; null for no
// form or none found. Bands and elements find their designer this way.
TVDMLoader *SearchVendamoer(const TComponent *Form);

// Whether a loader is in fact the designer (the designer class lives in a later library).
bool IsDesigner(const QObject *Loader);
