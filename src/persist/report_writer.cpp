#include "persist/report_writer.h"

#include "persist/band_numbers.h"
#include "persist/band_records.h"
#include "persist/dataset_records.h"
#include "persist/datasource_numbers.h"
#include "persist/element_records.h"
#include "persist/loader_options.h"
#include "persist/record_block.h"
#include "persist/report_record.h"
#include "persist/report_records.h"

#include "dblib/data_source.h"
#include "host/interaction.h"
#include "host/stream.h"
#include "model/report_constants.h"
#include "reportlib/report.h"

#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>

namespace {

bool WriteIdentifier(TStream &s) {
    QByteArray id(2, '\0');
    Bin::PutWord(id, 0, ReportFileID);
    return s.Write(id.constData(), 2) == 2;
}

void WriteEndMarker(TStream &s) { Bin::WriteWord(s, RecordKind::EndMarker); }

// False, with a message and nothing written, when the application gives more than the record's
// size word can hold: cut short, its data would come back damaged.
bool WriteApplicationData(TStream &s, const TMethod &onSaveReport) {
    if (!onSaveReport.Assigned()) return true;
    TMemoryStream data;
    onSaveReport.Invoke<TStream *>(&data);
    if (data.Size() < 1) return true;
    if (data.Size() > BlockSize::ApplicationDataMax) {
        Interaction().ShowError(QStringLiteral("The report's application data take %1 bytes; a report file holds at "
                                               "most %2. The report is not saved.")
                                    .arg(data.Size())
                                    .arg(BlockSize::ApplicationDataMax));
        return false;
    }
    WriteRecordHeader(s, RecordKind::ApplicationData, quint16(data.Size()));
    s.WriteBuffer(data.Data().constData(), data.Size());
    return true;
}

QList<TDataSource *> SavedDataSources(TComponent *form) {
    QList<TDataSource *> list;
    for (TComponent *c : form->Components()) {
        auto *ds = qobject_cast<TDataSource *>(c->Object());
        if (ds && ds->DataSet() && !IsDesignerDataSource(ds)) list << ds;
    }
    return list;
}

void WriteControlsOf(TStream &s, QWidget *container, const TElementWriteContext &ctx) {
    for (QObject *child : container->children())
        if (auto *control = qobject_cast<TRepControl *>(child)) WriteElementRecord(s, control, ctx);
}

}  // namespace

QString BackupFileName(const QString &FileName, const QString &Extension) {
    const qsizetype sep = qMax(FileName.lastIndexOf(QLatin1Char('/')), FileName.lastIndexOf(QLatin1Char('\\')));
    const qsizetype dot = FileName.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > sep ? FileName.left(dot) : FileName;
    return stem + Extension;
}

bool Save_Report_To_Stream(TStream &Stream, TStream *DatasetStream, TVDMLoader *Designer, bool SaveDatasets,
                           TComponent *ReportForm) {
    if (!WriteIdentifier(Stream)) return false;
    TReport *report = LoaderReport(Designer);
    if (!report || !ReportForm) return false;

    WriteTitleRecord(Stream, report);
    if (!WriteApplicationData(Stream, LoaderEvent(Designer, LoaderOption::OnSaveReport))) return false;
    if (LoaderFlag(Designer, LoaderOption::SaveLoadPrinterSetup)) WritePrinterSetupRecord(Stream, report);

    NumberDataSources(ReportForm, LoaderDatabaseOwner(Designer));
    if (SaveDatasets) {
        TStream &out = DatasetStream ? *DatasetStream : Stream;
        if (DatasetStream && !WriteIdentifier(*DatasetStream)) return false;
        for (TDataSource *ds : SavedDataSources(ReportForm)) WriteDatasetRecords(out, ds, ReportForm);
        if (DatasetStream) WriteEndMarker(*DatasetStream);
    }

    WriteReportRecord(Stream, report, ReportForm);
    NumberBands(ReportForm);
    QList<TRepBand *> bands;
    for (TComponent *c : ReportForm->Components())
        if (TRepBand *band = AsBand(c)) bands << band;
    for (TRepBand *band : bands) WriteBandRecord(Stream, band, ReportForm);

    TElementWriteContext ctx;
    ctx.ReportForm = ReportForm;
    ctx.EmbedImages = LoaderFlag(Designer, LoaderOption::SaveImagesInReportfile);
    WriteControlsOf(Stream, report, ctx);
    for (TRepBand *band : bands) WriteControlsOf(Stream, band, ctx);
    WriteEndMarker(Stream);
    return true;
}

bool Save_Report(TVDMLoader *Designer, TComponent *ReportForm, const QString &FileName, TStream *DatasetStream) {
    const QFileInfo target(FileName);
    QString tempName;
    bool written = false;
    try {
        {
            // Reserve a unique name beside the file; the stream then writes it afresh.
            QTemporaryFile reserve(target.absolutePath() + QLatin1String("/.") + target.fileName() +
                                   QLatin1String(".XXXXXX"));
            reserve.setAutoRemove(false);
            if (!reserve.open()) throw EFOpenError(FileName);
            tempName = reserve.fileName();
        }
        TFileStream out(tempName, fmCreate);
        written = Save_Report_To_Stream(out, DatasetStream, Designer, true, ReportForm);
        if (written) out.Flush();
    } catch (const std::exception &) {
        written = false;
    }

    bool placed = false;
    if (written) {
        QFile::setPermissions(tempName, target.exists() ? QFile::permissions(FileName)
                                                        : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                                              QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
        QString backup;
        bool keptOld = true;
        if (target.exists() && LoaderFlag(Designer, LoaderOption::SaveBackupFiles)) {
            backup = BackupFileName(FileName, LoaderText(Designer, LoaderOption::BackupFileExtension));
            // A backup name equal to the file's own would delete the report before the new one
            // is in place.
            if (QFileInfo(backup).absoluteFilePath() == target.absoluteFilePath()) backup.clear();
            if (!backup.isEmpty()) {
                QFile::remove(backup);
                keptOld = QFile::rename(FileName, backup);
            }
        }
        // rename(2) replaces the target in one step. Without the asked-for backup the previous
        // report is not replaced.
        if (keptOld)
            placed =
                std::rename(QFile::encodeName(tempName).constData(), QFile::encodeName(FileName).constData()) == 0;
        if (!placed && keptOld && !backup.isEmpty()) QFile::rename(backup, FileName);
    }
    if (!placed) {
        if (!tempName.isEmpty()) QFile::remove(tempName);
        ShowLoaderError(Designer, QStringLiteral("Write Error"), FileName);
    }
    return placed;
}
