// Construction of the designer window: its components by name, menus, tool bars, the surface
// and the designer's configuration.
#include "window/report_designer_form.h"

#include "window/button_glyphs.h"

#include "design/designer.h"
#include "design/designer_dialogs.h"
#include "design/stretch_handle.h"
#include "env/event_scrollbox.h"
#include "env/options_form.h"
#include "env/ruler_panel.h"
#include "env/settings_file.h"
#include "model/design_report.h"
#include "model/form_translation.h"
#include "model/runtime_messages.h"

#include "host/button_controls.h"
#include "host/container_controls.h"
#include "host/list_controls.h"
#include "host/menu_controls.h"
#include "host/text_controls.h"
#include "reportlib/rep_page.h"

#include <QApplication>
#include <QBoxLayout>
#include <QDir>
#include <QScrollBar>
#include <QShortcut>

namespace {

template <class T>
T *Make(TComponent *Owner, const QString &Name) {
    auto *c = new T(Owner);
    c->SetName(Name);
    return c;
}

// The element buttons: name, hint, glyph and the designer state they start.
struct TElementButton {
    TSpeedButton *TReportDesignerForm::*Member;
    const char *Name;
    const char *Hint;
    const char *Glyph;
    int State;
};

const TElementButton ElementButtons[] = {
    {&TReportDesignerForm::NormalSpeedButton, "NormalSpeedButton", "select/move element", "normal", 0},
    {&TReportDesignerForm::BandSpeedButton, "BandSpeedButton", "add new band", "band", 2},
    {&TReportDesignerForm::LabelSpeedButton, "LabelSpeedButton", "add new label", "label", 3},
    {&TReportDesignerForm::DBTextSpeedButton, "DBTextSpeedButton", "add new data field", "dbtext", 4},
    {&TReportDesignerForm::ExpressionSpeedButton, "ExpressionSpeedButton", "add new expression-field", "expression", 5},
    {&TReportDesignerForm::SysdataSpeedButton, "SysdataSpeedButton", "add new system field", "sysdata", 6},
    {&TReportDesignerForm::ShapeSpeedButton, "ShapeSpeedButton", "add new shape", "shape", 7},
    {&TReportDesignerForm::ImageSpeedButton, "ImageSpeedButton", "add new image", "image", 8},
    {&TReportDesignerForm::DBImageSpeedButton, "DBImageSpeedButton", "add new image from data field", "dbimage", 9},
    {&TReportDesignerForm::MemoSpeedButton, "MemoSpeedButton", "add new memo", "memo", 10},
    {&TReportDesignerForm::RichtextSpeedButton, "RichtextSpeedButton", "add new richtext", "richtext", 11},
    {&TReportDesignerForm::DBRichtextSpeedButton, "DBRichtextSpeedButton", "add new richtext from data field",
     "dbrichtext", 12},
    {&TReportDesignerForm::SubdetailSpeedButton, "SubdetailSpeedButton", "add new subdetail band", "subdetail", 13},
    {&TReportDesignerForm::GroupSpeedButton, "GroupSpeedButton", "add new group band", "group", 14},
    {&TReportDesignerForm::ChildSpeedbutton, "ChildSpeedbutton", "add new childband", "child", 15},
    {&TReportDesignerForm::TeechartSpeedButton, "TeechartSpeedButton", "add new chart", "chart", 16},
};

// The "&New" items of the Edit menu, each starting the insertion of its element button.
struct TNewItem {
    const char *Name;
    const char *Caption;
    TSpeedButton *TReportDesignerForm::*Button;
};

const TNewItem NewItems[] = {
    {"NewBandMI", "&Band", &TReportDesignerForm::BandSpeedButton},
    {"NewChildbandMI", "Childband", &TReportDesignerForm::ChildSpeedbutton},
    {"NewSubdetailbandMI", "Subdetailband", &TReportDesignerForm::SubdetailSpeedButton},
    {"NewGroupbandMI", "Groupband", &TReportDesignerForm::GroupSpeedButton},
    {"NewLabelMI", "&Label", &TReportDesignerForm::LabelSpeedButton},
    {"NewDatafieldMI", "&Data field", &TReportDesignerForm::DBTextSpeedButton},
    {"NewExpressionMI", "&Expression", &TReportDesignerForm::ExpressionSpeedButton},
    {"NewSystemfieldMI", "&System field", &TReportDesignerForm::SysdataSpeedButton},
    {"NewShapeMI", "Shape", &TReportDesignerForm::ShapeSpeedButton},
    {"NewImageMI", "&Image", &TReportDesignerForm::ImageSpeedButton},
    {"NewDBImageMI", "Image from data field", &TReportDesignerForm::DBImageSpeedButton},
    {"NewMemoMI", "&Memo", &TReportDesignerForm::MemoSpeedButton},
    {"NewRichtextMI", "Richtext", &TReportDesignerForm::RichtextSpeedButton},
    {"NewDBRichtextMI", "Richtext from data field", &TReportDesignerForm::DBRichtextSpeedButton},
};

}  // namespace

