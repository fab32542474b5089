#pragma once
// The selection handle: a transparent child widget laid over the selected elements (or the
// selected band) as their sibling. Its bounds enclose all of them with a 2-pixel margin (3 on
// the right and bottom); it paints grab squares at their corners (and edge midpoints for a
// single element) and tells from the pointer position which edge or corner a drag would move.
//
// Detached it stays a hidden child of its last parent: a parentless widget would become a window.
#include "host/colors.h"
#include "host/component.h"
#include "host/method.h"

#include <QList>
#include <QStringList>
#include <QPointer>
#include <QRect>
#include <QWidget>

class TVDMDesigner;

// What a left-button drag does.
enum TDragStyle {
    dsMove = 0,
    dsSizeTopLeft,
    dsSizeTopRight,
    dsSizeBottomLeft,
    dsSizeBottomRight,
    dsSizeTop,
    dsSizeLeft,
    dsSizeBottom,
    dsSizeRight
};

// Which pointer message a forwarded press or release is.
enum TForwardMessage { fmMouseDown = 0, fmMouseUp };

// Cursor numbers of the host library, as the handle reports them.
enum THandleCursor {
    crDefault = 0,
    crSizeNESW = -6,
    crSizeNS = -7,
    crSizeNWSE = -8,
    crSizeWE = -9,
    crDrag = -12,
    crNoDrop = -13
};

// The Qt cursor shape for a host cursor number (the arrow for numbers it does not know).
Qt::CursorShape CursorShapeFor(int Cursor);

