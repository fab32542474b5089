#pragma once
// The designer: the non-visual component that makes the report on its owner form editable. It
// descends from the run-time loader, so it loads, saves and prints as well; it owns the one
// selection handle, keeps the design state (0 = selecting, 2..16 = an insertion is pending) and
// the changed flag, and tells the host window what happens through its events.
#include "model/loader.h"

#include "design/designer_bindings.h"

#include "host/colors.h"
#include "host/container_controls.h"
#include "host/font.h"
#include "host/list_controls.h"
#include "host/method.h"
#include "host/strings.h"

#include <QHash>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QRubberBand>
#include <QVariantMap>
#include <QRect>
#include <QString>

class QWidget;
class TStretch_Handle;

class TVDMDesigner : public TVDMLoader {
    Q_OBJECT
    Q_PROPERTY(TMethod OnSaveReport READ OnSaveReport WRITE SetOnSaveReport)
    Q_PROPERTY(TMethod OnEditQuery READ OnEditQuery WRITE SetOnEditQuery)
    Q_PROPERTY(TMethod OnShowInfo READ OnShowInfo WRITE SetOnShowInfo)
    Q_PROPERTY(TMethod OnEditProperties READ OnEditProperties WRITE SetOnEditProperties)
    Q_PROPERTY(TMethod OnSelectionChanged READ OnSelectionChanged WRITE SetOnSelectionChanged)
    Q_PROPERTY(TMethod OnDesignStateChanged READ OnDesignStateChanged WRITE SetOnDesignStateChanged)
    Q_PROPERTY(TMethod OnDeleteElement READ OnDeleteElement WRITE SetOnDeleteElement)
    Q_PROPERTY(TMethod OnBeforeCopyToClipboard READ OnBeforeCopyToClipboard WRITE SetOnBeforeCopyToClipboard)
    Q_PROPERTY(int AddCursor READ AddCursor WRITE SetAddCursor)
    Q_PROPERTY(bool AllowBlockEdit READ AllowBlockEdit WRITE SetAllowBlockEdit)
    Q_PROPERTY(bool AllowNewCalcFields READ AllowNewCalcFields WRITE SetAllowNewCalcFields)
    Q_PROPERTY(bool AllowSQLEdit READ AllowSQLEdit WRITE SetAllowSQLEdit)
    Q_PROPERTY(bool AutoEditAfterInsert READ AutoEditAfterInsert WRITE SetAutoEditAfterInsert)
    Q_PROPERTY(TStrings *AvailableDatasetNames READ AvailableDatasetNames WRITE SetAvailableDatasetNames)
    Q_PROPERTY(TStrings *AvailableTableNames READ AvailableTableNames WRITE SetAvailableTableNames)
    Q_PROPERTY(TStrings *FieldDisplayLabels READ FieldDisplayLabels WRITE SetFieldDisplayLabels)
    Q_PROPERTY(TPanel *InfoPanel READ InfoPanel WRITE SetInfoPanel)
    Q_PROPERTY(TComboBox *FontComboBox READ FontComboBox WRITE SetFontComboBox)
    Q_PROPERTY(TComboBox *FontSizeComboBox READ FontSizeComboBox WRITE SetFontSizeComboBox)
    Q_PROPERTY(QString BackupFileExtension READ BackupFileExtension WRITE SetBackupFileExtension)
    Q_PROPERTY(TFont *BandNameFont READ BandNameFont WRITE SetBandNameFont)
    Q_PROPERTY(TColor ComponentFrameColor READ ComponentFrameColor WRITE SetComponentFrameColor)
    Q_PROPERTY(int ComponentFrameStyle READ ComponentFrameStyle WRITE SetComponentFrameStyle)
    Q_PROPERTY(quint16 GridSizeX READ GridSizeX WRITE SetGridSizeX)
    Q_PROPERTY(quint16 GridSizeY READ GridSizeY WRITE SetGridSizeY)
    Q_PROPERTY(quint16 KeyboardMoveX READ KeyboardMoveX WRITE SetKeyboardMoveX)
    Q_PROPERTY(quint16 KeyboardMoveY READ KeyboardMoveY WRITE SetKeyboardMoveY)
    Q_PROPERTY(quint16 MinElementWidth READ MinElementWidth WRITE SetMinElementWidth)
    Q_PROPERTY(quint16 MinElementHeight READ MinElementHeight WRITE SetMinElementHeight)
    Q_PROPERTY(bool QueriesOnlyInExpert READ QueriesOnlyInExpert WRITE SetQueriesOnlyInExpert)
    Q_PROPERTY(bool QueriesOnlyInDBSetup READ QueriesOnlyInDBSetup WRITE SetQueriesOnlyInDBSetup)
    Q_PROPERTY(bool SaveBackupFiles READ SaveBackupFiles WRITE SetSaveBackupFiles)
    Q_PROPERTY(bool SaveImagesInReportfile READ SaveImagesInReportfile WRITE SetSaveImagesInReportfile)
    Q_PROPERTY(bool ShowBandNames READ ShowBandNames WRITE SetShowBandNames)
    Q_PROPERTY(bool ShowComponentFrames READ ShowComponentFrames WRITE SetShowComponentFrames)
    Q_PROPERTY(bool UndoEnabled READ UndoEnabled WRITE SetUndoEnabled)
    Q_PROPERTY(TVDMMenuItems *MenuItems READ MenuItems)
    Q_PROPERTY(TVDMSpeedButtons *SpeedButtons READ SpeedButtons)
    Q_PROPERTY(int UndoLimit READ UndoLimit WRITE SetUndoLimit)
public:
    // Creates the selection handle with the designer's owner as its owner (none without an
    // owner form: there is nothing to select then).
    Q_INVOKABLE explicit TVDMDesigner(TComponent *AOwner = nullptr);
    ~TVDMDesigner() override;

