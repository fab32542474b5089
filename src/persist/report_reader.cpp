#include "persist/report_reader.h"

#include "persist/band_records.h"
#include "persist/dataset_opening.h"
#include "persist/dataset_records.h"
#include "persist/datasource_numbers.h"
#include "persist/element_records.h"
#include "persist/kept_field_settings.h"
#include "persist/loader_options.h"
#include "persist/record_block.h"
#include "persist/report_record.h"
#include "persist/report_records.h"

#include "dblib/data_source.h"
#include "dblib/query.h"
#include "dblib/table.h"
#include "host/stream.h"
#include "model/datasource_lookup.h"
#include "model/model_registration.h"
#include "model/report_constants.h"
#include "reportlib/rep_dbtext.h"
#include "reportlib/report.h"

#include <QFileInfo>
#include <QPointer>
#include <QWidget>
#include <utility>

namespace {

const QString ErrorInReportfile = QStringLiteral("Error in reportfile");
// Report files up to this size are parsed from memory; a larger file (a wrong one, most likely)
// is read from the disk as it is parsed, so that it never takes its size in memory.
constexpr qint64 InMemoryReportFileLimit = 64 * 1024 * 1024;

// Everything one load keeps; the pending lists go with it.
struct TLoad {
    TStream &Stream;
    TVDMLoader *Loader;
    TReport *Report;
    TComponent *Form;
    TDatasetReadState Datasets;
    TPendingBandLinks Links;
    TReportLoadInfo *Info;
    QList<QPointer<QWidget>> *HiddenBands;
    TStoredNameNumbers Names;
};

// Bands stay hidden while the records fill them and are shown together, however the load ends.
// A band that is shown while its elements arrive is sent a layout request for each of them, and
// Qt merges each such request by searching all events posted so far: with thousands of elements
// that search took longer than the reading.
class TBandsShownAfterLoad {
public:
    TBandsShownAfterLoad() = default;
    ~TBandsShownAfterLoad() { ShowAll(); }
    TBandsShownAfterLoad(const TBandsShownAfterLoad &) = delete;
    TBandsShownAfterLoad &operator=(const TBandsShownAfterLoad &) = delete;

