// Preparing and finishing a print run of the design report: query parameters, the print-time
// handlers of the designable bands and data texts, and the temporary summary band.
#include "model/design_report.h"

#include "model/loader.h"
#include "model/report_datasets.h"
#include "model/vendamo_bands.h"
#include "model/vendamo_text_elements.h"

bool TDesignReport::PrepareReportPrint() {
    UseReadOnlyConnections(Owner());
    if (FLoader && !FLoader->GetQueryParameters()) return false;
    FLastPage = false;
    FTemporaryBand = nullptr;
    FSwapped.clear();

    bool notOnLastPage = false;
    bool hasSummary = false;
    TComponent *form = Owner();
    const QList<TComponent *> components = form ? form->Components() : QList<TComponent *>();
    for (TComponent *c : components) {
        QObject *o = c->Object();
        if (!o) continue;
        if (InstallDBTextPrintHandler(o)) {
            FSwapped.append(o);
        } else if (InstallBandPrintHandler(o)) {
            FSwapped.append(o);
            if (auto *b = qobject_cast<TVendamoBand *>(o); b && b->NotOnLastPage()) notOnLastPage = true;
            if (auto *b = qobject_cast<TRepBand *>(o); b && b->BandType() == rbSummary) hasSummary = true;
        }
    }

    // A page footer knows it is on the last page only when a summary band has started printing
    // there: give the report one that prints nothing visible.
    if (notOnLastPage && !hasSummary) {
        auto *band = new TVendamoBand(form);
        band->SetParent(this);
        band->SetBandType(rbSummary);
        band->SetHeight(2);
        band->InstallPrintHandler();
        FTemporaryBand = band;
    }
    return true;
}

void TDesignReport::DoneReportPrint() {
    if (FLoader) FLoader->ResetQueryParameters();
    delete FTemporaryBand;   // its removal notification clears FTemporaryBand
    FTemporaryBand = nullptr;
    for (const QPointer<QObject> &o : std::as_const(FSwapped))
        if (o && !RestoreBandPrintHandler(o)) RestoreDBTextPrintHandler(o);
    FSwapped.clear();
}

bool TDesignReport::PreparePrint() {
    FRunPrepared = false;
    // A run started from a prepared preview uses its preparation.
    if (FPrepared) return true;
    if (!PrepareReportPrint()) return false;
    FPrepared = FRunPrepared = true;
    return true;
}

void TDesignReport::DonePrint() {
    if (!FRunPrepared) return;
    FRunPrepared = FPrepared = false;
    DoneReportPrint();
}

void TDesignReport::ResetRunState() {
    TReport::ResetRunState();
    FLastPage = false;
}

void TDesignReport::Preview() {
    if (FPrepared) {
        TReport::Preview();
        return;
    }
    if (!PrepareReportPrint()) return;
    FPrepared = true;
    // The preparation ends with the preview, also when it fails.
    struct TPreviewDone {
        TDesignReport *Report;
        ~TPreviewDone() {
            Report->FPrepared = false;
            Report->DoneReportPrint();
        }
    } done{this};
    TReport::Preview();
}