    // Events, as Invoke<...>(arguments):
    //   OnShowInfo            <TComponent*, QString&>(element, info)
    //   OnEditProperties      <TVDMDesigner*, TComponent*, bool&>(designer, element, editResult)
    //   OnSelectionChanged    <TVDMDesigner*, int>(designer, numberOfSelections)
    //   OnDesignStateChanged  <TVDMDesigner*, quint16>(designer, newState)
    //   OnDeleteElement       <TVDMDesigner*, TComponent*, bool&>(designer, element, doDelete)
    //   OnBeforeCopyToClipboard <QList<QWidget*>*, bool&>(elements, doCopy)
    //   OnSaveReport          <TStream*>(applicationData), read by the report writer
    //   OnEditQuery           <QObject*, bool&>(query, doCancel)
    TMethod OnSaveReport() const { return FOnSaveReport; }
    void SetOnSaveReport(const TMethod &m) { FOnSaveReport = m; }
    TMethod OnEditQuery() const { return FOnEditQuery; }
    void SetOnEditQuery(const TMethod &m) { FOnEditQuery = m; }
    TMethod OnShowInfo() const { return FOnShowInfo; }
    void SetOnShowInfo(const TMethod &m) { FOnShowInfo = m; }
    TMethod OnEditProperties() const { return FOnEditProperties; }
    void SetOnEditProperties(const TMethod &m) { FOnEditProperties = m; }
    TMethod OnSelectionChanged() const { return FOnSelectionChanged; }
    void SetOnSelectionChanged(const TMethod &m) { FOnSelectionChanged = m; }
    TMethod OnDesignStateChanged() const { return FOnDesignStateChanged; }
    void SetOnDesignStateChanged(const TMethod &m) { FOnDesignStateChanged = m; }
    TMethod OnDeleteElement() const { return FOnDeleteElement; }
    void SetOnDeleteElement(const TMethod &m) { FOnDeleteElement = m; }
    TMethod OnBeforeCopyToClipboard() const { return FOnBeforeCopyToClipboard; }
    void SetOnBeforeCopyToClipboard(const TMethod &m) { FOnBeforeCopyToClipboard = m; }

