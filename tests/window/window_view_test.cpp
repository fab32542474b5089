// The window's view: components and captions at creation, zoom steps by menu and key, the
// ruler following zoom and units, the status line texts, the tool bars' places and visibility.
#include "window_fixture.h"

#include "design/designer.h"
#include "env/event_scrollbox.h"
#include "env/ruler_panel.h"
#include "model/design_report.h"
#include "model/vendamo_bands.h"
#include "model/vendamo_text_elements.h"

#include "dblib/query.h"
#include "reportlib/rep_page.h"
#include "reportlib/rep_printer_setup.h"
#include "host/button_controls.h"
#include "host/forms.h"
#include "host/font.h"
#include "host/list_controls.h"
#include "host/menu_controls.h"
#include "host/text_controls.h"

#include <QApplication>
#include <QPrinter>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

TEST_F(WindowTest, StartsUntitledWithItsComponentsByName) {
    EXPECT_EQ(Window->Caption(), TReportDesignerForm::UntitledCaption());
    EXPECT_EQ(Window->Name(), QStringLiteral("RepFormDB"));
    for (const char *name : {"DesignReport", "VDMDesigner1", "Scrollbox1", "ScrollBox2", "RulerPanel1", "PropertyPanel",
                             "ToolbarPanel", "ElementPanel", "StatusPanel", "ElementsComboBox", "XPosLabel", "YPosLabel",
                             "Label1", "BoldSpeedButton", "FontComboBox", "FontSizeComboBox", "TypeLabel", "AllEdit",
                             "AllComboBox", "UndoMI", "CopyMI", "Bringtofront1", "SendtobackMI", "NormalSpeedButton",
                             "TeechartSpeedButton", "CopySpeedButton", "QuitSpeedButton"})
        EXPECT_TRUE(Window->FindComponent(QLatin1String(name))) << name;
    EXPECT_EQ(Window->TypeLabel->text(), QStringLiteral("Report"));
    EXPECT_TRUE(Window->XPosLabel->text().isEmpty());
    EXPECT_TRUE(Window->TeechartSpeedButton->isHidden());
    EXPECT_TRUE(Window->NormalSpeedButton->isChecked());
    EXPECT_TRUE(Window->UndoMI->isVisible());
    EXPECT_FALSE(Window->UndoMI->isEnabled());
    EXPECT_EQ(Window->FontSizeComboBox->count(), 20);
    EXPECT_EQ(Window->FontSizeComboBox->currentText(), QStringLiteral("10"));
    EXPECT_EQ(Window->RulerPanel1->width(), 2400);
    EXPECT_EQ(Window->VDMDesigner1->GridSizeX(), 4);
    EXPECT_TRUE(Window->VDMDesigner1->UndoEnabled());
    // The three text alignments are bound and exclusive; Paste waits for something to paste.
    EXPECT_EQ(Window->VDMDesigner1->SpeedButtons()->TextLeftAlign(), Window->TextLeftAlignButton);
    EXPECT_EQ(Window->VDMDesigner1->SpeedButtons()->TextRightAlign(), Window->TextRightAlignButton);
    EXPECT_EQ(Window->VDMDesigner1->MenuItems()->PasteFromClipboard(), Window->PasteMI);
    // The Edit menu's New offers both rich-text elements, as the element buttons do.
    QStringList captions;
    for (int i = 0; i < Window->NewElementMI->Count(); ++i) captions << Window->NewElementMI->Items(i)->text();
    EXPECT_TRUE(captions.contains(QStringLiteral("Richtext")));
    EXPECT_TRUE(captions.contains(QStringLiteral("Richtext from data field")));
}

