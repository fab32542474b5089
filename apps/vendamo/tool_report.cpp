#include "tool_report.h"

#include "command.h"

#include "dblib/session.h"
#include "host/stream.h"
#include "model/design_report.h"
#include "persist/report_writer.h"

TToolLoader::TToolLoader(TComponent *AOwner) : TVDMLoader(AOwner) {
    SetOnLoadReport(TMethod::Make(this, &TToolLoader::KeepApplicationData));
}

TMethod TToolLoader::OnSaveReport() const {
    return TMethod::Make(const_cast<TToolLoader *>(this), &TToolLoader::GiveApplicationData);
}

void TToolLoader::KeepApplicationData(TStream *Stream) { FApplicationData = Stream->ReadBytes(Stream->Remaining()); }

void TToolLoader::GiveApplicationData(TStream *Stream) { Stream->WriteBytes(FApplicationData); }

TToolReport::TToolReport() : FForm(std::make_unique<TForm>()) {
    FReport = new TDesignReport(FForm.get());
    FReport->SetName(QStringLiteral("Report"));
    FLoader = new TToolLoader(FForm.get());
    FLoader->SetName(QStringLiteral("Loader"));
    FLoader->SetReport(FReport);
    // Read every printer setup a file holds; Save writes it back only when the file had one.
    FLoader->SetSaveLoadPrinterSetup(true);
}

TToolReport::~TToolReport() {
    // The report goes first, unlinking itself from the loader while both exist.
    delete FReport;
}

bool TToolReport::Load(const QString &fileName) {
    FInfo = TReportLoadInfo();
    if (!Load_Report(FLoader, FForm.get(), FReport, nullptr, fileName, &FInfo)) return false;
    if (FInfo.StoredUnits >= 0) FReport->SetUnitsOrdinal(FInfo.StoredUnits);
    return true;
}

bool TToolReport::Save(const QString &fileName) {
    FLoader->SetSaveLoadPrinterSetup(FInfo.PrinterSetup);
    const bool saved = Save_Report(FLoader, FForm.get(), fileName, nullptr);
    FLoader->SetSaveLoadPrinterSetup(true);
    return saved;
}

bool TakeAliasOptions(QStringList &args) {
    for (int i = 0; i < args.size();) {
        QString value;
        if (args[i] == QLatin1String("--alias") && i + 1 < args.size()) {
            value = args[i + 1];
            args.remove(i, 2);
        } else if (args[i].startsWith(QLatin1String("--alias="))) {
            value = args[i].mid(8);
            args.remove(i);
        } else if (args[i] == QLatin1String("--alias")) {
            PrintError(QStringLiteral("--alias needs NAME=DB"));
            return false;
        } else {
            ++i;
            continue;
        }
        if (!Session().AddAliasDefinition(value)) {
            PrintError(QStringLiteral("--alias needs NAME=DB, not \"%1\"").arg(value));
            return false;
        }
    }
    return true;
}