    // The cursor (host numbering, 0 default) over the report while an insertion is pending.
    int AddCursor() const { return FAddCursor; }
    void SetAddCursor(int value) { FAddCursor = value; }
    // Whether users may edit names and lock flags in the options dialog.
    bool AllowBlockEdit() const { return FAllowBlockEdit; }
    void SetAllowBlockEdit(bool value) { FAllowBlockEdit = value; }
    // Whether a new band gets its property dialog at once.
    bool AutoEditAfterInsert() const { return FAutoEditAfterInsert; }
    void SetAutoEditAfterInsert(bool value) { FAutoEditAfterInsert = value; }
    // Options the data setup and the report expert read.
    bool AllowNewCalcFields() const { return FAllowNewCalcFields; }
    void SetAllowNewCalcFields(bool value) { FAllowNewCalcFields = value; }
    bool AllowSQLEdit() const { return FAllowSQLEdit; }
    void SetAllowSQLEdit(bool value) { FAllowSQLEdit = value; }
    bool QueriesOnlyInExpert() const { return FQueriesOnlyInExpert; }
    void SetQueriesOnlyInExpert(bool value) { FQueriesOnlyInExpert = value; }
    bool QueriesOnlyInDBSetup() const { return FQueriesOnlyInDBSetup; }
    void SetQueriesOnlyInDBSetup(bool value) { FQueriesOnlyInDBSetup = value; }
    // Save options the report writer reads.
    bool SaveBackupFiles() const { return FSaveBackupFiles; }
    void SetSaveBackupFiles(bool value) { FSaveBackupFiles = value; }
    bool SaveImagesInReportfile() const { return FSaveImagesInReportfile; }
    void SetSaveImagesInReportfile(bool value) { FSaveImagesInReportfile = value; }
    // Arrow-key steps in pixels.
    quint16 KeyboardMoveX() const { return FKeyboardMoveX; }
    void SetKeyboardMoveX(int value) { FKeyboardMoveX = quint16(value); }
    quint16 KeyboardMoveY() const { return FKeyboardMoveY; }
    void SetKeyboardMoveY(int value) { FKeyboardMoveY = quint16(value); }
    // Outlines of the elements on the design surface, in this colour and pen style.
    bool ShowComponentFrames() const { return FShowComponentFrames; }
    void SetShowComponentFrames(bool value) { FShowComponentFrames = value; }
    TColor ComponentFrameColor() const { return FComponentFrameColor; }
    void SetComponentFrameColor(TColor value) { FComponentFrameColor = value; }
    int ComponentFrameStyle() const { return FComponentFrameStyle; }
    void SetComponentFrameStyle(int value) { FComponentFrameStyle = value; }

    // Lists supplied by the application; assigning copies the lines.
    TStrings *AvailableDatasetNames() const { return FAvailableDatasetNames; }
    void SetAvailableDatasetNames(TStrings *Lines);
    TStrings *AvailableTableNames() const { return FAvailableTableNames; }
    void SetAvailableTableNames(TStrings *Lines);
    TStrings *FieldDisplayLabels() const { return FFieldDisplayLabels; }
    void SetFieldDisplayLabels(TStrings *Lines);

    // The host's info panel (its caption shows the selected element's description) and its
    // quick font combo boxes; cleared when they go.
    TPanel *InfoPanel() const { return FInfoPanel; }
    void SetInfoPanel(TPanel *value);
    TComboBox *FontComboBox() const { return FFontComboBox; }
    void SetFontComboBox(TComboBox *value);
    TComboBox *FontSizeComboBox() const { return FFontSizeComboBox; }
    void SetFontSizeComboBox(TComboBox *value);

    // At most four characters, as report files of other installations expect.
    QString BackupFileExtension() const { return FBackupFileExtension; }
    void SetBackupFileExtension(const QString &value) { FBackupFileExtension = value.left(4); }

    // The font of band names drawn on bands; assigning copies it and redraws the bands when
    // their names are shown.
    TFont *BandNameFont() const { return FBandNameFont; }
    void SetBandNameFont(TFont *value);
    bool ShowBandNames() const { return FShowBandNames; }
    // Switching band names on redraws every band of the owner form.
    void SetShowBandNames(bool value);

    // Grid steps in pixels, always within 1..32: a step of 0 would divide by zero when
    // snapping, so values outside are clamped.
    quint16 GridSizeX() const { return FGridSizeX; }
    void SetGridSizeX(int value);
    quint16 GridSizeY() const { return FGridSizeY; }
    void SetGridSizeY(int value);
    // Minimum element size; a value below 5 is ignored.
    quint16 MinElementWidth() const { return FMinElementWidth; }
    void SetMinElementWidth(int value);
    quint16 MinElementHeight() const { return FMinElementHeight; }
    void SetMinElementHeight(int value);
    // Whether changes keep undo snapshots.
    bool UndoEnabled() const { return FUndoEnabled; }
    void SetUndoEnabled(bool value) { FUndoEnabled = value; }
    // How many undo steps are kept (at least 1, the single level of the classic designer).
    int UndoLimit() const { return FUndoLimit; }
    void SetUndoLimit(int value);

