#include "report_print_form.h"

#include "env/settings_file.h"
#include "model/design_report.h"
#include "model/form_translation.h"
#include "model/loader.h"
#include "model/runtime_messages.h"

#include "dblib/dataset.h"
#include "host/method.h"
#include "host/strings.h"
#include "reportlib/rep_page.h"

namespace {

// Every dataset a component owns joins the report's datasets.
void AddOwnedDataSets(TDesignReport *report, const TComponent *owner) {
    if (!owner) return;
    for (TComponent *c : owner->Components())
        if (auto *ds = dynamic_cast<TDataSet *>(c)) report->AddToAllDataSets(ds);
}

}  // namespace

TReportPrintForm::TReportPrintForm(TComponent *AOwner) : TForm(AOwner) {
    SetName(QStringLiteral("RepFormDB"));

    FDesignReport = new TDesignReport(this);
    FDesignReport->SetName(QStringLiteral("DesignReport"));
    FDesignReport->SetUnits(ruMM);
    TRepPage *page = FDesignReport->Page();
    page->SetPaperSize(psA4);
    page->SetOrientation(TRepPage::poPortrait);
    page->SetColumns(1);
    for (int value : {TRepPage::pvTopMargin, TRepPage::pvBottomMargin, TRepPage::pvLeftMargin,
                      TRepPage::pvRightMargin})
        page->SetValueMM(value, 10);
    FDesignReport->SetZoom(100);
    FDesignReport->SetOptions(TReport::FirstPageHeader | TReport::LastPageFooter);
    FDesignReport->SetPrintIfEmpty(true);
    FDesignReport->SetBeforePrint(TMethod::Make(this, &TReportPrintForm::DesignReportBeforePrint));

    FVDMLoader1 = new TVDMLoader(this);
    FVDMLoader1->SetName(QStringLiteral("VDMLoader1"));
    FVDMLoader1->SetReport(FDesignReport);
    FVDMLoader1->SetUseDataModules(false);
    FVDMLoader1->SetSaveLoadPrinterSetup(false);
    FVDMLoader1->RuntimeMessages()->SetStringList(PrintFormRuntimeMessages());
    ReadVDMLoaderSetup(FVDMLoader1);
    TranslateForm(this, QStringLiteral("RepFormDB"));
}

TReportPrintForm::~TReportPrintForm() {
    // The report goes first, unlinking itself from the loader while both exist.
    delete FDesignReport;
}

void TReportPrintForm::DesignReportBeforePrint(QObject *, bool &) {
    AddOwnedDataSets(FDesignReport, this);
    AddOwnedDataSets(FDesignReport, FVDMLoader1->DatabaseOwner());
    if (FVDMLoader1->UseDataModules())
        for (TDataModule *module : Screen::DataModules()) AddOwnedDataSets(FDesignReport, module);
}
