#include "dialogs/report_printer_dialog.h"
#include "dialogs/report_print_form.h"

#include "data/query_wizard.h"
#include "model/design_report.h"
#include "model/loader.h"

TReportPrinterDialog::TReportPrinterDialog(TComponent *AOwner) : TComponent(AOwner) {}

TReportPrinterDialog::~TReportPrinterDialog() { FreeForm(); }

void TReportPrinterDialog::Notification(TComponent *AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FDatabaseOwner) FDatabaseOwner = nullptr;
    if (AComponent == FLoader) FLoader = nullptr;
}

void TReportPrinterDialog::SetDatabaseOwner(TComponent *value) {
    if (FDatabaseOwner) RemoveFreeNotification(FDatabaseOwner);
    FDatabaseOwner = value;
    if (value) FreeNotification(value);
}

void TReportPrinterDialog::CreatePrintForm() {
    auto *form = new TReportPrintForm(Owner());
    FForm = form;
    FLoader = form->VDMLoader1();
    AssignProperties();
    FormCreated();
}

void TReportPrinterDialog::FormCreated() {
    if (FAfterReportFormCreated.Assigned())
        FAfterReportFormCreated.Invoke<QWidget *, TComponent *>(FForm.data(), static_cast<TComponent *>(FLoader));
}

void TReportPrinterDialog::AssignProperties() {
    if (!FLoader) return;
    if (FOnCalcFields.Assigned()) FLoader->SetOnCalcFields(FOnCalcFields);
    if (FBeforeOpenDataset.Assigned()) FLoader->SetBeforeOpenDataset(FBeforeOpenDataset);
    if (FBeforeGetQueryParams.Assigned()) FLoader->SetBeforeGetQueryParams(FBeforeGetQueryParams);
    if (FOnLoadReport.Assigned()) FLoader->SetOnLoadReport(FOnLoadReport);
    FLoader->SetUseDataModules(FUseDataModules);
    FLoader->SetDatabaseOwner(FDatabaseOwner);
    FLoader->SetSaveLoadPrinterSetup(FSaveLoadPrinterSetup);
}

bool TReportPrinterDialog::LoadReport(const QString &FileName) {
    if (!FLoader || !FLoader->LoadReport(FileName)) return false;
    if (FAfterReportLoaded.Assigned())
        FAfterReportLoaded.Invoke<QWidget *, TComponent *>(FForm.data(), static_cast<TComponent *>(FLoader));
    return true;
}

void TReportPrinterDialog::FreeForm() {
    delete FForm.data();
    FForm = nullptr;
    FLoader = nullptr;
}

bool TReportPrinterDialog::Run(const QString &FileName, bool Preview) {
    CreatePrintForm();
    // The form goes at the end of the call, whatever happens in between.
    struct TFormGuard {
        TReportPrinterDialog *Dialog;
        ~TFormGuard() { Dialog->FreeForm(); }
    } guard{this};
    const bool loaded = LoadReport(FileName);
    // The sort and filter pages of the main dataset's wizard query; the report previews or
    // prints whether the user confirms them or not, and feeds on other datasets unasked.
    if (FShowFilterBeforePrint && loaded) FilterReportDataset(FLoader);
    TDesignReport *report = FLoader ? FLoader->Report() : nullptr;
    if (loaded && report) {
        if (Preview)
            report->Preview();
        else
            report->Print();
    }
    return loaded;
}

bool TReportPrinterDialog::PreviewReport(const QString &FileName) { return Run(FileName, true); }

bool TReportPrinterDialog::PrintReport(const QString &FileName) { return Run(FileName, false); }