    // The design state: 0 selecting, 2..16 an insertion of one kind is pending. Changing it
    // refreshes the cursors and fires OnDesignStateChanged.
    quint16 VendamoState() const { return FVendamoState; }
    void SetVendamoState(quint16 State);
    // AddCursor while an insertion is pending, else the default cursor, on every band, every
    // element on a band and the selection handle.
    void UpdateCursor();
    // When set the design state stays after an element has been inserted.
    bool RepeatInsertion = false;
    // The last group number handed out.
    qint32 GroupCounter = 0;

    // Whether the report differs from the last load or save.
    bool HasChanged() const { return FHasChanged; }
    void SetHasChanged(bool Value);

    // The selection handle (owned by the owner form; null without one).
    TStretch_Handle *Handle() const;
    // With Clear and no element the selection is emptied with its notifications; with Clear it
    // is emptied quietly first; then Element is attached.
    void SelectElement(bool Clear, QWidget *Element);
    // The first selected element, or null; and the selection in selection order.
    QWidget *GetSelectedElement() const;
    QList<QWidget *> GetSelectedElements() const;
    // After every selection change: fires OnSelectionChanged with the number selected.
    void UpdateSelections();
    // With an element, releases it from the selection; without, refits the handle.
    void UpdateHandle(QWidget *Element);
    // Refits the handle to the selected elements and repaints it.
    void RedrawSelection();
    // Tab and Shift+Tab: the next (previous) element in reading order, then the next
    // (previous) band, wrapping around; bands with BlockSelection are skipped.
    void SelectNextElement();
    void SelectPreviousElement();

    // Shows the description of the one selected element in InfoPanel (OnShowInfo may change
    // it); with none or several selected the panel is emptied.
    void UpdateInfoPanel();
    // The description of an element for the info panel, before OnShowInfo sees it.
    QString ElementInfo(QWidget *Element) const;
    // Brings the font combo boxes in line with a font (the selected element's, or the report's).
    void UpdateFontComponents(const TFont *Font);
    // Runs the host's property dialog (OnEditProperties) for an element; true when it changed
    // the element. Without a handler the edit counts as accepted.
    bool EditProperties(TComponent *Element);
    // Deletes the selected elements or bands, after the confirmations; locked ones stay.
    void DeleteSelectedElements();
    // Z-order and grouping of the selection.
    void BringToFrontSelectedElements();
    void SendToBackSelectedElements();
    void GroupSelectedElements();

    // The clipboard: copy writes the selection as an element stream into the process-wide
    // clipboard (and onto the system clipboard, for other processes); cut copies and deletes;
    // paste reads it onto the selected band (or the report), 8 pixels right and down, and
    // selects what it pasted.
    // Invokable: the report reaches them by name from its keys.
    Q_INVOKABLE void CopyToVDMClipboard();
    Q_INVOKABLE void CutToVDMClipboard();
    Q_INVOKABLE void PasteFromVDMClipboard();
    // Paste hooks: a read name that the form already uses is dropped (with a DatabaseOwner every
    // name becomes a temporary one, fixed up afterwards); each read control moves by 8 pixels.
    void ReaderSetName(TComponent *Component, QString &Name);
    void ComponentRead(TComponent *Component);
    // Whether the clipboard content is bands (then a paste goes onto the report).
    static bool ClipboardHasBands();

    // Undo: with UndoEnabled every change first keeps a snapshot of the whole report (up to
    // UndoLimit of them); DoUndo brings back the last one, DoRedo takes an undo back.
    void SaveUndoData();
    void DoUndo();
    void DoRedo();
    bool CanUndo() const { return FUndoEnabled && !FUndoSnapshots.isEmpty(); }
    bool CanRedo() const { return FUndoEnabled && !FRedoSnapshots.isEmpty(); }
    // Arrow-key steps of one selection are one undo step when more than one level is kept.
    void MergeNextUndoStep(const void *Key) { FUndoMergeKey = Key; }
    // Forgets every undo and redo step (a load, or a new report).
    void ClearUndo();
    // One user command is one undo step: between BeginCommand and EndCommand only the first
    // change takes a snapshot. TDesignCommand does both.
    void BeginCommand();
    void EndCommand();

