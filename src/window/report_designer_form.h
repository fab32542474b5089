#pragma once
// The designer main window: the report on a scrolling surface under a ruler, the designer that
// edits it, the main menu, the file and arrange tool bar, the font tool bar with the quick
// editor of the selected element, the element tool bar and the status line. The designer does
// the editing; the window wires its menus and buttons to it and fills its panels from the
// designer's events. Components carry the names the language files address ("RepFormDB").
#include "host/forms.h"

#include <QPointer>
#include <QStringList>

class QBoxLayout;
class QMimeData;
class QWheelEvent;
class QShortcut;
class TComboBox;
class TDesignReport;
class TEdit;
class TEventScrollbox;
class TLabel;
class TMainMenu;
class TMenuItem;
class TPanel;
class TPopupMenu;
class TRulerPanel;
class TScrollBox;
class TSpeedButton;
class TVDMDesigner;

class TReportDesignerForm : public TForm {
    Q_OBJECT
public:
    static constexpr int MaxRecentFiles = 20;
    static constexpr int MaxZoom = 300;
    // The window's caption for a report never saved.
    static QString UntitledCaption();

    Q_INVOKABLE explicit TReportDesignerForm(TComponent *AOwner = nullptr);
    ~TReportDesignerForm() override;

    // The report and its designer.
    TDesignReport *DesignReport = nullptr;
    TVDMDesigner *VDMDesigner1 = nullptr;
    // The surface and the ruler that follows it horizontally.
    TEventScrollbox *Scrollbox1 = nullptr;
    TScrollBox *ScrollBox2 = nullptr;
    TRulerPanel *RulerPanel1 = nullptr;
    // The four tool panels.
    TPanel *PropertyPanel = nullptr, *ToolbarPanel = nullptr, *ElementPanel = nullptr, *StatusPanel = nullptr;
    // Status line.
    TComboBox *ElementsComboBox = nullptr;
    TLabel *XPosLabel = nullptr, *YPosLabel = nullptr, *Label1 = nullptr;
    // Font tool bar and quick editor.
    TSpeedButton *BoldSpeedButton = nullptr, *ItalicSpeedButton = nullptr, *UnderlineSpeedButton = nullptr;
    TSpeedButton *TextLeftAlignButton = nullptr, *TextCenterAlignButton = nullptr, *TextRightAlignButton = nullptr;
    TSpeedButton *FrameSpeedButton = nullptr;
    TComboBox *FontComboBox = nullptr, *FontSizeComboBox = nullptr, *AllComboBox = nullptr;
    TLabel *TypeLabel = nullptr;
    TEdit *AllEdit = nullptr;
    // File and arrange tool bar.
    TSpeedButton *NewSpeedButton = nullptr, *OpenSpeedButton = nullptr, *SaveSpeedButton = nullptr,
                 *PreviewSpeedButton = nullptr, *PrintSpeedButton = nullptr, *UndoSpeedButton = nullptr,
                 *CutSpeedButton = nullptr, *CopySpeedButton = nullptr, *PasteSpeedButton = nullptr,
                 *SendToBackButton = nullptr, *BringToFrontButton = nullptr, *LeftButton = nullptr,
                 *RightButton = nullptr, *TopButton = nullptr, *BottomButton = nullptr,
                 *CenterHorizontalButton = nullptr, *CenterVerticalButton = nullptr,
                 *ParentCenterHorizontalButton = nullptr, *ParentCenterVerticalButton = nullptr,
                 *HorizontalEqualButton = nullptr, *VerticalEqualButton = nullptr, *QuitSpeedButton = nullptr;
    // Element tool bar: NormalSpeedButton selects, the others start an insertion (the designer
    // state is each button's Tag).
    TSpeedButton *NormalSpeedButton = nullptr, *BandSpeedButton = nullptr, *LabelSpeedButton = nullptr,
                 *DBTextSpeedButton = nullptr, *ExpressionSpeedButton = nullptr, *SysdataSpeedButton = nullptr,
                 *ShapeSpeedButton = nullptr, *ImageSpeedButton = nullptr, *DBImageSpeedButton = nullptr,
                 *MemoSpeedButton = nullptr, *RichtextSpeedButton = nullptr, *DBRichtextSpeedButton = nullptr,
                 *SubdetailSpeedButton = nullptr, *GroupSpeedButton = nullptr, *ChildSpeedbutton = nullptr,
                 *TeechartSpeedButton = nullptr;
    // Menus.
    TMainMenu *MainMenu1 = nullptr;
    TMenuItem *FileMI = nullptr, *NewMI = nullptr, *OpenMI = nullptr, *SaveMI = nullptr, *SaveAsMI = nullptr,
              *PreviewMI = nullptr, *PrintMI = nullptr, *PrinterSetupMI = nullptr, *ExitMI = nullptr;
    TMenuItem *EditMI = nullptr, *NewElementMI = nullptr, *UndoSeparatorMI = nullptr, *UndoMI = nullptr,
              *RedoMI = nullptr, *CutMI = nullptr, *CopyMI = nullptr, *PasteMI = nullptr, *DeleteMI = nullptr,
              *AlignMI = nullptr, *AlignLeftMI = nullptr, *AlignRightMI = nullptr, *AlignTopMI = nullptr,
              *AlignBottomMI = nullptr, *CenterMI = nullptr, *CenterHorizontalMI = nullptr,
              *CenterVerticalMI = nullptr, *ParentCenterMI = nullptr, *ParentCenterHorizontalMI = nullptr,
              *ParentCenterVerticalMI = nullptr, *EqualSpaceMI = nullptr, *EqualSpaceHorizontalMI = nullptr,
              *EqualSpaceVerticalMI = nullptr, *SendtobackMI = nullptr, *Bringtofront1 = nullptr;
    TMenuItem *ViewMI = nullptr, *ToolbarMI = nullptr, *FontToolbarMI = nullptr, *ElementToolbarMI = nullptr,
              *StatuslineMI = nullptr, *ZoomMI = nullptr, *ZoomDefaultMI = nullptr, *ZoomIncreaseMI = nullptr,
              *ZoomDecreaseMI = nullptr, *RotateBandsMI = nullptr, *HideBandsMI = nullptr,
              *ResetBandsMI = nullptr, *ViewOptionsMI = nullptr;
    TMenuItem *ReportMI = nullptr, *ReportOptionsMI = nullptr, *DatasetsMI = nullptr;
    TMenuItem *HelpMI = nullptr, *HelpContentsMI = nullptr, *AboutMI = nullptr;
    // Pop-up menus of the font tool bar (Top, Bottom, Visible) and the element tool bar (Top,
    // Left, Visible).
    TPopupMenu *PropertyPopupMenu = nullptr, *ElementPopupMenu = nullptr;
    TMenuItem *PropertyTopMI = nullptr, *PropertyBottomMI = nullptr, *PropertyVisibleMI = nullptr;
    TMenuItem *ElementTopMI = nullptr, *ElementLeftMI = nullptr, *ElementVisibleMI = nullptr;