    QList<QPointer<QWidget>> *List() { return &FBands; }
    void ShowAll() {
        const QList<QPointer<QWidget>> bands = std::exchange(FBands, {});
        for (const QPointer<QWidget> &band : bands)
            if (band) band->show();
    }

private:
    QList<QPointer<QWidget>> FBands;
};

// Reads the dataset stream: only dataset and field records. False when it is damaged.
bool ReadDatasetStream(TStream &s, TDatasetReadState &state) {
    try {
        if (s.Remaining() < 2 || Bin::ReadWord(s) != ReportFileID) return false;
        while (s.Position() < s.Size()) {
            const quint16 kind = Bin::ReadWord(s);
            if (kind == RecordKind::EndMarker) break;
            if (!IsDatasetRecordKind(kind)) return false;
            ReadDatasetRecord(s, kind, Bin::ReadWord(s), state);
        }
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

void ReadApplicationData(TStream &s, quint16 size, TVDMLoader *loader) {
    TMemoryStream data(s.ReadBytes(size));
    const TMethod onLoad = LoaderEvent(loader, LoaderOption::OnLoadReport);
    if (onLoad.Assigned()) onLoad.Invoke<TStream *>(&data);
}

// Reads records up to the end marker or the end of the stream. False for an unknown record kind;
// damaged records raise.
bool ReadRecords(TLoad &load) {
    TStream &s = load.Stream;
    const TElementReadContext elements{load.Form, load.Report, load.Loader,
                                       load.Info ? &load.Info->EmbeddedPictures : nullptr, &load.Names};
    const TBandReadContext bands{load.Form, load.Report, load.Loader, &load.Links, load.HiddenBands, &load.Names};
    while (s.Position() < s.Size()) {
        const quint16 kind = Bin::ReadWord(s);
        if (kind == RecordKind::EndMarker) break;
        const quint16 size = Bin::ReadWord(s);
        if (kind == RecordKind::Title) {
            CheckCount(s, size, 1);
            s.Seek(size, soCurrent);
        } else if (kind == RecordKind::ApplicationData) {
            ReadApplicationData(s, size, load.Loader);
        } else if (kind == RecordKind::PrinterSetup) {
            ReadPrinterSetupRecord(s, size, load.Report, load.Loader);
            if (load.Info) load.Info->PrinterSetup = true;
        } else if (kind == RecordKind::Report) {
            const int units = ReadReportRecord(s, size, load.Report, load.Form, load.Loader);
            if (load.Info) load.Info->StoredUnits = units;
        } else if (kind == RecordKind::Band) {
            ReadBandRecord(s, size, bands);
        } else if (IsElementRecordKind(kind)) {
            ReadElementRecord(s, kind, size, elements);
        } else if (IsDatasetRecordKind(kind)) {
            ReadDatasetRecord(s, kind, size, load.Datasets);
        } else {
            return false;
        }
    }
    return true;
}

// Persistent fields that a load made for the form's tables and queries belong to the form; they
// go before their datasets are cleared, so that loading again does not leave orphans behind.
void FreeFieldsOfClearedDatasets(TComponent *form) {
    QList<TDataSet *> cleared;
    for (TComponent *c : form->Components()) {
        auto *ds = qobject_cast<TDataSource *>(c->Object());
        if (!ds || IsDesignerDataSource(ds)) continue;
        TDataSet *dataset = ds->DataSet();
        // Only the form's own datasets are cleared; another owner's keep their fields.
        if (!dataset || dataset->Owner() != form) continue;
        if (qobject_cast<TTable *>(dataset) || qobject_cast<TQuery *>(dataset)) cleared << dataset;
    }
    const QList<TComponent *> owned = form->Components();
    for (TComponent *c : owned)
        if (auto *f = qobject_cast<TField *>(c->Object()); f && cleared.contains(f->DataSet())) delete f;
}

// Data texts show their field's display label as their caption.
void ShowFieldLabels(TComponent *form) {
    for (TComponent *c : form->Components()) {
        auto *text = qobject_cast<TRepDBText *>(c->Object());
        if (!text || !text->DataSet()) continue;
        if (TField *field = text->DataSet()->FindField(text->DataField())) text->SetCaption(field->DisplayLabel());
    }
}

// Puts the report's units back however the load ends: the stored units only govern how the
// stored measurements are read.
class TUnitsKeeper {
public:
    explicit TUnitsKeeper(TReport *report) : FReport(report), FUnits(report->UnitsOrdinal()) {}
    ~TUnitsKeeper() {
        if (FReport) FReport->SetUnitsOrdinal(FUnits);
    }

private:
    QPointer<TReport> FReport;
    int FUnits;
};

// Puts off stacking the bands until the load is over, however it ends: the reader changes each
// band several times, and stacking all bands after every change costs the square of their number.
class TArrangementHold {
public:
    explicit TArrangementHold(TReport *report) : FReport(report) { FReport->HoldArrangement(); }
    ~TArrangementHold() {
        if (FReport) FReport->ReleaseArrangement();
    }

private:
    QPointer<TReport> FReport;
};

}  // namespace

bool Load_Report_From_Stream(TStream &Stream, TStream *DatasetStream, TVDMLoader *Loader, bool LoadDatasets,
                             const QString &FileName, TReport *Report, TComponent *ReportForm,
                             TReportLoadInfo *Info) {
    RegisterModelClasses();
    if (!Report) Report = LoaderReport(Loader);
    if (!Report || !ReportForm) {
        // Without a report the report record could not be read: refuse the load.
        ShowLoaderError(Loader, ErrorInReportfile);
        return false;
    }
    TUnitsKeeper units(Report);
    TBandsShownAfterLoad hiddenBands;
    TLoad load{Stream, Loader, Report, ReportForm, {}, {}, Info, hiddenBands.List()};
    load.Datasets.ReportForm = ReportForm;
    load.Datasets.Loader = Loader;
    load.Datasets.CreateDatasets = LoadDatasets;

    quint16 id = 0;
    try {
        id = Bin::ReadWord(Stream);
    } catch (const std::exception &) {
    }
    if (id != ReportFileID) {
        ShowLoaderError(Loader, ErrorInReportfile);
        return false;
    }
    CurrentReportID = id;
    const TArrangementHold hold(Report);
    if (LoadDatasets) FreeFieldsOfClearedDatasets(ReportForm);
    ClearReportForm(ReportForm, LoadDatasets);

    bool failed = false;
    if (LoadDatasets && DatasetStream && !ReadDatasetStream(*DatasetStream, load.Datasets)) {
        ShowLoaderError(Loader, ErrorInReportfile);
        failed = true;
    }
    if (!failed) {
        bool known = false;
        try {
            known = ReadRecords(load);
        } catch (const std::exception &) {
            known = false;
        }
        hiddenBands.ShowAll();
        if (!known) {
            ShowLoaderError(Loader, ErrorInReportfile);
            return false;
        }
    }

    load.Links.Resolve(ReportForm, Report);
    if (LoadDatasets) {
        LinkDatasetMasters(ReportForm);
        OpenReportDatasets(load.Datasets, FileName);
        KeepUnappliedFieldSettings(load.Datasets.DataFields);
    }
    ShowFieldLabels(ReportForm);
    return !failed;
}

bool Load_Report(TVDMLoader *Loader, TComponent *ReportForm, TReport *Report, TStream *DatasetStream,
                 const QString &FileName, TReportLoadInfo *Info) {
    std::unique_ptr<TFileStream> file;
    if (QFileInfo(FileName).isFile()) {
        try {
            file = std::make_unique<TFileStream>(FileName, fmOpenRead | fmShareDenyNone);
        } catch (const std::exception &) {
        }
    }
    if (!file) {
        ShowLoaderError(Loader, QStringLiteral("Reportfile not found"), FileName);
        return false;
    }
    // The reader checks the bytes left before every string, which on a file asks the system for
    // its size each time: a file of a sensible size is read into memory first.
    TMemoryStream memory;
    TStream *source = file.get();
    if (file->Size() <= InMemoryReportFileLimit) {
        try {
            memory.LoadFromStream(*file);
            source = &memory;
        } catch (const std::exception &) {
            file->Seek(0, soBeginning);
        }
    }
    return Load_Report_From_Stream(*source, DatasetStream, Loader, true, FileName, Report, ReportForm, Info);
}