    // The host's menu items and speed buttons bound to the commands below; a control is bound
    // as soon as it is assigned (and all again when the designer is read from a stream).
    TVDMMenuItems *MenuItems() const { return FMenuItems; }
    TVDMSpeedButtons *SpeedButtons() const { return FSpeedButtons; }

    // Alignment to the first selected element (needs two or more): positions are set directly,
    // so BlockMove does not stop them.
    void LeftAlignSelectedElements();
    void RightAlignSelectedElements();
    void TopAlignSelectedElements();
    void BottomAlignSelectedElements();
    void HorizontalCenterSelectedElements();
    void VerticalCenterSelectedElements();
    // Centres the selection in its parent through the handle, so locks and band rules apply.
    void HorizontalParentCenterSelectedElements();
    void VerticalParentCenterSelectedElements();
    // Spreads the selection evenly between its outermost positions, in selection order.
    void HorizontalSpaceEqualSelectedElements();
    void VerticalSpaceEqualSelectedElements();
    // Text alignment of the selected elements (0 left, 1 right, 2 centre), with the three
    // alignment buttons kept exclusive.
    void TextLeftAlign();
    void TextRightAlign();
    void TextCenter();
    // Font changes of the selected elements without BlockEdit, or of the report's own font when
    // nothing is selected. Style arguments: 1 switches on, -1 off, 0 leaves.
    void SetSelectedElementsFont(const QString &Name);
    void SetSelectedElementsFontSize(int Size);
    void SetSelectedElementsFontStyle(int Bold, int Underline, int Italic);
    // Handlers bound to the host's font combo boxes.
    void OnFontComboBoxChange(QObject *Sender);
    void OnFontSizeComboBoxChange(QObject *Sender);
    void OnFontSizeComboBoxKeyDown(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift);

    // Mouse events of the report (Sender null), its bands, its elements and the selection
    // handle, with X and Y in the sender's coordinates: selection, rubber band and insertion.
    void _MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y, QObject *Sender) override;
    void _MouseMove(Qt::KeyboardModifiers Shift, int X, int Y, QObject *Sender) override;
    void _MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y, QObject *Sender) override;
    // Whether a rubber-band selection is running, and its rectangle in screen coordinates.
    bool RubberBandActive() const { return FRubberAnchor.x() != -10000; }
    QRect RubberBandRect() const;

    // Loading empties the selection first, clears the changed flag on success and always
    // returns to design state 0. Saving clears the changed flag on success.
    bool LoadReport(const QString &FileName) override;
    bool LoadReport_FromStream(TStream &Stream) override;
    bool LoadReport_FromBlobField(TField *Field) override;
    bool SaveReport(const QString &FileName);
    bool SaveReport_ToStream(TStream &Stream);
    bool SaveReport_ToBlobField(TField *Field);

    // After the designer was read from a stream: the handle goes onto the report and the host
    // hears of the (empty) selection.
    void Loaded() override;

signals:
    // The changed flag turned on or off (the window marks its title).
    void HasChangedChanged(bool Changed);

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;
public:
    // Binds the host's controls: the font combo box gets the installed font names and its
    // handlers, the size combo box its handlers, the menu items and speed buttons theirs.
    void AssignComponentEvents();

protected:

