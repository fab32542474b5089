#pragma once
// The report a command works on: a form holding the report and a loader, with what the tool
// adds to the loader for writing files as the designer does (embedded pictures, the application
// data of a file kept from load to save).
#include "model/loader.h"

#include "host/forms.h"
#include "host/method.h"
#include "persist/report_reader.h"

#include <QByteArray>
#include <QStringList>
#include <memory>

class TDesignReport;
class TStream;

class TToolLoader : public TVDMLoader {
    Q_OBJECT
    Q_PROPERTY(bool SaveImagesInReportfile READ SaveImagesInReportfile WRITE SetSaveImagesInReportfile)
    Q_PROPERTY(TMethod OnSaveReport READ OnSaveReport)
public:
    explicit TToolLoader(TComponent *AOwner);

    bool SaveImagesInReportfile() const { return FEmbedImages; }
    void SetSaveImagesInReportfile(bool value) { FEmbedImages = value; }
    // The application data block of the loaded file (kept through OnLoadReport), written
    // again when saving.
    TMethod OnSaveReport() const;
    const QByteArray &ApplicationData() const { return FApplicationData; }

private:
    void KeepApplicationData(TStream *Stream);
    void GiveApplicationData(TStream *Stream);
    bool FEmbedImages = false;
    QByteArray FApplicationData;
};

class TToolReport {
public:
    TToolReport();
    ~TToolReport();

    TForm *Form() const { return FForm.get(); }
    TDesignReport *Report() const { return FReport; }
    TToolLoader *Loader() const { return FLoader; }
    const TReportLoadInfo &LoadInfo() const { return FInfo; }

    // Loads the file with its datasets; the report takes the units the file was saved in.
    bool Load(const QString &fileName);
    bool Save(const QString &fileName);

private:
    std::unique_ptr<TForm> FForm;
    TDesignReport *FReport;
    TToolLoader *FLoader;
    TReportLoadInfo FInfo;
};

// Takes the "--alias NAME=DB" options out of args and defines the aliases; false (with a
// message) for a malformed one.
bool TakeAliasOptions(QStringList &args);