QString TReportDesignerForm::UntitledCaption() { return QStringLiteral("Report Designer - Untitled"); }

TReportDesignerForm::TReportDesignerForm(TComponent *AOwner) : TForm(AOwner) {
    SetName(QStringLiteral("RepFormDB"));
    SetShowsModifiedMark(true);
    SetCaption(UntitledCaption());
    setAcceptDrops(true);
    FOpenDialogDir = FSaveDialogDir = QCoreApplication::applicationDirPath();
    CreateComponents();
    ConfigureDesigner();

    // Settings and language come after every component exists, so both reach all of them.
    ReadVendamoSetup(VDMDesigner1, FHelpFile);
    TranslateForm(this, QStringLiteral("RepFormDB"));
    TypeLabel->setText(QString());
    XPosLabel->setText(QString());
    YPosLabel->setText(QString());
    ElementsComboBox->Items()->Clear();
    TeechartSpeedButton->hide();
    UpdateRulerFromReport();
    UpdateUndoItems();
    ArrangePanels();
    RestoreWindowState();
    VDMDesigner1->SelectElement(true, nullptr);
}

TReportDesignerForm::~TReportDesignerForm() {
    // The report goes first, unlinking itself from the designer while both exist.
    delete DesignReport;
}

void TReportDesignerForm::CreateComponents() {
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    DesignReport = Make<TDesignReport>(this, QStringLiteral("DesignReport"));
    DesignReport->SetUnits(ruMM);
    TRepPage *page = DesignReport->Page();
    page->SetPaperSize(psA4);
    page->SetOrientation(TRepPage::poPortrait);
    page->SetColumns(1);
    for (int value : {TRepPage::pvTopMargin, TRepPage::pvBottomMargin, TRepPage::pvLeftMargin, TRepPage::pvRightMargin})
        page->SetValueMM(value, 10);
    DesignReport->SetZoom(100);
    DesignReport->SetOptions(TReport::FirstPageHeader | TReport::LastPageFooter);
    DesignReport->SetPrintIfEmpty(true);
    DesignReport->SetBeforePrint(TMethod::Make(this, &TReportDesignerForm::DesignReportBeforePrint));

    VDMDesigner1 = Make<TVDMDesigner>(this, QStringLiteral("VDMDesigner1"));
    VDMDesigner1->SetReport(DesignReport);

    CreateMenus();
    root->setMenuBar(MainMenu1);
    CreateToolbar();
    CreatePropertyPanel();
    CreateElementPanel();
    CreateStatusPanel();

    // The ruler scrolls with the report but has no scroll bars of its own.
    ScrollBox2 = Make<TScrollBox>(this, QStringLiteral("ScrollBox2"));
    ScrollBox2->setFrameShape(QFrame::NoFrame);
    ScrollBox2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox2->setFixedHeight(15);
    RulerPanel1 = Make<TRulerPanel>(this, QStringLiteral("RulerPanel1"));
    RulerPanel1->resize(2400, 15);
    RulerPanel1->SetUnit(ruMM);
    RulerPanel1->SetZoom(100);
    ScrollBox2->setWidget(RulerPanel1);
    ScrollBox2->horizontalScrollBar()->setSingleStep(1);

    Scrollbox1 = Make<TEventScrollbox>(this, QStringLiteral("Scrollbox1"));
    Scrollbox1->setFrameShape(QFrame::NoFrame);
    Scrollbox1->setBackgroundRole(QPalette::Dark);
    Scrollbox1->setWidget(DesignReport);
    Scrollbox1->SetOnScrollHorz(TMethod::Make(this, &TReportDesignerForm::ScrollboxScrollHorz));
    Scrollbox1->viewport()->installEventFilter(this);

    // Tool panels: a stack at the top, a slot at the left edge and a stack at the bottom;
    // ArrangePanels puts each panel where it belongs.
    FTopStack = new QVBoxLayout;
    FTopStack->setSpacing(0);
    root->addLayout(FTopStack);
    auto *middle = new QHBoxLayout;
    middle->setSpacing(0);
    FLeftSlot = new QVBoxLayout;
    middle->addLayout(FLeftSlot);
    auto *centre = new QVBoxLayout;
    centre->setSpacing(0);
    centre->addWidget(ScrollBox2);
    centre->addWidget(Scrollbox1, 1);
    middle->addLayout(centre, 1);
    root->addLayout(middle, 1);
    FBottomStack = new QVBoxLayout;
    FBottomStack->setSpacing(0);
    root->addLayout(FBottomStack);

    // Escape ends a pending insertion; it is live only then, so that Escape reaches the
    // surface and the dialogs otherwise.
    FCancelInsertion = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    FCancelInsertion->setEnabled(false);
    connect(FCancelInsertion, &QShortcut::activated, this, [this] { VDMDesigner1->SetVendamoState(0); });
    connect(VDMDesigner1, &TVDMDesigner::HasChangedChanged, this, [this](bool changed) {
        setWindowModified(changed);
        UpdateUndoItems();
    });
}