private:
    void InvalidateBands();
    // Report coordinates of a point given in the sender's coordinates.
    QPoint ToReport(QObject *Sender, int X, int Y) const;
    void InsertBand();
    void InsertElement(QPoint At);
    QWidget *InsertionTarget(QPoint At) const;
    void DrawRubberBand();
    void FinishRubberBand();
    // The bands of the owner form that Tab may select, and the elements of one parent.
    QList<QWidget *> SelectableBands() const;
    void SelectBand(QWidget *Band, bool LastElement);
    // The targets of the font commands.
    QList<TFont *> FontTargets() const;
    // Moves an element without the handle's rules (alignment commands).
    void PlaceDirectly(QWidget *Element, int Left, int Top);
    void SpaceEqual(bool Horizontal);
    void SetTextAlignment(int Alignment, const QString &Down);
    void BindFontComboBoxes();
    // A snapshot: the report file image and the design settings that report files do not keep
    // (by component name).
    struct TUndoStep {
        QByteArray Report;
        QHash<QString, QVariantMap> Design;
    };
    // Writes the whole report (without datasets) as an undo or redo snapshot.
    TUndoStep Snapshot();
    void RestoreSnapshot(const TUndoStep &Step);
    void DetachSelection();
    // Runs a loader routine the designer way: selection emptied first, state 0 afterwards.
    template <class Load>
    bool LoadWrapped(Load load);

    TMethod FOnSaveReport, FOnEditQuery, FOnShowInfo, FOnEditProperties, FOnSelectionChanged,
        FOnDesignStateChanged, FOnDeleteElement, FOnBeforeCopyToClipboard;
    int FAddCursor = 0;
    bool FAllowBlockEdit = false;
    bool FAllowNewCalcFields = false;
    bool FAllowSQLEdit = true;
    bool FAutoEditAfterInsert = true;
    TStringList *FAvailableDatasetNames;
    TStringList *FAvailableTableNames;
    TStringList *FFieldDisplayLabels;
    QString FBackupFileExtension = QStringLiteral(".BAK");
    TFont *FBandNameFont;
    TColor FComponentFrameColor = clGray;
    int FComponentFrameStyle = 2;  // dotted
    quint16 FGridSizeX = 1, FGridSizeY = 1;
    quint16 FKeyboardMoveX = 1, FKeyboardMoveY = 1;
    quint16 FMinElementWidth = 5, FMinElementHeight = 5;
    bool FQueriesOnlyInExpert = false;
    bool FQueriesOnlyInDBSetup = false;
    bool FSaveBackupFiles = false;
    bool FSaveImagesInReportfile = false;
    bool FShowBandNames = true;
    bool FShowComponentFrames = false;
    bool FUndoEnabled = false;
    quint16 FVendamoState = 0;
    bool FHasChanged = false;
    TStretch_Handle *FHandle = nullptr;
    TComponent *FHandleComponent = nullptr;
    TPanel *FInfoPanel = nullptr;
    TComboBox *FFontComboBox = nullptr;
    TComboBox *FFontSizeComboBox = nullptr;
    // Rubber-band anchor and end in screen coordinates; anchor x -10000 when none runs.
    QPoint FRubberAnchor{-10000, 0};
    QPoint FRubberEnd;
    // Drawn on the report; guarded, as it goes with the report it was made for.
    QPointer<QRubberBand> FRubberOutline;
    TVDMMenuItems *FMenuItems;
    TVDMSpeedButtons *FSpeedButtons;
    int FUndoLimit = 1;
    bool FLastCopySucceeded = false;
    QList<TUndoStep> FUndoSnapshots, FRedoSnapshots;
    // While a command runs, its first change takes the snapshot and later ones do not.
    int FCommandDepth = 0;
    bool FCommandSnapshotTaken = false;
    // Names of the components of the current paste, by their temporary names.
    QHash<QString, QString> FPasteNames;
    const void *FUndoMergeKey = nullptr;
    const void *FLastUndoMergeKey = nullptr;
    // The controls the current paste created, in reading order.
    QList<QWidget *> FPasted;
};

// One user command of the designer as one undo step, for the scope of the object.
class TDesignCommand {
public:
    explicit TDesignCommand(TVDMDesigner *Designer) : FDesigner(Designer) { FDesigner->BeginCommand(); }
    ~TDesignCommand() { FDesigner->EndCommand(); }
    TDesignCommand(const TDesignCommand &) = delete;
    TDesignCommand &operator=(const TDesignCommand &) = delete;

private:
    TVDMDesigner *FDesigner;
};

// The process-wide clipboard stream shared by every designer: the last copied selection.
class TMemoryStream;
TMemoryStream &VDMClipboard();
// Reads an element file into the clipboard, pastes it into Designer's report and groups what
// was pasted; false (nothing changed) for a file that is not an element file.
bool ReadElementsFromFile(TVDMDesigner *Designer, const QString &FileName);
