// The two components an application places on its forms: the designer dialog opens the
// designer window on a report file and the printer dialog previews it; and the package's
// registration with a development environment.
#include "window_fixture.h"

#include "design_fixture.h"
#include "report_fixture.h"

#include "window/package_registration.h"
#include "window/report_designer_dialog.h"

#include "design/designer.h"
#include "env/component_editors.h"
#include "env/language_ini_file.h"
#include "model/design_report.h"
#include "model/vendamo_bands.h"
#include "model/vendamo_text_elements.h"
#include "reportlib/rep_preview_window.h"

#include "host/forms.h"
#include "host/ini_file.h"
#include "host/menu_controls.h"
#include "host/text_controls.h"

#include <QCoreApplication>
#include <QFile>

namespace {

class DialogComponentsTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Window.reset();  // the components make their own windows
        Report = Dir.Path(QStringLiteral("customers.QR2"));
        ASSERT_TRUE(QFile::copy(DemoReport(QStringLiteral("customer-list.QR2")), Report));
        QFile(Report).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
    // The designer window a component is showing in the dialog it runs.
    static TReportDesignerForm *DesignerIn(QDialog &d) {
        auto *form = d.findChild<TReportDesignerForm *>();
        EXPECT_TRUE(form);
        return form;
    }
    QString Report;
    TForm App;  // the application's form the components sit on
};

}  // namespace

TEST_F(DialogComponentsTest, AnApplicationEditsAReportInTheDesignerAndPrintsItWithoutIt) {
    TReportDesignerDialog designer(&App);
    designer.SetUndoEnabled(true);
    designer.SetDefaultOpenDir(Dir.Path());
    QStringList events;
    designer.SetAfterReportFormCreated(Handler<QWidget *, TComponent *>([&](QWidget *form, TComponent *vdm) {
        events << QStringLiteral("created");
        EXPECT_EQ(TComponent::FromObject(form)->Owner(), &App);
        EXPECT_TRUE(dynamic_cast<TVDMDesigner *>(vdm));
    }));
    designer.SetAfterReportLoaded(Handler<QWidget *, TComponent *>([&](QWidget *, TComponent *) { events << QStringLiteral("loaded"); }));
    Script->AnswerDialog([&](QDialog &d) {
        TReportDesignerForm *form = DesignerIn(d);
        EXPECT_EQ(form->FileName(), Report);
        EXPECT_TRUE(d.windowTitle().contains(Report));
        EXPECT_TRUE(form->VDMDesigner1->UndoEnabled());
        EXPECT_TRUE(form->UndoMI->isVisible());
        EXPECT_EQ(form->OpenDialogDir(), Dir.Path());
        EXPECT_EQ(form->SaveDialogDir(), QCoreApplication::applicationDirPath());
        // The user adds a label to the first band, saves and quits.
        TRepBand *band = nullptr;
        for (TComponent *c : form->Components())
            if ((band = qobject_cast<TRepBand *>(c->Object()))) break;
        auto *label = new TVendamoLabel(form);
        label->SetName(QStringLiteral("AddedLabel"));
        label->SetParent(band);
        label->SetCaption(QStringLiteral("Edited through the designer dialog"));
        label->SetBounds(4, 2, 300, 16);
        form->VDMDesigner1->SetHasChanged(true);
        form->SaveMI->trigger();
        form->ExitMI->trigger();
        EXPECT_FALSE(form->isVisible());
        return d.result();
    });
    EXPECT_TRUE(designer.EditReport(Report));
    EXPECT_EQ(events, (QStringList{"created", "loaded"}));
    EXPECT_EQ(designer.DesignerForm(), nullptr);  // freed before returning
    EXPECT_EQ(Script->Pending(), 0);

    TReportPrinterDialog printer(&App);
    const QString pdf = Dir.Path(QStringLiteral("customers.pdf"));
    Script->AnswerDialog([&](QDialog &d) {
        auto &preview = dynamic_cast<TRepPreviewWindow &>(d);
        Script->AnswerFile(pdf);
        EXPECT_TRUE(preview.SaveAsPdf());
        return int(QDialog::Rejected);
    });
    EXPECT_TRUE(printer.PreviewReport(Report));
    EXPECT_EQ(Script->Pending(), 0);
    const QString page = Squeeze(PdfPages(pdf).value(0));
    EXPECT_TRUE(page.contains(QStringLiteral("Edited through the designer dialog"))) << page.toStdString();
    EXPECT_EQ(printer.Form(), nullptr);
}