TEST_F(WindowTest, ZoomStepsByMenuAndKeysAndTheRulerFollows) {
    Window->ZoomIncreaseMI->trigger();
    EXPECT_EQ(Window->DesignReport->Zoom(), 200);
    QTest::keyClick(Window.get(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(Window->DesignReport->Zoom(), 300);
    Window->ZoomIncreaseMI->trigger();
    EXPECT_EQ(Window->DesignReport->Zoom(), 300);
    EXPECT_EQ(Window->RulerPanel1->Zoom(), 300);
    QTest::keyClick(Window.get(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(Window->DesignReport->Zoom(), 100);
    Window->SetZoom(25);
    QTest::keyClick(Window.get(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(Window->DesignReport->Zoom(), 12);  // half of 25 rounds to even
    Window->SetZoom(20);
    Window->ZoomDecreaseMI->trigger();
    EXPECT_EQ(Window->DesignReport->Zoom(), 20);
    EXPECT_EQ(Window->RulerPanel1->Zoom(), 20);
}

TEST_F(WindowTest, CtrlWheelZoomsAroundThePointerAndShiftWheelScrollsSideways) {
    ASSERT_TRUE(Window->OpenReportFile(DemoReport(QStringLiteral("customer-list.QR2"))));
    QWidget *viewport = Window->Scrollbox1->viewport();
    const QPoint at(300, 200);
    QWheelEvent in(at, viewport->mapToGlobal(at), {}, QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &in);
    EXPECT_EQ(Window->DesignReport->Zoom(), 200);
    // The report point under the pointer (150, 100 at 100 %) is still under it.
    EXPECT_NEAR(Window->Scrollbox1->HorzScrollPosition(), 300, 2);
    EXPECT_NEAR(Window->Scrollbox1->VertScrollPosition(), 200, 2);
    // The ruler follows the report sideways.
    EXPECT_EQ(Window->ScrollBox2->HorzScrollPosition(), Window->Scrollbox1->HorzScrollPosition());

    const int before = Window->Scrollbox1->HorzScrollPosition();
    QWheelEvent side(at, viewport->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton, Qt::ShiftModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &side);
    EXPECT_GT(Window->Scrollbox1->HorzScrollPosition(), before);
}

TEST_F(WindowTest, StatusLineShowsNameAndPositionInReportUnits) {
    ASSERT_TRUE(Window->OpenReportFile(DemoReport(QStringLiteral("customer-list.QR2"))));
    TVendamoLabel *label = nullptr;
    for (TComponent *c : Window->Components())
        if ((label = qobject_cast<TVendamoLabel *>(c->Object()))) break;
    ASSERT_TRUE(label);
    label->move(40, 8);
    Window->VDMDesigner1->SelectElement(true, label);
    EXPECT_EQ(Window->ElementsComboBox->currentText(), label->Name());
    EXPECT_EQ(Window->XPosLabel->text(), QStringLiteral("40 (10.58 mm)"));
    EXPECT_EQ(Window->YPosLabel->text(), QStringLiteral("8 (2.12 mm)"));
    Window->DesignReport->SetUnits(ruInches);
    Window->VDMDesigner1->SelectElement(true, label);
    EXPECT_EQ(Window->XPosLabel->text(), QStringLiteral("40 (0.42 Inches)"));
    Window->DesignReport->SetUnits(ruCharacters);
    Window->VDMDesigner1->SelectElement(true, label);
    EXPECT_TRUE(Window->XPosLabel->text().endsWith(QStringLiteral(" Chars)")));
    Window->DesignReport->SetUnits(ruPixels);
    Window->VDMDesigner1->SelectElement(true, label);
    EXPECT_EQ(Window->XPosLabel->text(), QStringLiteral("40 (40.00)"));
    // A band shows its name but no position.
    Window->VDMDesigner1->SelectElement(true, label->parentWidget());
    EXPECT_EQ(Window->ElementsComboBox->currentText(), TComponent::FromObject(label->parentWidget())->Name());
    EXPECT_TRUE(Window->XPosLabel->text().isEmpty());
    EXPECT_EQ(Window->TypeLabel->text(), QStringLiteral("Band"));
    EXPECT_TRUE(Window->AllComboBox->isVisible());
    EXPECT_EQ(Window->AllComboBox->count(), 8);
    // Nothing selected: the report, and its font in the font tool bar even where this system
    // substitutes another family for it.
    Window->VDMDesigner1->SelectElement(true, nullptr);
    EXPECT_EQ(Window->TypeLabel->text(), QStringLiteral("Report"));
    EXPECT_EQ(Window->FontComboBox->currentText(), Window->DesignReport->Font()->Name());
    EXPECT_TRUE(Window->AllEdit->isHidden());
    EXPECT_TRUE(Window->AllComboBox->isHidden());
}

TEST_F(WindowTest, ElementsComboListsEveryElementAndSelectsTheChosenOne) {
    ASSERT_TRUE(Window->OpenReportFile(DemoReport(QStringLiteral("customer-list.QR2"))));
    QTest::mouseClick(Window->ElementsComboBox, Qt::LeftButton);
    QStringList names = Window->ElementsComboBox->Items()->ToStringList();
    ASSERT_GT(names.size(), 10);
    QStringList sorted = names;
    sorted.sort();
    EXPECT_EQ(names, sorted);
    EXPECT_TRUE(names.contains(QStringLiteral("TitleBand")));
    // Escape closes the list; Down picks the next name, which becomes the selection.
    QTest::keyClick(Window->ElementsComboBox->view(), Qt::Key_Escape);
    Window->ElementsComboBox->setFocus();
    QTest::keyClick(Window->ElementsComboBox, Qt::Key_Down);
    QWidget *selected = Window->VDMDesigner1->GetSelectedElement();
    ASSERT_TRUE(selected);
    EXPECT_EQ(TComponent::FromObject(selected)->Name(), Window->ElementsComboBox->currentText());
}

TEST_F(WindowTest, ToolBarsHideFromTheViewMenuAndMoveFromTheirPopups) {
    Window->ToolbarMI->trigger();
    EXPECT_TRUE(Window->ToolbarPanel->isHidden());
    EXPECT_FALSE(Window->ToolbarMI->isChecked());
    Window->ToolbarMI->trigger();
    EXPECT_FALSE(Window->ToolbarPanel->isHidden());
    QApplication::processEvents();
    EXPECT_LT(Window->ToolbarPanel->y(), Window->PropertyPanel->y());

    // The font tool bar to the bottom, just above the status line.
    Window->PropertyBottomMI->trigger();
    QApplication::processEvents();
    EXPECT_GT(Window->PropertyPanel->y(), Window->Scrollbox1->y());
    EXPECT_LT(Window->PropertyPanel->y(), Window->StatusPanel->y());
    Window->PropertyVisibleMI->trigger();
    EXPECT_TRUE(Window->PropertyPanel->isHidden());
    EXPECT_FALSE(Window->FontToolbarMI->isChecked());

    // The element tool bar from the left edge to the top: the column becomes a row.
    const QPoint label = Window->LabelSpeedButton->pos();
    Window->ElementLeftMI->trigger();  // the edge it is on: nothing changes
    EXPECT_EQ(Window->LabelSpeedButton->pos(), label);
    Window->ElementTopMI->trigger();
    EXPECT_EQ(Window->LabelSpeedButton->pos(), QPoint(label.y(), label.x()));
    QApplication::processEvents();
    EXPECT_LT(Window->ElementPanel->y(), Window->Scrollbox1->y());
    EXPECT_GT(Window->ElementPanel->width(), Window->ElementPanel->height());
    Window->ElementLeftMI->trigger();
    EXPECT_EQ(Window->LabelSpeedButton->pos(), label);

    Window->StatuslineMI->trigger();
    EXPECT_TRUE(Window->StatusPanel->isHidden());
}

TEST_F(WindowTest, BandViewSwitchesRotateHideAndReset) {
    Window->RotateBandsMI->trigger();
    Window->RotateBandsMI->trigger();
    EXPECT_EQ(Window->DesignReport->RotateBands(), 2);
    Window->HideBandsMI->trigger();
    EXPECT_TRUE(Window->DesignReport->HideBands());
    EXPECT_TRUE(Window->HideBandsMI->isChecked());
    Window->ResetBandsMI->trigger();
    EXPECT_EQ(Window->DesignReport->RotateBands(), 0);
    EXPECT_FALSE(Window->DesignReport->HideBands());
    EXPECT_FALSE(Window->HideBandsMI->isChecked());
}

TEST_F(WindowTest, WindowStateAndRecentFilesComeBackInTheNextWindow) {
    const QString demo = DemoReport(QStringLiteral("customer-list.QR2"));
    ASSERT_TRUE(Window->OpenReportFile(demo));
    Window->ElementTopMI->trigger();
    Window->StatuslineMI->trigger();
    ASSERT_TRUE(Window->close());
    Window = std::make_unique<TReportDesignerForm>();
    EXPECT_EQ(Window->RecentFiles(), QStringList{demo});
    EXPECT_TRUE(Window->ElementPanelOnTop());
    EXPECT_TRUE(Window->StatusPanel->isHidden());
    EXPECT_FALSE(Window->StatuslineMI->isChecked());
}

TEST_F(WindowTest, BeforePrintAddsTheDatasetsOfTheDatabaseOwnerAndOfDataModules) {
    TDataModule module;
    auto *moduleQuery = new TQuery(&module);
    moduleQuery->SetName(QStringLiteral("ModuleQuery"));
    TDataModule owner;
    auto *ownerQuery = new TQuery(&owner);
    ownerQuery->SetName(QStringLiteral("OwnerQuery"));
    Window->VDMDesigner1->SetDatabaseOwner(&owner);
    bool print = true;
    Window->DesignReportBeforePrint(Window->DesignReport, print);
    const QList<TDataSet *> all = Window->DesignReport->AllDataSets();
    EXPECT_TRUE(all.contains(ownerQuery));
    EXPECT_TRUE(all.contains(moduleQuery));  // UseDataModules is set in the window
    EXPECT_TRUE(print);
    Window->VDMDesigner1->SetDatabaseOwner(nullptr);
}

TEST_F(WindowTest, PrinterSetupCopiesTheChosenPrinterSettingsIntoTheReport) {
    Window->DesignReport->Page()->SetPaperSize(psA3);
    Window->DesignReport->PrinterSettings()->SetCopies(3);
    Script->AnswerOk();
    Window->PrinterSetupMI->trigger();
    ASSERT_EQ(Script->Questions().size(), 1);
    EXPECT_EQ(Script->Questions()[0].Kind, QStringLiteral("printer"));
    QPrinter printer;
    const TRepPrinterSetup chosen = TRepPrinterSetup::FromPrinter(printer);
    EXPECT_EQ(Window->DesignReport->Page()->PaperSize(), chosen.PaperSize);
    EXPECT_EQ(Window->DesignReport->PrinterSettings()->Copies(), chosen.Copies);
    EXPECT_TRUE(Window->VDMDesigner1->HasChanged());
    // Cancelled, nothing changes.
    Window->DesignReport->Page()->SetPaperSize(psA3);
    Script->AnswerCancel();
    Window->PrinterSetupMI->trigger();
    EXPECT_EQ(Window->DesignReport->Page()->PaperSize(), int(psA3));
}

TEST_F(WindowTest, HelpSaysSoWhenNoHelpFileIsInstalled) {
    Window->HelpContentsMI->trigger();
    ASSERT_EQ(Script->Questions().size(), 1);
    EXPECT_TRUE(Script->Questions()[0].Text.contains(QStringLiteral("90001")));
}