void TReportDesignerForm::ConfigureDesigner() {
    TVDMDesigner *d = VDMDesigner1;
    d->SetUseDataModules(true);
    d->SetSaveLoadPrinterSetup(false);
    d->SetAllowBlockEdit(true);
    d->SetAllowNewCalcFields(true);
    d->SetAllowSQLEdit(true);
    d->SetAutoEditAfterInsert(true);
    d->SetBackupFileExtension(QStringLiteral(".BAK"));
    d->SetComponentFrameColor(clGray);
    d->SetComponentFrameStyle(TPen::psDot);
    d->SetGridSizeX(4);
    d->SetGridSizeY(4);
    d->SetKeyboardMoveX(1);
    d->SetKeyboardMoveY(1);
    d->SetMinElementWidth(5);
    d->SetMinElementHeight(5);
    d->SetQueriesOnlyInExpert(false);
    d->SetQueriesOnlyInDBSetup(false);
    d->SetSaveBackupFiles(true);
    d->SetSaveImagesInReportfile(true);
    d->SetShowBandNames(true);
    d->SetShowComponentFrames(false);
    d->SetUndoEnabled(true);
    d->SetUndoLimit(50);
    d->SetAddCursor(0);
    d->RuntimeMessages()->SetStringList(DefaultRuntimeMessages());
    d->SetFontComboBox(FontComboBox);
    d->SetFontSizeComboBox(FontSizeComboBox);

    TVDMMenuItems *items = d->MenuItems();
    items->SetUndo(UndoMI);
    items->SetCopyToClipboard(CopyMI);
    items->SetCutToClipboard(CutMI);
    items->SetPasteFromClipboard(PasteMI);
    items->SetDelete(DeleteMI);
    items->SetSendToBack(SendtobackMI);
    items->SetBringToFront(Bringtofront1);
    items->SetAlignLeft(AlignLeftMI);
    items->SetAlignRight(AlignRightMI);
    items->SetAlignTop(AlignTopMI);
    items->SetAlignBottom(AlignBottomMI);
    items->SetCenterHorizontal(CenterHorizontalMI);
    items->SetCenterVertical(CenterVerticalMI);
    items->SetParentCenterHorizontal(ParentCenterHorizontalMI);
    items->SetParentCenterVertical(ParentCenterVerticalMI);
    items->SetEqualSpaceHorizontal(EqualSpaceHorizontalMI);
    items->SetEqualSpaceVertical(EqualSpaceVerticalMI);

    TVDMSpeedButtons *buttons = d->SpeedButtons();
    buttons->SetCopyToClipboard(CopySpeedButton);
    buttons->SetCutToClipboard(CutSpeedButton);
    buttons->SetPasteFromClipboard(PasteSpeedButton);
    buttons->SetSendToBack(SendToBackButton);
    buttons->SetBringToFront(BringToFrontButton);
    buttons->SetAlignLeft(LeftButton);
    buttons->SetAlignRight(RightButton);
    buttons->SetAlignTop(TopButton);
    buttons->SetAlignBottom(BottomButton);
    buttons->SetAlignCenterHorizontal(CenterHorizontalButton);
    buttons->SetAlignCenterVertical(CenterVerticalButton);
    buttons->SetAlignParentCenterHorizontal(ParentCenterHorizontalButton);
    buttons->SetAlignParentCenterVertical(ParentCenterVerticalButton);
    buttons->SetAlignEqualSpaceHorizontal(HorizontalEqualButton);
    buttons->SetAlignEqualSpaceVertical(VerticalEqualButton);
    // All three text alignments are bound, so that each button works and they stay exclusive.
    buttons->SetTextLeftAlign(TextLeftAlignButton);
    buttons->SetTextCenter(TextCenterAlignButton);
    buttons->SetTextRightAlign(TextRightAlignButton);
    buttons->SetFontBold(BoldSpeedButton);
    buttons->SetFontItalic(ItalicSpeedButton);
    buttons->SetFontUnderline(UnderlineSpeedButton);
    buttons->SetNormalDesign(NormalSpeedButton);

    d->SetOnShowInfo(TMethod::Make(this, &TReportDesignerForm::DesignerShowInfo));
    d->SetOnEditProperties(TMethod::Make(this, &TReportDesignerForm::DesignerEditProperties));
    d->SetOnSelectionChanged(TMethod::Make(this, &TReportDesignerForm::DesignerSelectionChanged));
    d->SetOnDesignStateChanged(TMethod::Make(this, &TReportDesignerForm::DesignerStateChanged));
}

