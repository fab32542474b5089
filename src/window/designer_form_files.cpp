// The designer window's file commands: New, Open with the recent files, Save, Save as, the
// unsaved-changes guard and the close query; files dropped on the window open as well.
#include "window/report_designer_form.h"

#include "design/designer.h"
#include "design/designer_dialogs.h"
#include "env/settings_file.h"
#include "model/datasource_lookup.h"
#include "model/design_report.h"
#include "model/report_messages.h"

#include "host/interaction.h"
#include "host/stream.h"
#include "host/strings.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>

namespace {

const QString ReportFilter = QStringLiteral("Reports (*.QR2 *.qr2)");

bool IsReportFile(const QUrl &url) {
    return url.isLocalFile() && QFileInfo(url.toLocalFile()).suffix().compare(QLatin1String("QR2"), Qt::CaseInsensitive) == 0;
}

}  // namespace

bool TReportDesignerForm::ConfirmDiscard() {
    if (!VDMDesigner1->HasChanged()) return true;
    return GetConfirmation(VDMDesigner1->RuntimeMessages(), QStringLiteral("Report not saved"));
}

void TReportDesignerForm::NewClick() {
    if (!ConfirmDiscard()) return;
    SetCurrentFileName(QString());
    SetCaption(UntitledCaption());
    VDMDesigner1->SelectElement(true, nullptr);
    bool accepted = false;
    if (!DesignerDialogs::Run(DesignerDialogs::ReportExpert, VDMDesigner1, DesignReport, accepted)) {
        // Without the report expert, New starts from an empty report.
        ClearReportForm(this, true);
        VDMDesigner1->ClearUndo();
        VDMDesigner1->SetHasChanged(false);
        VDMDesigner1->SelectElement(true, nullptr);
    }
    UpdateRulerFromReport();
    UpdateUndoItems();
}

void TReportDesignerForm::OpenClick() {
    if (!ConfirmDiscard()) return;
    TFileDialogOptions options;
    options.Title = QStringLiteral("Open report");
    options.Filter = ReportFilter;
    options.DefaultExt = QStringLiteral("QR2");
    options.InitialDir = FOpenDialogDir;
    options.FileName = FOpenDialogName;
    // The folders of the recent files, newest first, for quick return.
    for (const QString &file : FRecentFiles) {
        const QString dir = QFileInfo(file).absolutePath();
        if (!options.History.contains(dir)) options.History << dir;
    }
    QString name;
    if (!Interaction().OpenFileName(options, name) || name.isEmpty()) return;
    OpenReportFile(name);
}

bool TReportDesignerForm::OpenReportFile(const QString &Name) {
    // A failed load may have emptied the form: the report as it was comes back, so that the
    // next Save cannot write a broken report over the current file.
    const bool wasChanged = VDMDesigner1->HasChanged();
    TMemoryStream before;
    const bool kept = VDMDesigner1->SaveReport_ToStream(before);
    if (!VDMDesigner1->LoadReport(Name)) {
        if (kept) {
            before.SetPosition(0);
            VDMDesigner1->LoadReport_FromStream(before);
        }
        VDMDesigner1->SetHasChanged(wasChanged);
        UpdateRulerFromReport();
        UpdateUndoItems();
        return false;
    }
    AddRecentFile(Name);
    SetCurrentFileName(Name);
    SetCaption(Name);
    UpdateRulerFromReport();
    UpdateUndoItems();
    const QFileInfo info(Name);
    FOpenDialogDir = info.absolutePath();
    FOpenDialogName = info.fileName();
    return true;
}

bool TReportDesignerForm::SaveClick() {
    if (FFileName.isEmpty()) return SaveAsClick();
    return SaveReportFile(FFileName);
}

bool TReportDesignerForm::SaveAsClick() {
    TFileDialogOptions options;
    options.Title = QStringLiteral("Save report as");
    options.Filter = ReportFilter;
    options.DefaultExt = QStringLiteral("QR2");
    options.InitialDir = FSaveDialogDir;
    options.FileName = FSaveDialogName;
    QString name;
    if (!Interaction().SaveFileName(options, name) || name.isEmpty()) return false;
    // The name becomes the report's only once the report is saved under it.
    if (!SaveReportFile(name)) return false;
    SetCurrentFileName(name);
    SetCaption(name);
    return true;
}

bool TReportDesignerForm::SaveReportFile(const QString &Name) {
    // The designer reports a failed save itself.
    const bool ok = VDMDesigner1->SaveReport(Name);
    if (ok) {
        const QFileInfo info(Name);
        FSaveDialogDir = info.absolutePath();
        FSaveDialogName = info.fileName();
    }
    return ok;
}

bool TReportDesignerForm::CloseQuery() {
    if (!VDMDesigner1->HasChanged()) return true;
    const QString text = ErrorText(VDMDesigner1->RuntimeMessages(), QStringLiteral("Save report"), FFileName);
    switch (Interaction().Confirm(text, TConfirmButtons::YesNoCancel, Caption())) {
    case mrNo: return true;
    case mrYes: return SaveClick();  // a cancelled dialog or a failed save keeps the window open
    default: return false;
    }
}

void TReportDesignerForm::SetRecentFiles(const QStringList &Files) {
    FRecentFiles.clear();
    for (const QString &f : Files)
        if (!f.isEmpty() && !FRecentFiles.contains(f) && FRecentFiles.size() < MaxRecentFiles) FRecentFiles << f;
}

void TReportDesignerForm::AddRecentFile(const QString &Name) {
    FRecentFiles.removeAll(Name);
    FRecentFiles.prepend(Name);
    while (FRecentFiles.size() > MaxRecentFiles) FRecentFiles.removeLast();
}

void TReportDesignerForm::SetCurrentFileName(const QString &Name) {
    FFileName = Name.left(255);
    FSaveDialogName = QFileInfo(FFileName).fileName();
}

void TReportDesignerForm::closeEvent(QCloseEvent *e) {
    if (!CloseQuery()) {
        e->ignore();
        return;
    }
    if (FShown) qApp->setProperty("HelpFile", FSavedApplicationHelpFile);
    SaveVendamoUserSetup(VDMDesigner1);
    SaveWindowState();
    e->accept();
}

void TReportDesignerForm::showEvent(QShowEvent *e) {
    TForm::showEvent(e);
    if (FShown) return;
    FShown = true;
    // The application's help file while the window is shown: the settings' one, or the
    // designer's help beside the program.
    FSavedApplicationHelpFile = qApp->property("HelpFile").toString();
    QString help = SettingsFilePath(FHelpFile);
    if (help.isEmpty()) {
        const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("RAROVOZ.IZE"));
        if (QFileInfo::exists(beside)) help = beside;
    }
    qApp->setProperty("HelpFile", help);
}

void TReportDesignerForm::dragEnterEvent(QDragEnterEvent *e) {
    if (CanOpenDropped(e->mimeData())) e->acceptProposedAction();
}

void TReportDesignerForm::dropEvent(QDropEvent *e) {
    if (!CanOpenDropped(e->mimeData())) return;
    e->acceptProposedAction();
    OpenDropped(e->mimeData());
}

bool TReportDesignerForm::CanOpenDropped(const QMimeData *Data) const {
    const QList<QUrl> urls = Data ? Data->urls() : QList<QUrl>();
    return urls.size() == 1 && IsReportFile(urls.constFirst());
}

bool TReportDesignerForm::OpenDropped(const QMimeData *Data) {
    if (!CanOpenDropped(Data) || !ConfirmDiscard()) return false;
    return OpenReportFile(Data->urls().constFirst().toLocalFile());
}