TEST_F(DialogComponentsTest, TheFilterBeforePrintingAsksOnlyForAWizardQueryAndThePreviewFollows) {
    TReportPrinterDialog printer(&App);
    printer.SetShowFilterBeforePrint(true);
    int previews = 0;
    Script->AnswerDialog([&](QDialog &d) {
        EXPECT_NE(dynamic_cast<TRepPreviewWindow *>(&d), nullptr);  // no filter pages for a table
        ++previews;
        return int(QDialog::Rejected);
    });
    EXPECT_TRUE(printer.PreviewReport(Report));
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(Script->Pending(), 0);
    QStringList asked;  // nothing but the preview: no filter pages and no message for a table
    for (const auto &q : Script->Questions()) asked << q.Kind;
    EXPECT_EQ(asked, QStringList{QStringLiteral("dialog")});
}

TEST_F(DialogComponentsTest, AMissingFileOpensANewReportUnderItsNameAndPrintsNothing) {
    TReportDesignerDialog designer(&App);
    const QString fresh = Dir.Path(QStringLiteral("new.QR2"));
    Script->AnswerDialog([&](QDialog &d) {
        TReportDesignerForm *form = DesignerIn(d);
        EXPECT_EQ(form->FileName(), fresh);  // the first save writes there
        EXPECT_FALSE(form->UndoMI->isVisible());
        form->SaveMI->trigger();
        form->ExitMI->trigger();
        return d.result();
    });
    EXPECT_TRUE(designer.EditReport(fresh));
    EXPECT_TRUE(QFile::exists(fresh));

    // A report that does not load: said so by the loader, nothing previewed, not "loaded".
    TReportPrinterDialog printer(&App);
    int created = 0, loaded = 0;
    printer.SetAfterReportFormCreated(Handler<QWidget *, TComponent *>([&](QWidget *, TComponent *) { ++created; }));
    printer.SetAfterReportLoaded(Handler<QWidget *, TComponent *>([&](QWidget *, TComponent *) { ++loaded; }));
    const QString missing = Dir.Path(QStringLiteral("missing.QR2"));
    EXPECT_FALSE(printer.PrintReport(missing));
    EXPECT_FALSE(printer.PreviewReport(missing));
    EXPECT_EQ(created, 2);
    EXPECT_EQ(loaded, 0);
    EXPECT_EQ(Script->Errors().size(), 2);
    EXPECT_EQ(Script->Pending(), 0);

    // The two folders are kept apart.
    designer.SetDefaultSaveDir(QStringLiteral("/tmp/save"));
    EXPECT_TRUE(designer.DefaultOpenDir().isEmpty());
}

TEST(PackageRegistration, OffersTheComponentsAndTheirEditorsToTheEnvironment) {
    RegisterVendamoPackage();
    RegisterVendamoPackage();  // once only
    using namespace DesignEnvironment;
    ASSERT_EQ(PaletteCalls().size(), 3);
    EXPECT_EQ(PaletteCalls()[0].Classes.size(), 17);
    const QStringList vendamo = PaletteClasses(QStringLiteral("Vendamo"));
    EXPECT_EQ(vendamo.first(), QStringLiteral("TReportDesignerDialog"));
    EXPECT_EQ(vendamo.last(), QStringLiteral("TVendamoDBRichtext"));
    EXPECT_EQ(PaletteClasses(QStringLiteral("VDMTools")),
              (QStringList{"TEventScrollbox", "TRulerPanel", "TLanguageIniFile", "TEnhancedListbox"}));

    TestDir dir;
    TForm form;
    form.SetName(QStringLiteral("OrderForm"));
    auto *caption = new TLabel(&form);
    caption->SetName(QStringLiteral("TitleLabel"));
    caption->setText(QStringLiteral("Orders"));
    auto *language = new TLanguageIniFile(&form);
    language->SetIniFileName(dir.Path(QStringLiteral("lang.ini")));
    std::unique_ptr<TComponentEditor> editor = EditorFor(language);
    ASSERT_TRUE(editor);
    ASSERT_EQ(editor->GetVerbCount(), 6);
    EXPECT_EQ(editor->GetVerb(3), QStringLiteral("-"));
    EXPECT_EQ(editor->GetVerb(4), QStringLiteral("Save strings to INI-file"));
    EXPECT_EQ(editor->GetVerb(5), QStringLiteral("Load strings from INI-file"));
    editor->ExecuteVerb(4);
    EXPECT_EQ(TIniFile(language->IniFileName()).ReadString(QStringLiteral("OrderForm"), QStringLiteral("TitleLabel.Caption"), {}),
              QStringLiteral("Orders"));
    TIniFile(language->IniFileName()).WriteString(QStringLiteral("OrderForm"), QStringLiteral("TitleLabel.Caption"), QStringLiteral("Bestellungen"));
    editor->ExecuteVerb(5);
    EXPECT_EQ(caption->text(), QStringLiteral("Bestellungen"));

    TVDMDesigner designer(&form);
    std::unique_ptr<TComponentEditor> info = EditorFor(&designer);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->GetVerbCount(), 3);
    info->ExecuteVerb(0);  // information only
    EXPECT_EQ(EditorFor(caption), nullptr);
}
