// The designer window's view: zoom, band display, tool bar visibility and places, printing,
// printer setup, help, and the window's own state kept between sessions.
#include "window/report_designer_form.h"

#include "design/designer.h"
#include "env/event_scrollbox.h"
#include "env/ruler_panel.h"
#include "model/design_report.h"
#include "model/wait_cursor.h"

#include "host/button_controls.h"
#include "host/container_controls.h"
#include "host/interaction.h"
#include "host/menu_controls.h"
#include "host/text_controls.h"
#include "reportlib/rep_page.h"
#include "reportlib/rep_printer_setup.h"

#include <QApplication>
#include <QBoxLayout>
#include <QDesktopServices>
#include <QFileInfo>
#include <QPrinter>
#include <QScrollBar>
#include <QSettings>
#include <QUrl>
#include <QWheelEvent>
#include <cmath>

// ---- Zoom

namespace {

// One step up doubles, to 300 at most; one step down halves while half is above 10, halves
// rounded to the even neighbour (25 becomes 12).
int ZoomedIn(int zoom) { return qMin(zoom * 2, TReportDesignerForm::MaxZoom); }
int ZoomedOut(int zoom) {
    const double half = zoom / 2.0;
    return half > 10 ? int(std::nearbyint(half)) : zoom;
}

}  // namespace

void TReportDesignerForm::SetZoom(int Zoom) {
    DesignReport->SetZoom(Zoom);
    VDMDesigner1->RedrawSelection();
    RulerPanel1->SetZoom(DesignReport->Zoom());
}

void TReportDesignerForm::ZoomDefaultClick() { SetZoom(100); }

void TReportDesignerForm::ZoomIncreaseClick() { SetZoom(ZoomedIn(DesignReport->Zoom())); }

void TReportDesignerForm::ZoomDecreaseClick() {
    const int zoom = DesignReport->Zoom();
    if (ZoomedOut(zoom) != zoom) SetZoom(ZoomedOut(zoom));
}

void TReportDesignerForm::ZoomAround(int NewZoom, QPoint ViewportPos) {
    const int old = DesignReport->Zoom();
    if (NewZoom == old) return;
    QScrollBar *h = Scrollbox1->horizontalScrollBar(), *v = Scrollbox1->verticalScrollBar();
    // The report point under the pointer stays under it.
    const QPointF at((h->value() + ViewportPos.x()) / double(old), (v->value() + ViewportPos.y()) / double(old));
    SetZoom(NewZoom);
    QApplication::sendPostedEvents(Scrollbox1, QEvent::LayoutRequest);
    h->setValue(int(at.x() * NewZoom) - ViewportPos.x());
    v->setValue(int(at.y() * NewZoom) - ViewportPos.y());
}

bool TReportDesignerForm::WheelOnSurface(QWheelEvent *e) {
    const int steps = e->angleDelta().y() != 0 ? e->angleDelta().y() : e->angleDelta().x();
    if (e->modifiers() & Qt::ControlModifier) {
        if (steps == 0) return true;
        const int zoom = DesignReport->Zoom();
        ZoomAround(steps > 0 ? ZoomedIn(zoom) : ZoomedOut(zoom), e->position().toPoint());
        return true;
    }
    if (e->modifiers() & Qt::ShiftModifier) {
        QScrollBar *h = Scrollbox1->horizontalScrollBar();
        h->setValue(h->value() - steps / 120 * h->singleStep() * 3);
        return true;
    }
    return false;
}

void TReportDesignerForm::UpdateRulerFromReport() {
    RulerPanel1->SetZoom(DesignReport->Zoom());
    RulerPanel1->SetUnit(DesignReport->Units());
}

// ---- Bands

void TReportDesignerForm::RotateBandsClick() { DesignReport->SetRotateBands(DesignReport->RotateBands() + 1); }

void TReportDesignerForm::HideBandsClick() {
    // The item toggles its own mark when clicked; the report follows the mark.
    DesignReport->SetHideBands(HideBandsMI->isChecked());
}

void TReportDesignerForm::ResetBandsClick() {
    DesignReport->SetRotateBands(0);
    DesignReport->SetHideBands(false);
    HideBandsMI->setChecked(false);
}

// ---- Tool bars

void TReportDesignerForm::ArrangePanels() {
    for (QWidget *w : {static_cast<QWidget *>(ToolbarPanel), static_cast<QWidget *>(PropertyPanel),
                       static_cast<QWidget *>(ElementPanel), static_cast<QWidget *>(StatusPanel)}) {
        FTopStack->removeWidget(w);
        FLeftSlot->removeWidget(w);
        FBottomStack->removeWidget(w);
    }
    // Top: tool bar, font tool bar, element tool bar; bottom: font tool bar above the status line.
    FTopStack->addWidget(ToolbarPanel);
    if (FPropertyOnTop) FTopStack->addWidget(PropertyPanel);
    if (FElementOnTop)
        FTopStack->addWidget(ElementPanel);
    else
        FLeftSlot->addWidget(ElementPanel);
    if (!FPropertyOnTop) FBottomStack->addWidget(PropertyPanel);
    FBottomStack->addWidget(StatusPanel);

    // The element panel is as wide (at the left) or as high (at the top) as its buttons.
    int extent = 0;
    for (TSpeedButton *b : FElementButtons)
        if (!b->isHidden()) extent = qMax(extent, FElementOnTop ? b->y() + b->height() : b->x() + b->width());
    if (FElementOnTop) {
        ElementPanel->setMinimumWidth(0);
        ElementPanel->setMaximumWidth(QWIDGETSIZE_MAX);
        ElementPanel->setFixedHeight(extent + 2);
    } else {
        ElementPanel->setMinimumHeight(0);
        ElementPanel->setMaximumHeight(QWIDGETSIZE_MAX);
        ElementPanel->setFixedWidth(extent + 2);
    }
}