void TReportDesignerForm::CreateMenus() {
    MainMenu1 = Make<TMainMenu>(this, QStringLiteral("MainMenu1"));
    int separators = 0;
    auto item = [this](TMenuItem *parent, const QString &name, const QString &caption, auto handler) {
        auto *mi = Make<TMenuItem>(this, name);
        mi->setText(caption);
        if (parent) parent->Add(mi);
        if constexpr (!std::is_same_v<decltype(handler), std::nullptr_t>)
            connect(mi, &QAction::triggered, this, handler);
        return mi;
    };
    auto separator = [&](TMenuItem *parent) {
        auto *mi = Make<TMenuItem>(this, QStringLiteral("N%1").arg(++separators));
        mi->setText(QStringLiteral("-"));
        mi->setSeparator(true);
        parent->Add(mi);
        return mi;
    };
    auto top = [&](const QString &name, const QString &caption) {
        TMenuItem *mi = item(nullptr, name, caption, nullptr);
        MainMenu1->Add(mi);
        return mi;
    };

    FileMI = top(QStringLiteral("FileMI"), QStringLiteral("&File"));
    NewMI = item(FileMI, QStringLiteral("NewMI"), QStringLiteral("&New..."), [this] { NewClick(); });
    OpenMI = item(FileMI, QStringLiteral("OpenMI"), QStringLiteral("&Open..."), [this] { OpenClick(); });
    SaveMI = item(FileMI, QStringLiteral("SaveMI"), QStringLiteral("&Save"), [this] { SaveClick(); });
    SaveAsMI = item(FileMI, QStringLiteral("SaveAsMI"), QStringLiteral("Save &as..."), [this] { SaveAsClick(); });
    separator(FileMI);
    PreviewMI = item(FileMI, QStringLiteral("PreviewMI"), QStringLiteral("Pre&view"), [this] { PreviewClick(); });
    separator(FileMI);
    PrintMI = item(FileMI, QStringLiteral("PrintMI"), QStringLiteral("&Print"), [this] { PrintClick(); });
    PrinterSetupMI = item(FileMI, QStringLiteral("PrinterSetupMI"), QStringLiteral("Printer setup"),
                          [this] { PrinterSetupClick(); });
    separator(FileMI);
    ExitMI = item(FileMI, QStringLiteral("ExitMI"), QStringLiteral("&Exit"), [this] { close(); });
    NewMI->setShortcut(QKeySequence::New);
    OpenMI->setShortcut(QKeySequence::Open);
    SaveMI->setShortcut(QKeySequence::Save);
    SaveAsMI->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    PrintMI->setShortcut(QKeySequence::Print);
    ExitMI->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));

    EditMI = top(QStringLiteral("EditMI"), QStringLiteral("&Edit"));
    NewElementMI = item(EditMI, QStringLiteral("NewElementMI"), QStringLiteral("&New"), nullptr);
    for (const TNewItem &n : NewItems) {
        const auto button = n.Button;
        item(NewElementMI, QLatin1String(n.Name), QLatin1String(n.Caption), [this, button] {
            VDMDesigner1->RepeatInsertion = false;
            (this->*button)->click();
        });
    }
    UndoSeparatorMI = separator(EditMI);
    // The bound click handler of Undo is the designer's; Ctrl+Z and the redo keys are extras.
    UndoMI = item(EditMI, QStringLiteral("UndoMI"), QStringLiteral("Undo"), nullptr);
    UndoMI->setShortcut(QKeySequence::Undo);
    // After the designer's own handler: Redo becomes possible.
    connect(UndoMI, &QAction::triggered, this, [this] { UpdateUndoItems(); });
    RedoMI = item(EditMI, QStringLiteral("RedoMI"), QStringLiteral("Redo"), [this] {
        VDMDesigner1->DoRedo();
        UpdateUndoItems();
    });
    RedoMI->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    separator(EditMI);
    CutMI = item(EditMI, QStringLiteral("CutMI"), QStringLiteral("Cut"), nullptr);
    CopyMI = item(EditMI, QStringLiteral("CopyMI"), QStringLiteral("Copy"), nullptr);
    PasteMI = item(EditMI, QStringLiteral("PasteMI"), QStringLiteral("Paste"), nullptr);
    DeleteMI = item(EditMI, QStringLiteral("DeleteMI"), QStringLiteral("Delete"), nullptr);
    separator(EditMI);
    AlignMI = item(EditMI, QStringLiteral("AlignMI"), QStringLiteral("&Align"), nullptr);
    AlignLeftMI = item(AlignMI, QStringLiteral("AlignLeftMI"), QStringLiteral("&Left"), nullptr);
    AlignRightMI = item(AlignMI, QStringLiteral("AlignRightMI"), QStringLiteral("&Right"), nullptr);
    AlignTopMI = item(AlignMI, QStringLiteral("AlignTopMI"), QStringLiteral("&Top"), nullptr);
    AlignBottomMI = item(AlignMI, QStringLiteral("AlignBottomMI"), QStringLiteral("&Bottom"), nullptr);
    CenterMI = item(EditMI, QStringLiteral("CenterMI"), QStringLiteral("&Center elements"), nullptr);
    CenterHorizontalMI = item(CenterMI, QStringLiteral("CenterHorizontalMI"), QStringLiteral("&Horizontal"), nullptr);
    CenterVerticalMI = item(CenterMI, QStringLiteral("CenterVerticalMI"), QStringLiteral("&Vertical"), nullptr);
    ParentCenterMI = item(EditMI, QStringLiteral("ParentCenterMI"), QStringLiteral("Cen&ter on band"), nullptr);
    ParentCenterHorizontalMI =
        item(ParentCenterMI, QStringLiteral("ParentCenterHorizontalMI"), QStringLiteral("&Horizontal"), nullptr);
    ParentCenterVerticalMI =
        item(ParentCenterMI, QStringLiteral("ParentCenterVerticalMI"), QStringLiteral("&Vertical"), nullptr);
    EqualSpaceMI = item(EditMI, QStringLiteral("EqualSpaceMI"), QStringLiteral("&Equal space"), nullptr);
    EqualSpaceHorizontalMI =
        item(EqualSpaceMI, QStringLiteral("EqualSpaceHorizontalMI"), QStringLiteral("&Horizontal"), nullptr);
    EqualSpaceVerticalMI =
        item(EqualSpaceMI, QStringLiteral("EqualSpaceVerticalMI"), QStringLiteral("&Vertical"), nullptr);
    separator(EditMI);
    SendtobackMI = item(EditMI, QStringLiteral("SendtobackMI"), QStringLiteral("Send to back"), nullptr);
    Bringtofront1 = item(EditMI, QStringLiteral("Bringtofront1"), QStringLiteral("Bring to front"), nullptr);

    ViewMI = top(QStringLiteral("ViewMI"), QStringLiteral("&View"));
    ToolbarMI = item(ViewMI, QStringLiteral("ToolbarMI"), QStringLiteral("Toolbar"),
                     [this] { SetPanelVisible(ToolbarPanel, ToolbarMI->isChecked()); });
    FontToolbarMI = item(ViewMI, QStringLiteral("FontToolbarMI"), QStringLiteral("Font toolbar"),
                         [this] { SetPanelVisible(PropertyPanel, FontToolbarMI->isChecked()); });
    ElementToolbarMI = item(ViewMI, QStringLiteral("ElementToolbarMI"), QStringLiteral("Element toolbar"),
                            [this] { SetPanelVisible(ElementPanel, ElementToolbarMI->isChecked()); });
    StatuslineMI = item(ViewMI, QStringLiteral("StatuslineMI"), QStringLiteral("Statusline"),
                        [this] { SetPanelVisible(StatusPanel, StatuslineMI->isChecked()); });
    for (TMenuItem *mi : {ToolbarMI, FontToolbarMI, ElementToolbarMI, StatuslineMI}) mi->SetChecked(true);
    separator(ViewMI);
    ZoomMI = item(ViewMI, QStringLiteral("ZoomMI"), QStringLiteral("Zoom"), nullptr);
    ZoomDefaultMI = item(ZoomMI, QStringLiteral("ZoomDefaultMI"), QStringLiteral("Default size"),
                         [this] { ZoomDefaultClick(); });
    ZoomIncreaseMI = item(ZoomMI, QStringLiteral("ZoomIncreaseMI"), QStringLiteral("Increase"),
                          [this] { ZoomIncreaseClick(); });
    ZoomDecreaseMI = item(ZoomMI, QStringLiteral("ZoomDecreaseMI"), QStringLiteral("Decrease"),
                          [this] { ZoomDecreaseClick(); });
    ZoomDefaultMI->setShortcut(QKeySequence(QStringLiteral("Ctrl+0")));
    ZoomIncreaseMI->setShortcuts({QKeySequence::ZoomIn, QKeySequence(QStringLiteral("Ctrl+="))});
    ZoomDecreaseMI->setShortcut(QKeySequence::ZoomOut);
    separator(ViewMI);
    RotateBandsMI = item(ViewMI, QStringLiteral("RotateBandsMI"), QStringLiteral("Rotate bands"),
                         [this] { RotateBandsClick(); });
    HideBandsMI = item(ViewMI, QStringLiteral("HideBandsMI"), QStringLiteral("Hide bands"), [this] { HideBandsClick(); });
    HideBandsMI->setCheckable(true);
    ResetBandsMI = item(ViewMI, QStringLiteral("ResetBandsMI"), QStringLiteral("Reset bands"),
                        [this] { ResetBandsClick(); });
    separator(ViewMI);
    ViewOptionsMI = item(ViewMI, QStringLiteral("ViewOptionsMI"), QStringLiteral("&Options..."), [this] {
        EditViewOptions(DesignReport, VDMDesigner1);
        RulerPanel1->SetUnit(DesignReport->Units());
    });

    ReportMI = top(QStringLiteral("ReportMI"), QStringLiteral("&Report"));
    ReportOptionsMI = item(ReportMI, QStringLiteral("ReportOptionsMI"), QStringLiteral("&Options..."), [this] {
        if (RunDialog(DesignerDialogs::ReportOptions, ReportOptionsMI->text(), DesignReport)) {
            VDMDesigner1->SetHasChanged(true);
            UpdateRulerFromReport();
        }
    });
    separator(ReportMI);
    DatasetsMI = item(ReportMI, QStringLiteral("DatasetsMI"), QStringLiteral("&Datasets..."), [this] {
        if (RunDialog(DesignerDialogs::ReportDatabases, DatasetsMI->text(), DesignReport))
            VDMDesigner1->SetHasChanged(true);
    });

    HelpMI = top(QStringLiteral("HelpMI"), QStringLiteral("&Help"));
    HelpContentsMI = item(HelpMI, QStringLiteral("HelpContentsMI"), QStringLiteral("&Help"), [this] { ShowHelp(); });
    HelpContentsMI->setShortcut(QKeySequence::HelpContents);
    separator(HelpMI);
    AboutMI = item(HelpMI, QStringLiteral("AboutMI"), QStringLiteral("About..."), [this] { ShowAbout(); });

    // Pop-up menus of the font and element tool bars.
    PropertyPopupMenu = Make<TPopupMenu>(this, QStringLiteral("PropertyPopupMenu"));
    auto popupItem = [&](TPopupMenu *menu, const QString &name, const QString &caption, auto handler) {
        TMenuItem *mi = item(nullptr, name, caption, handler);
        menu->Add(mi);
        return mi;
    };
    PropertyTopMI = popupItem(PropertyPopupMenu, QStringLiteral("PropertyTopMI"), QStringLiteral("Top"),
                              [this] { SetPropertyPanelOnTop(true); });
    PropertyBottomMI = popupItem(PropertyPopupMenu, QStringLiteral("PropertyBottomMI"), QStringLiteral("Bottom"),
                                 [this] { SetPropertyPanelOnTop(false); });
    auto *sep1 = Make<TMenuItem>(this, QStringLiteral("N%1").arg(++separators));
    sep1->setSeparator(true);
    PropertyPopupMenu->Add(sep1);
    PropertyVisibleMI = popupItem(PropertyPopupMenu, QStringLiteral("PropertyVisibleMI"), QStringLiteral("Visible"),
                                  [this] { SetPanelVisible(PropertyPanel, false); });
    PropertyTopMI->SetChecked(true);
    PropertyBottomMI->setCheckable(true);
    PropertyVisibleMI->SetChecked(true);

    ElementPopupMenu = Make<TPopupMenu>(this, QStringLiteral("ElementPopupMenu"));
    ElementTopMI = popupItem(ElementPopupMenu, QStringLiteral("ElementTopMI"), QStringLiteral("Top"),
                             [this] { SetElementPanelOnTop(true); });
    ElementLeftMI = popupItem(ElementPopupMenu, QStringLiteral("ElementLeftMI"), QStringLiteral("Left"),
                              [this] { SetElementPanelOnTop(false); });
    auto *sep2 = Make<TMenuItem>(this, QStringLiteral("N%1").arg(++separators));
    sep2->setSeparator(true);
    ElementPopupMenu->Add(sep2);
    ElementVisibleMI = popupItem(ElementPopupMenu, QStringLiteral("ElementVisibleMI"), QStringLiteral("Visible"),
                                 [this] { SetPanelVisible(ElementPanel, false); });
    ElementTopMI->setCheckable(true);
    ElementLeftMI->SetChecked(true);
    ElementVisibleMI->SetChecked(true);
}