class TStretch_Handle : public QWidget, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(qint32 Tag READ Tag WRITE SetTag)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TColor SecondaryColor READ SecondaryColor WRITE SetSecondaryColor)
    Q_PROPERTY(bool Locked READ Locked WRITE SetLocked)
    Q_PROPERTY(int DragCursor READ DragCursor WRITE SetDragCursor)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ParentShowHint MEMBER FParentShowHint)
    Q_PROPERTY(bool ShowHint MEMBER FShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(TMethod OnClick MEMBER FOnClick)
    Q_PROPERTY(TMethod OnDblClick MEMBER FOnDblClick)
    Q_PROPERTY(TMethod OnMouseDown MEMBER FOnMouseDown)
    Q_PROPERTY(TMethod OnMouseMove MEMBER FOnMouseMove)
    Q_PROPERTY(TMethod OnMouseUp MEMBER FOnMouseUp)
    Q_PROPERTY(TMethod OnKeyDown MEMBER FOnKeyDown)
    Q_PROPERTY(TMethod OnKeyUp MEMBER FOnKeyUp)
    Q_PROPERTY(TMethod OnKeyPress MEMBER FOnKeyPress)
public:
    // Created 24x24, black and grey, disabled and hidden.
    Q_INVOKABLE explicit TStretch_Handle(TComponent *AOwner = nullptr);
    ~TStretch_Handle() override;

    // The owning designer (set by the designer after creating the handle; may stay null).
    TVDMDesigner *Designer() const { return FDesigner; }
    void SetDesigner(TVDMDesigner *value) { FDesigner = value; }

    // Grab-square fill with one element selected (Color) and with several (SecondaryColor).
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TColor SecondaryColor() const { return FSecondaryColor; }
    void SetSecondaryColor(TColor value);
    void SetColors(TColor Primary, TColor Secondary);
    // While set no drag starts and the pointer shows the no-drop cursor.
    bool Locked() const { return FLocked; }
    void SetLocked(bool value) { FLocked = value; }
    int DragCursor() const { return FDragCursor; }
    void SetDragCursor(int value) { FDragCursor = value; }
    QString Hint() const { return toolTip(); }
    void SetHint(const QString &value) { setToolTip(value); }
    bool Visible() const { return !isHidden(); }
    void SetVisible(bool value) { setVisible(value); }

    // Adds an element (and, through AttachWithoutEvents, its group) to the selection, then
    // tells the designer. Null or already selected: nothing happens.
    void Attach(QWidget *Element);
    // The attach step without notifications: the element, then every control of its parent,
    // in child order, with the same non-zero GroupID (compared as 16-bit values).
    void AttachWithoutEvents(QWidget *Element);
    // Empties the selection, then tells the designer.
    void Detach();
    // Empties the selection quietly: 24x24, unlocked, disabled and hidden.
    void DetachWithoutEvents();
    // Removes one element from the selection, refits or hides the handle, tells the designer.
    void ReleaseChild(QWidget *Element);
    // Refits the bounds to enclose every selected element.
    void RecalcSize();
    // Position in the selection, -1 when absent; whether anything is selected.
    int IndexOf(QWidget *Element) const { return int(FChildren.indexOf(Element)); }
    bool IsAttached() const { return !FChildren.isEmpty(); }
    // The selected elements in selection order (all share one parent).
    const QList<QWidget *> &Children() const { return FChildren; }
    // The selection list itself, for the copy veto that may change it; SelectionListChanged
    // afterwards brings the handle in line with what the list now holds.
    QList<QWidget *> *SelectionList() { return &FChildren; }
    void SelectionListChanged();
    int ChildCount() const { return int(FChildren.size()); }

    // The bounds-setting operation that drags, keys and callers use to change the selection:
    // the handle's deltas move and size every selected element (a band only grows or shrinks,
    // carrying its StretchHeightWithBand and FixBottomPosition elements along). When a selected
    // element refuses the change (BlockMove for a position change, BlockResize for a size
    // change) nothing changes at all, not even the designer's changed flag.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);

    // Brings every selected element to the front (sends it to the back) of its parent's
    // z-order in selection order, then brings the handle to the front and focuses it. Nothing
    // happens when nothing is selected or the handle is locked.
    void BringToFront();
    void SendToBack();
    // Brings only the handle itself to the front.
    void InheritedBringToFront() { raise(); }
    // The first selected element, in selection order, whose rectangle widened by 2 pixels (by 4
    // at the bottom) holds Point, given in the parent's coordinates; right and bottom edges
    // are outside.
    bool PointOverChild(QPoint Point, QWidget *&Element) const;

    // Sends a press (fmMouseDown) or release (fmMouseUp) at Point, in the parent's
    // coordinates, to Target, or without one to the first other control of the parent under
    // the point, else to the parent itself, so that it reaches what lies beneath the handle.
    void ForwardMessage(TForwardMessage Kind, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, QPoint Point,
                        QWidget *Target);
    // Erases the drag outline; with Draw shows the outline of GetModifiedRect(X, Y) instead,
    // without it repaints the handle.
    void Rubberband(int X, int Y, bool NoGrid, bool Draw);
    // Whether a left-button drag is running.
    bool Dragging() const { return FDragging; }

    // Shows a context menu of Captions ("-" separates) at X, Y in handle coordinates through the
    // interaction service; the chosen index, or -1.
    int ExecPopupMenu(TComponent *AOwner, int X, int Y, const QStringList &Captions, int LastIndex);
    // Records the index of the chosen context-menu item.
    void PopupMenuOnClick(int Index) { FPopupResult = Index; }
    int PopupResult() const { return FPopupResult; }
    // The context menu for Element, the clicked one of the selection, and its commands.
    void ContextMenu(QWidget *Element, QPoint At);
    // The options dialog for Element; false when it was not shown (no BlockDelete property).
    bool ShowOptions(QWidget *Element);
    // Runs the designer's property editing for one element (unless it has BlockEdit) and
    // refreshes the selection when something changed. Returns whether it changed.
    bool EditElement(QWidget *Element);

    // The drag style the next left-button drag would have, and the handle's cursor (host
    // numbers), both set from the pointer position while no drag runs.
    TDragStyle DragStyle() const { return FDragStyle; }
    void SetDragStyle(TDragStyle value) { FDragStyle = value; }
    int Cursor() const { return FCursor; }
    void SetCursor(int value);
    // Where the current drag started, in handle coordinates.
    QPoint DragStart() const { return FDragStart; }
    void SetDragStart(QPoint value) { FDragStart = value; }

    // The handle bounds a drag to (X, Y) in handle coordinates gives for the drag style,
    // snapped to the designer's grid (with NoGrid to 1 pixel), at least the minimum element size.
    void GetModifiedRect(int X, int Y, QRect &Rect, bool NoGrid);
    // Snaps a coordinate down (toward zero) to the designer's horizontal / vertical grid.
    int XGridAdjust(int Value) const;
    int YGridAdjust(int Value) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    // A left double click on a selected element edits its properties.
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // A drag ends, without moving anything, when the handle is hidden or loses the focus.
    void hideEvent(QHideEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    // Arrow keys move the selection by the keyboard step, with Shift size it by that step and
    // with Shift+Ctrl by the grid step; Esc cancels a drag, else selects the band of the selected
    // elements; Tab and Shift+Tab move through the elements; Enter edits the one selected
    // element; Delete deletes; Ctrl+C, Ctrl+X, Ctrl+V, Ctrl+Insert and Shift+Insert copy, cut and
    // paste.
    void keyPressEvent(QKeyEvent *event) override;
    void Notification(TComponent *AComponent, TOperation Operation) override;

private:
    // The single-element attach step (rules 1 to 3 of the bounds).
    void AttachOne(QWidget *Element);
    // Bounds set directly, without moving the selected elements.
    void SetHandleBounds(const QRect &r) { setGeometry(r); }
    void HideDetached();
    // The topmost element (a control with BlockDelete) of Parent within 2 pixels of Point.
    QWidget *ElementAt(QWidget *Parent, QPoint Point) const;
    // Keeps a drag point within the parent's client area.
    QPoint ClampToParent(QPoint Point) const;
    bool SizingCursor() const;
    void EndDrag();
    // The press rules, shared by single and double clicks.
    void Press(QMouseEvent *event, bool DoubleClick);
    // Enter: edits the one selected element; false when the base key handling must be skipped.
    bool EnterKey();
    // Returns whether the key was one of the handle's own.
    bool HandleKey(int Key, Qt::KeyboardModifiers Shift);
    // One selected band or element changed by the handle's deltas.
    void ResizeBand(QWidget *Band, int dt, int dh);
    void ResizeElement(QWidget *Element, int dl, int dt, int dw, int dh);
    quint16 GridX() const;
    quint16 GridY() const;
    quint16 MinWidth() const;
    quint16 MinHeight() const;
    quint16 DesignState() const;

    TVDMDesigner *FDesigner = nullptr;
    QList<QWidget *> FChildren;
    // The same elements as components, to recognise them in notices sent while they are being
    // destroyed (their widget part can no longer be asked then).
    QList<TComponent *> FChildComponents;
    TComponent *FParentComponent = nullptr;
    TColor FColor = clBlack;
    TColor FSecondaryColor = clGray;
    bool FLocked = false;
    int FDragCursor = crDrag;
    int FCursor = crDefault;
    TDragStyle FDragStyle = dsMove;
    int FPopupResult = -1;
    QPoint FDragStart;
    bool FDragging = false;
    // The outline last drawn during a drag; empty when none is shown.
    QRect FRubberBand;
    // Shows the outline over the report while a drag runs.
    class QRubberBand *FOutline = nullptr;
    // Grid steps forced to 1 while GetModifiedRect runs with NoGrid.
    bool FNoGrid = false;
    bool FParentShowHint = true, FShowHint = false;
    TMethod FOnClick, FOnDblClick, FOnMouseDown, FOnMouseMove, FOnMouseUp, FOnKeyDown, FOnKeyUp, FOnKeyPress;
};