void TReportDesignerForm::SetPanelVisible(TPanel *Panel, bool Visible) {
    Panel->setVisible(Visible);
    TMenuItem *item = Panel == ToolbarPanel    ? ToolbarMI
                      : Panel == PropertyPanel ? FontToolbarMI
                      : Panel == ElementPanel  ? ElementToolbarMI
                                               : StatuslineMI;
    item->setChecked(Visible);
    if (Panel == PropertyPanel) PropertyVisibleMI->setChecked(Visible);
    if (Panel == ElementPanel) ElementVisibleMI->setChecked(Visible);
    ArrangePanels();
}

void TReportDesignerForm::SetPropertyPanelOnTop(bool Top) {
    FPropertyOnTop = Top;
    PropertyTopMI->setChecked(Top);
    PropertyBottomMI->setChecked(!Top);
    ArrangePanels();
}

void TReportDesignerForm::SetElementPanelOnTop(bool Top) {
    ElementTopMI->setChecked(Top);
    ElementLeftMI->setChecked(!Top);
    if (Top == FElementOnTop) return;
    FElementOnTop = Top;
    // A column of buttons becomes a row and back.
    for (TSpeedButton *b : FElementButtons) b->move(b->y(), b->x());
    ArrangePanels();
}

// ---- Printing

void TReportDesignerForm::PrintClick() {
    // The window stays as it is (minimising is unreliable under some window managers); the
    // wait cursor shows that the run is going on.
    TWaitCursor hourglass;
    DesignReport->Print();
}

void TReportDesignerForm::PreviewClick() { DesignReport->Preview(); }

void TReportDesignerForm::PrinterSetupClick() {
    QPrinter printer;
    if (!Interaction().PrinterSetup(printer)) return;
    const TRepPrinterSetup setup = TRepPrinterSetup::FromPrinter(printer);
    TRepPrinterSettings *settings = DesignReport->PrinterSettings();
    if (setup.PrinterIndex >= 0) settings->SetPrinterIndex(setup.PrinterIndex);
    settings->SetCopies(setup.Copies);
    settings->SetDuplex(setup.Duplex);
    TRepPage *page = DesignReport->Page();
    page->SetOrientation(setup.Orientation);
    page->SetPaperSize(setup.PaperSize);
    if (setup.PaperSize == psCustom) {
        page->SetValueMM(TRepPage::pvLength, setup.PaperLengthMM);
        page->SetValueMM(TRepPage::pvWidth, setup.PaperWidthMM);
    }
    VDMDesigner1->SetHasChanged(true);
}

// ---- Help

void TReportDesignerForm::ShowHelp() {
    const QString help = qApp->property("HelpFile").toString();
    if (help.isEmpty() || !QFileInfo::exists(help)) {
        Interaction().ShowMessage(QStringLiteral("No help file is installed (help context 90001)."), Caption());
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(help));
}

void TReportDesignerForm::ShowAbout() {
    Interaction().ShowMessage(QStringLiteral("Vendamo Report Designer\nDesign banded reports, feed them from "
                                             "databases, and preview, print or export them."),
                              QStringLiteral("About"));
}

// ---- The window's own state: geometry and tool bars, in the user's configuration folder.

void TReportDesignerForm::RestoreWindowState() {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Vendamo"), QStringLiteral("Designer"));
    // The first time the window comes up maximised.
    if (!restoreGeometry(s.value(QStringLiteral("Window/Geometry")).toByteArray())) {
        resize(1100, 780);
        setWindowState(Qt::WindowMaximized);
    }
    SetRecentFiles(s.value(QStringLiteral("Window/RecentFiles")).toStringList());
    SetPropertyPanelOnTop(s.value(QStringLiteral("Window/FontToolbarOnTop"), true).toBool());
    SetElementPanelOnTop(s.value(QStringLiteral("Window/ElementToolbarOnTop"), false).toBool());
    SetPanelVisible(ToolbarPanel, s.value(QStringLiteral("Window/Toolbar"), true).toBool());
    SetPanelVisible(PropertyPanel, s.value(QStringLiteral("Window/FontToolbar"), true).toBool());
    SetPanelVisible(ElementPanel, s.value(QStringLiteral("Window/ElementToolbar"), true).toBool());
    SetPanelVisible(StatusPanel, s.value(QStringLiteral("Window/Statusline"), true).toBool());
}

void TReportDesignerForm::SaveWindowState() const {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Vendamo"), QStringLiteral("Designer"));
    s.setValue(QStringLiteral("Window/Geometry"), saveGeometry());
    s.setValue(QStringLiteral("Window/RecentFiles"), FRecentFiles);
    s.setValue(QStringLiteral("Window/FontToolbarOnTop"), FPropertyOnTop);
    s.setValue(QStringLiteral("Window/ElementToolbarOnTop"), FElementOnTop);
    s.setValue(QStringLiteral("Window/Toolbar"), !ToolbarPanel->isHidden());
    s.setValue(QStringLiteral("Window/FontToolbar"), !PropertyPanel->isHidden());
    s.setValue(QStringLiteral("Window/ElementToolbar"), !ElementPanel->isHidden());
    s.setValue(QStringLiteral("Window/Statusline"), !StatusPanel->isHidden());
}
