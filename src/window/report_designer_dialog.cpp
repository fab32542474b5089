#include "window/report_designer_dialog.h"
#include "window/modal_form_host.h"
#include "window/report_designer_form.h"

#include "design/designer.h"
#include "model/wait_cursor.h"

#include "host/menu_controls.h"

#include <QCoreApplication>
#include <QFileInfo>

TReportDesignerDialog::TReportDesignerDialog(TComponent *AOwner)
    : TReportPrinterDialog(AOwner),
      FFieldDisplayLabels(std::make_unique<TStringList>()),
      FAvailableDatasetNames(std::make_unique<TStringList>()),
      FAvailableTableNames(std::make_unique<TStringList>()) {}

TReportDesignerDialog::~TReportDesignerDialog() = default;

void TReportDesignerDialog::SetFieldDisplayLabels(TStrings *value) { FFieldDisplayLabels->Assign(value); }
void TReportDesignerDialog::SetAvailableDatasetNames(TStrings *value) { FAvailableDatasetNames->Assign(value); }
void TReportDesignerDialog::SetAvailableTableNames(TStrings *value) { FAvailableTableNames->Assign(value); }

TReportDesignerForm *TReportDesignerDialog::DesignerForm() const { return qobject_cast<TReportDesignerForm *>(FForm.data()); }

void TReportDesignerDialog::CreateEditorForm() {
    TReportDesignerForm *form = nullptr;
    {
        TWaitCursor hourglass;
        form = new TReportDesignerForm(Owner());
        FForm = form;
        FLoader = form->VDMDesigner1;
        AssignProperties();
    }
    FormCreated();
}

void TReportDesignerDialog::AssignProperties() {
    TReportPrinterDialog::AssignProperties();
    if (TReportDesignerForm *form = DesignerForm()) {
        form->UndoMI->setVisible(FUndoEnabled);
        form->UndoSeparatorMI->setVisible(FUndoEnabled);
        const QString programDir = QCoreApplication::applicationDirPath();
        form->SetSaveDialogDir(FDefaultSaveDir.isEmpty() ? programDir : FDefaultSaveDir);
        form->SetOpenDialogDir(FDefaultOpenDir.isEmpty() ? programDir : FDefaultOpenDir);
    }
    auto *designer = dynamic_cast<TVDMDesigner *>(FLoader);
    if (!designer) return;
    designer->SetAllowSQLEdit(FAllowSQLEdit);
    designer->SetQueriesOnlyInExpert(FQueriesOnlyInExpert);
    designer->SetQueriesOnlyInDBSetup(FQueriesOnlyInDBSetup);
    if (FOnEditQuery.Assigned()) designer->SetOnEditQuery(FOnEditQuery);
    if (FOnSaveReport.Assigned()) designer->SetOnSaveReport(FOnSaveReport);
    designer->SetSaveBackupFiles(FSaveBackupFiles);
    designer->SetAllowNewCalcFields(FAllowNewCalcFields);
    designer->SetAutoEditAfterInsert(FAutoEditAfterInsert);
    designer->SetAllowBlockEdit(FAllowBlockEdit);
    designer->FieldDisplayLabels()->Assign(FFieldDisplayLabels.get());
    designer->AvailableDatasetNames()->Assign(FAvailableDatasetNames.get());
    designer->AvailableTableNames()->Assign(FAvailableTableNames.get());
    designer->SetUndoEnabled(FUndoEnabled);
    designer->SetSaveImagesInReportfile(FSaveImagesInReportfile);
}

void TReportDesignerDialog::ShowEditorForm() {
    struct TFormGuard {
        TReportDesignerDialog *Dialog;
        ~TFormGuard() { Dialog->FreeForm(); }
    } guard{this};
    TModalFormHost host(DesignerForm());
    host.Run();
}

bool TReportDesignerDialog::NewReport(const QString &FileName) {
    CreateEditorForm();
    if (!FileName.isEmpty()) DesignerForm()->SetReportFileName(FileName);
    ShowEditorForm();
    return true;
}

bool TReportDesignerDialog::EditReport(const QString &FileName) {
    if (FileName.isEmpty() || !QFileInfo::exists(FileName)) return NewReport(FileName);
    CreateEditorForm();
    const bool loaded = LoadReport(FileName);
    if (loaded) DesignerForm()->SetReportFileName(FileName);
    ShowEditorForm();
    return loaded;
}