    // The current report file (empty for a report never saved) and the recent files, newest first.
    QString FileName() const { return FFileName; }
    const QStringList &RecentFiles() const { return FRecentFiles; }
    void SetRecentFiles(const QStringList &Files);
    // The help file named by the settings.
    QString HelpFile() const { return FHelpFile; }
    // The report file the window edits and names in its caption, as after opening it (the
    // first save writes there).
    void SetReportFileName(const QString &Name) {
        SetCurrentFileName(Name);
        SetCaption(Name);
    }
    // The folders the open and save dialogs start in.
    QString OpenDialogDir() const { return FOpenDialogDir; }
    void SetOpenDialogDir(const QString &Dir) { FOpenDialogDir = Dir; }
    QString SaveDialogDir() const { return FSaveDialogDir; }
    void SetSaveDialogDir(const QString &Dir) { FSaveDialogDir = Dir; }

    // File commands. The menu versions ask (guard, file dialogs); OpenReportFile and
    // SaveReportFile do the work for a known name and return whether it succeeded.
    void NewClick();
    void OpenClick();
    bool OpenReportFile(const QString &Name);
    bool SaveClick();
    bool SaveAsClick();
    bool SaveReportFile(const QString &Name);
    // A report file dropped on the window: whether the data is one, and opening it after the
    // unsaved-changes guard.
    bool CanOpenDropped(const QMimeData *Data) const;
    bool OpenDropped(const QMimeData *Data);
    // Whether the window may close now: asks to save unsaved changes.
    bool CloseQuery();
    // The guard of New and Open: true when there is nothing unsaved or the user goes on.
    bool ConfirmDiscard();