namespace {

TSpeedButton *ToolButton(TComponent *Owner, QWidget *Panel, const QString &Name, const QString &Hint,
                         const QString &Glyph) {
    auto *b = Make<TSpeedButton>(Owner, Name);
    b->setParent(Panel);
    b->SetHint(Hint);
    b->setIcon(ButtonGlyph(Glyph));
    b->setIconSize(QSize(20, 20));
    b->setFixedSize(26, 26);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QHBoxLayout *PanelRow(QWidget *Panel) {
    auto *row = new QHBoxLayout(Panel);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(1);
    return row;
}

void Gap(QHBoxLayout *Row) { Row->addSpacing(8); }

}  // namespace

void TReportDesignerForm::CreateToolbar() {
    ToolbarPanel = Make<TPanel>(this, QStringLiteral("ToolbarPanel"));
    QHBoxLayout *row = PanelRow(ToolbarPanel);
    auto button = [&](TSpeedButton *&member, const char *name, const char *hint, const char *glyph) {
        member = ToolButton(this, ToolbarPanel, QLatin1String(name), QLatin1String(hint), QLatin1String(glyph));
        row->addWidget(member);
        return member;
    };
    connect(button(NewSpeedButton, "NewSpeedButton", "new report", "new"), &QToolButton::clicked, this,
            [this] { NewClick(); });
    connect(button(OpenSpeedButton, "OpenSpeedButton", "open report", "open"), &QToolButton::clicked, this,
            [this] { OpenClick(); });
    connect(button(SaveSpeedButton, "SaveSpeedButton", "save report", "save"), &QToolButton::clicked, this,
            [this] { SaveClick(); });
    Gap(row);
    connect(button(PreviewSpeedButton, "PreviewSpeedButton", "preview report", "preview"), &QToolButton::clicked,
            this, [this] { PreviewClick(); });
    connect(button(PrintSpeedButton, "PrintSpeedButton", "print report", "print"), &QToolButton::clicked, this,
            [this] { PrintClick(); });
    Gap(row);
    connect(button(UndoSpeedButton, "UndoSpeedButton", "undo", "undo"), &QToolButton::clicked, this, [this] {
        VDMDesigner1->DoUndo();
        UpdateUndoItems();
    });
    button(CutSpeedButton, "CutSpeedButton", "cut to clipboard", "cut");
    button(CopySpeedButton, "CopySpeedButton", "copy to clipboard", "copy");
    button(PasteSpeedButton, "PasteSpeedButton", "paste from clipboard", "paste");
    Gap(row);
    button(SendToBackButton, "SendToBackButton", "send element to back", "back");
    button(BringToFrontButton, "BringToFrontButton", "bring element to front", "front");
    Gap(row);
    button(LeftButton, "LeftButton", "align left edges", "alignLeft");
    button(RightButton, "RightButton", "align right edges", "alignRight");
    button(TopButton, "TopButton", "align top edges", "alignTop");
    button(BottomButton, "BottomButton", "align bottom edges", "alignBottom");
    button(CenterHorizontalButton, "CenterHorizontalButton", "align horizontal centers", "centerHorizontal");
    button(CenterVerticalButton, "CenterVerticalButton", "align vertical centers", "centerVertical");
    button(ParentCenterHorizontalButton, "ParentCenterHorizontalButton", "center horizontally",
           "parentCenterHorizontal");
    button(ParentCenterVerticalButton, "ParentCenterVerticalButton", "center vertically", "parentCenterVertical");
    button(HorizontalEqualButton, "HorizontalEqualButton", "equal space, horizontal", "equalHorizontal");
    button(VerticalEqualButton, "VerticalEqualButton", "equal space, vertical", "equalVertical");
    row->addStretch(1);
    connect(button(QuitSpeedButton, "QuitSpeedButton", "quit reportdesigner", "quit"), &QToolButton::clicked, this,
            [this] { close(); });
}

void TReportDesignerForm::CreatePropertyPanel() {
    PropertyPanel = Make<TPanel>(this, QStringLiteral("PropertyPanel"));
    PropertyPanel->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(PropertyPanel, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { PropertyPopupMenu->popup(PropertyPanel->mapToGlobal(at)); });
    QHBoxLayout *row = PanelRow(PropertyPanel);
    auto styleButton = [&](TSpeedButton *&member, const char *name, const char *caption, const char *hint) {
        member = ToolButton(this, PropertyPanel, QLatin1String(name), QLatin1String(hint), QString());
        member->setText(QLatin1String(caption));
        QFont f = member->font();
        f.setBold(caption[0] == 'B');
        f.setItalic(caption[0] == 'I');
        f.setUnderline(caption[0] == 'U');
        member->setFont(f);
        row->addWidget(member);
    };
    styleButton(BoldSpeedButton, "BoldSpeedButton", "B", "bold");
    styleButton(ItalicSpeedButton, "ItalicSpeedButton", "I", "italic");
    styleButton(UnderlineSpeedButton, "UnderlineSpeedButton", "U", "underlined");
    Gap(row);
    auto alignButton = [&](TSpeedButton *&member, const char *name, const char *hint, const char *glyph, int group) {
        member = ToolButton(this, PropertyPanel, QLatin1String(name), QLatin1String(hint), QLatin1String(glyph));
        member->SetGroupIndex(group);
        member->SetAllowAllUp(true);
        row->addWidget(member);
    };
    alignButton(TextLeftAlignButton, "TextLeftAlignButton", "align left", "textLeft", 11);
    alignButton(TextCenterAlignButton, "TextCenterAlignButton", "align center", "textCenter", 12);
    alignButton(TextRightAlignButton, "TextRightAlignButton", "align right", "textRight", 13);
    Gap(row);
    FrameSpeedButton = ToolButton(this, PropertyPanel, QStringLiteral("FrameSpeedButton"), QStringLiteral("Set frame"),
                                  QStringLiteral("frame"));
    row->addWidget(FrameSpeedButton);
    connect(FrameSpeedButton, &QToolButton::clicked, this, [this] {
        if (VDMDesigner1->GetSelectedElements().isEmpty()) return;
        if (RunDialog(DesignerDialogs::Frame, FrameSpeedButton->Hint(),
                      TComponent::FromObject(VDMDesigner1->GetSelectedElement())))
            VDMDesigner1->SetHasChanged(true);
    });
    Gap(row);

    FontComboBox = Make<TComboBox>(this, QStringLiteral("FontComboBox"));
    FontComboBox->SetStyle(csDropDownList);
    FontComboBox->setMinimumWidth(170);
    FontComboBox->setParent(PropertyPanel);
    row->addWidget(FontComboBox);
    FontSizeComboBox = Make<TComboBox>(this, QStringLiteral("FontSizeComboBox"));
    FontSizeComboBox->setParent(PropertyPanel);
    for (int size : {4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        FontSizeComboBox->Items()->Add(QString::number(size));
    FontSizeComboBox->SetText(QStringLiteral("10"));
    FontSizeComboBox->setFixedWidth(56);
    row->addWidget(FontSizeComboBox);
    Gap(row);

    TypeLabel = Make<TLabel>(this, QStringLiteral("TypeLabel"));
    TypeLabel->setParent(PropertyPanel);
    TypeLabel->setMinimumWidth(90);
    row->addWidget(TypeLabel);
    AllEdit = Make<TEdit>(this, QStringLiteral("AllEdit"));
    AllEdit->setParent(PropertyPanel);
    AllEdit->setMinimumWidth(220);
    row->addWidget(AllEdit, 1);
    connect(AllEdit, &QLineEdit::editingFinished, this, [this] { AllEditChange(AllEdit); });
    AllComboBox = Make<TComboBox>(this, QStringLiteral("AllComboBox"));
    AllComboBox->setParent(PropertyPanel);
    AllComboBox->SetStyle(csDropDownList);
    AllComboBox->setMaxVisibleItems(10);
    AllComboBox->setMinimumWidth(180);
    AllComboBox->SetOnChange(TMethod::Make(this, &TReportDesignerForm::AllComboBoxChange));
    row->addWidget(AllComboBox, 1);
    row->addStretch(0);
}

void TReportDesignerForm::CreateElementPanel() {
    ElementPanel = Make<TPanel>(this, QStringLiteral("ElementPanel"));
    ElementPanel->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ElementPanel, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { ElementPopupMenu->popup(ElementPanel->mapToGlobal(at)); });
    for (const TElementButton &e : ElementButtons) {
        TSpeedButton *b = ToolButton(this, ElementPanel, QLatin1String(e.Name), QLatin1String(e.Hint),
                                     QLatin1String(e.Glyph));
        b->SetGroupIndex(1);
        b->SetTag(e.State);
        b->SetOnClick(TMethod::Make(this, &TReportDesignerForm::ElementButtonClick));
        // A press records whether Shift was held: then the insertion repeats.
        b->installEventFilter(this);
        this->*e.Member = b;
        FElementButtons << b;
    }
    NormalSpeedButton->SetDown(true);
    PlaceElementButtons();
}

void TReportDesignerForm::PlaceElementButtons() {
    // A column at the left edge; SetElementPanelOnTop swaps every button's left and top.
    int i = 0;
    for (TSpeedButton *b : FElementButtons) {
        if (b == TeechartSpeedButton) continue;
        b->move(2, 2 + 26 * i++);
    }
    TeechartSpeedButton->move(2, 2 + 26 * i);
}

void TReportDesignerForm::CreateStatusPanel() {
    StatusPanel = Make<TPanel>(this, QStringLiteral("StatusPanel"));
    StatusPanel->installEventFilter(this);
    QHBoxLayout *row = PanelRow(StatusPanel);
    row->setSpacing(6);
    ElementsComboBox = Make<TComboBox>(this, QStringLiteral("ElementsComboBox"));
    ElementsComboBox->setParent(StatusPanel);
    ElementsComboBox->SetStyle(csDropDownList);
    ElementsComboBox->setFixedWidth(180);
    ElementsComboBox->SetOnChange(TMethod::Make(this, &TReportDesignerForm::ElementsComboBoxChange));
    ElementsComboBox->installEventFilter(this);
    row->addWidget(ElementsComboBox);
    row->addSpacing(12);
    XPosLabel = Make<TLabel>(this, QStringLiteral("XPosLabel"));
    Label1 = Make<TLabel>(this, QStringLiteral("Label1"));
    YPosLabel = Make<TLabel>(this, QStringLiteral("YPosLabel"));
    Label1->setText(QStringLiteral("/"));
    for (TLabel *l : {XPosLabel, Label1, YPosLabel}) {
        l->setParent(StatusPanel);
        row->addWidget(l);
    }
    row->addStretch(1);
}