    void PrintClick();
    void PreviewClick();
    void PrinterSetupClick();

    // Zoom: default 100, doubled up to 300, halved (rounded, halves to even) while above 10.
    void ZoomDefaultClick();
    void ZoomIncreaseClick();
    void ZoomDecreaseClick();
    void SetZoom(int Zoom);
    void RotateBandsClick();
    void HideBandsClick();
    void ResetBandsClick();

    // Tool bars: visibility from the View menu, font tool bar at the top or bottom, element
    // tool bar at the top or the left edge.
    void SetPanelVisible(TPanel *Panel, bool Visible);
    void SetPropertyPanelOnTop(bool Top);
    bool PropertyPanelOnTop() const { return FPropertyOnTop; }
    void SetElementPanelOnTop(bool Top);
    bool ElementPanelOnTop() const { return FElementOnTop; }

    // Designer events.
    void DesignerSelectionChanged(TVDMDesigner *Designer, int NumberOfSelections);
    void DesignerShowInfo(TComponent *Element, QString &Info);
    void DesignerEditProperties(TVDMDesigner *Designer, TComponent *Element, bool &EditResult);
    void DesignerStateChanged(TVDMDesigner *Designer, quint16 State);
    // The quick editor and its combo box.
    void AllEditChange(QObject *Sender);
    void AllComboBoxChange(QObject *Sender);
    // The elements combo of the status line: filled with every element name when it drops down;
    // choosing a name selects that element.
    void FillElementsComboBox();
    void ElementsComboBoxChange(QObject *Sender);
    // The report's before-print handler: the datasets of the window, of the designer's
    // DatabaseOwner and of open data modules join the report's datasets.
    void DesignReportBeforePrint(QObject *Sender, bool &PrintReport);

    // Runs a dialog of another library by name (report options, datasets, ...); says plainly
    // when none is linked. True when the dialog was accepted.
    bool RunDialog(const QString &Name, const QString &Title, TComponent *Element);

    // The text shown for a position: pixels, then report units with two decimals and the unit.
    QString PositionText(int Pixels) const;

protected:
    void closeEvent(QCloseEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dropEvent(QDropEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void CreateComponents();
    void CreateMenus();
    void CreateToolbar();
    void CreatePropertyPanel();
    void CreateElementPanel();
    void CreateStatusPanel();
    void ConfigureDesigner();
    void ArrangePanels();
    void PlaceElementButtons();
    void ElementButtonClick(QObject *Sender);
    void ScrollboxScrollHorz(QObject *Sender);
    void UpdateQuickEditor(QWidget *Element);
    void FillComboBox(QWidget *Element);
    void SetCurrentFileName(const QString &Name);
    void AddRecentFile(const QString &Name);
    void UpdateRulerFromReport();
    void UpdateUndoItems();
    void ShowHelp();
    void ShowAbout();
    void RestoreWindowState();
    void SaveWindowState() const;
    void ZoomAround(int NewZoom, QPoint ViewportPos);
    bool WheelOnSurface(QWheelEvent *e);

    QString FFileName;
    // What the open and save dialogs start with.
    QString FOpenDialogDir, FOpenDialogName, FSaveDialogDir, FSaveDialogName;
    QStringList FRecentFiles;
    QString FHelpFile;
    QString FSavedApplicationHelpFile;
    bool FShown = false;
    bool FPropertyOnTop = true;
    bool FElementOnTop = false;
    bool FUpdating = false;  // the window itself is filling the quick editor
    QList<TSpeedButton *> FElementButtons;
    QBoxLayout *FTopStack = nullptr, *FLeftSlot = nullptr, *FBottomStack = nullptr;
    QShortcut *FCancelInsertion = nullptr;
};
