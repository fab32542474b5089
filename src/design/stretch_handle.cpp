#include "design/stretch_handle.h"

#include "design/designer.h"

#include "design/element_access.h"

#include "host/font.h"
#include "host/property_access.h"
#include "model/design_report.h"
#include "reportlib/rep_band.h"
#include "reportlib/rep_control.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QApplication>
#include <QPainter>
#include <QRubberBand>
#include <algorithm>
#include <cmath>

Qt::CursorShape CursorShapeFor(int Cursor) {
    switch (Cursor) {
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crDrag: return Qt::DragMoveCursor;
    case crNoDrop: return Qt::ForbiddenCursor;
    case -11: return Qt::WaitCursor;
    default: return Qt::ArrowCursor;
    }
}

TStretch_Handle::TStretch_Handle(TComponent *AOwner) : QWidget(nullptr), TComponent(AOwner) {
    // Only the grab squares are drawn; the elements stay visible through the rest.
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    // The pointer zones follow the pointer while no button is held.
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    resize(24, 24);
    setEnabled(false);
    hide();
}

TStretch_Handle::~TStretch_Handle() = default;

void TStretch_Handle::SetColor(TColor value) {
    FColor = value;
    update();
}

void TStretch_Handle::SetSecondaryColor(TColor value) {
    FSecondaryColor = value;
    update();
}

void TStretch_Handle::SetColors(TColor Primary, TColor Secondary) {
    FColor = Primary;
    FSecondaryColor = Secondary;
    update();
}

void TStretch_Handle::SetCursor(int value) {
    FCursor = value;
    setCursor(CursorShapeFor(value));
}

quint16 TStretch_Handle::GridX() const { return FNoGrid || !FDesigner ? 1 : FDesigner->GridSizeX(); }
quint16 TStretch_Handle::GridY() const { return FNoGrid || !FDesigner ? 1 : FDesigner->GridSizeY(); }
quint16 TStretch_Handle::MinWidth() const { return FDesigner ? FDesigner->MinElementWidth() : 5; }
quint16 TStretch_Handle::MinHeight() const { return FDesigner ? FDesigner->MinElementHeight() : 5; }
quint16 TStretch_Handle::DesignState() const { return FDesigner ? FDesigner->VendamoState() : 0; }

void TStretch_Handle::Attach(QWidget *Element) {
    if (!Element || IndexOf(Element) >= 0) return;
    AttachWithoutEvents(Element);
    if (!FDesigner) return;
    FDesigner->UpdateSelections();
    FDesigner->UpdateInfoPanel();
    if (PropertyExists(Element, QStringLiteral("Font")))
        FDesigner->UpdateFontComponents(qobject_cast<const TFont *>(GetPointerProperty(Element, QStringLiteral("Font"))));
}

void TStretch_Handle::AttachWithoutEvents(QWidget *Element) {
    if (!Element) return;
    AttachOne(Element);
    const quint16 group = ElementGroup(Element);
    if (group == 0 || !Element->parentWidget()) return;
    for (QObject *o : Element->parentWidget()->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (w && w != this && ElementGroup(w) == group) AttachOne(w);
    }
}

void TStretch_Handle::AttachOne(QWidget *Element) {
    if (IndexOf(Element) >= 0) return;
    QWidget *parent = Element->parentWidget();
    if (!FChildren.isEmpty() && parent != parentWidget()) DetachWithoutEvents();
    if (FChildren.isEmpty()) {
        if (parentWidget() != parent) setParent(parent);
        FParentComponent = TComponent::FromObject(parent);
        FRubberBand = QRect();
        setEnabled(true);
        SetHandleBounds(QRect(Element->x() - 2, Element->y() - 2, Element->width() + 5, Element->height() + 5));
        show();
    } else {
        const int left = std::min(x(), Element->x() - 2);
        const int top = std::min(y(), Element->y() - 2);
        const int right = std::max(x() + width() - 3, Element->x() + Element->width());
        const int bottom = std::max(y() + height() - 3, Element->y() + Element->height());
        SetHandleBounds(QRect(left, top, right - left + 3, bottom - top + 3));
    }
    FChildren.append(Element);
    FChildComponents.append(TComponent::FromObject(Element));
    const bool hasHint = FChildren.size() == 1 && PropertyExists(Element, QStringLiteral("Hint"));
    setToolTip(hasHint ? GetStringProperty(Element, QStringLiteral("Hint")) : QString());
    FDragStyle = dsMove;
    raise();
    if (isVisible() && isEnabled()) setFocus();
}

void TStretch_Handle::HideDetached() {
    FLocked = false;
    setEnabled(false);
    hide();
    FRubberBand = QRect();
}

void TStretch_Handle::DetachWithoutEvents() {
    FChildren.clear();
    FChildComponents.clear();
    resize(24, 24);
    HideDetached();
}

void TStretch_Handle::Detach() {
    DetachWithoutEvents();
    if (!FDesigner) return;
    FDesigner->UpdateSelections();
    FDesigner->UpdateInfoPanel();
    if (const TDesignReport *report = FDesigner->Report()) FDesigner->UpdateFontComponents(report->Font());
}

void TStretch_Handle::ReleaseChild(QWidget *Element) {
    const int i = IndexOf(Element);
    if (i >= 0) {
        FChildren.removeAt(i);
        FChildComponents.removeAt(i);
        if (FChildren.isEmpty())
            HideDetached();
        else
            RecalcSize();
    }
    if (FDesigner) FDesigner->UpdateSelections();
}

void TStretch_Handle::SelectionListChanged() {
    FChildren.removeAll(nullptr);
    FChildren.removeIf([this](QWidget *w) { return w->parentWidget() != parentWidget(); });
    FChildComponents.clear();
    for (QWidget *w : std::as_const(FChildren)) FChildComponents.append(TComponent::FromObject(w));
    if (FChildren.isEmpty())
        HideDetached();
    else
        RecalcSize();
}

void TStretch_Handle::RecalcSize() {
    if (FChildren.isEmpty()) return;
    int minLeft = INT_MAX, minTop = INT_MAX;
    for (QWidget *c : FChildren) {
        minLeft = std::min(minLeft, c->x() - 2);
        minTop = std::min(minTop, c->y() - 2);
    }
    int w = 0, h = 0;
    for (QWidget *c : FChildren) {
        w = std::max(w, c->x() + c->width() - minLeft + 3);
        h = std::max(h, c->y() + c->height() - minTop + 3);
    }
    SetHandleBounds(QRect(minLeft, minTop, w, h));
}

void TStretch_Handle::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const bool wasVisible = !isHidden();
    const int dl = ALeft - x(), dt = ATop - y(), dw = AWidth - width(), dh = AHeight - height();
    const bool moves = dl != 0 || dt != 0, sizes = dw != 0 || dh != 0;
    // The lock test comes first, so that a refused change leaves even the changed flag alone.
    FLocked = false;
    for (QWidget *c : FChildren)
        if ((moves && ElementFlag(c, QStringLiteral("BlockMove"))) || (sizes && ElementFlag(c, QStringLiteral("BlockResize")))) FLocked = true;
    if (!FLocked) {
        if (!FChildren.isEmpty() && FDesigner) FDesigner->SetHasChanged(true);
        for (QWidget *c : FChildren) {
            if (qobject_cast<TRepBand *>(c))
                ResizeBand(c, dt, dh);
            else
                ResizeElement(c, dl, dt, dw, dh);
        }
        setGeometry(ALeft, ATop, std::max<int>(AWidth, MinWidth() + 6), std::max<int>(AHeight, MinHeight() + 6));
    }
    FLocked = false;
    if (wasVisible) show();
    if (FDesigner) FDesigner->UpdateInfoPanel();
}

void TStretch_Handle::ResizeBand(QWidget *Band, int dt, int dh) {
    const int oldHeight = Band->height();
    PlaceElement(Band, Band->x(), Band->y() + dt, Band->width(), std::max<int>(MinHeight(), oldHeight + dh));
    const int growth = Band->height() - oldHeight;
    if (growth == 0) return;
    for (QObject *o : Band->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (!w || w == this) continue;
        if (ElementFlag(w, QStringLiteral("StretchHeightWithBand")))
            PlaceElement(w, w->x(), w->y(), w->width(), std::max<int>(MinHeight(), w->height() + growth));
        else if (ElementFlag(w, QStringLiteral("FixBottomPosition")))
            PlaceElement(w, w->x(), std::max(0, w->y() + growth), w->width(), w->height());
    }
}

void TStretch_Handle::ResizeElement(QWidget *Element, int dl, int dt, int dw, int dh) {
    const int w = std::max<int>(MinWidth(), Element->width() + dw);
    const int h = std::max<int>(MinHeight(), Element->height() + dh);
    // An auto-sized element would undo the new size at once.
    if ((w != Element->width() || h != Element->height()) && PropertyExists(Element, QStringLiteral("AutoSize")))
        SetBooleanProperty(Element, QStringLiteral("AutoSize"), false);
    PlaceElement(Element, Element->x() + dl, Element->y() + dt, w, h);
}

void TStretch_Handle::BringToFront() {
    if (FChildren.isEmpty() || FLocked) return;
    for (QWidget *c : FChildren) c->raise();
    raise();
    if (isVisible() && isEnabled()) setFocus();
}

void TStretch_Handle::SendToBack() {
    if (FChildren.isEmpty() || FLocked) return;
    for (QWidget *c : FChildren) c->lower();
    raise();
    if (isVisible() && isEnabled()) setFocus();
}

bool TStretch_Handle::PointOverChild(QPoint Point, QWidget *&Element) const {
    for (QWidget *c : FChildren) {
        if (QRect(c->x() - 2, c->y() - 2, c->width() + 4, c->height() + 6).contains(Point)) {
            Element = c;
            return true;
        }
    }
    Element = nullptr;
    return false;
}

void TStretch_Handle::paintEvent(QPaintEvent *) {
    if (FChildren.isEmpty()) return;
    QPainter p(this);
    const QColor fill = ColorToQColor(FChildren.size() == 1 ? FColor : FSecondaryColor);
    // A square from (l, t) to (r, b), right and bottom exclusive.
    auto square = [&](int l, int t, int r, int b) { p.fillRect(QRect(l, t, r - l, b - t), fill); };
    for (QWidget *c : FChildren) {
        const int l = c->x() - x() - 2, t = c->y() - y() - 2;
        const int r = c->x() - x() + c->width() + 2, b = c->y() - y() + c->height() + 2;
        square(l, t, l + 5, t + 5);
        square(r - 5, t, r, t + 5);
        square(r - 5, b - 5, r, b);
        square(l, b - 5, l + 5, b);
        if (FChildren.size() == 1) {
            const int mx = l + int((r - l) * 0.5), my = t + int((b - t) * 0.5);
            square(mx - 2, t, mx + 3, t + 5);
            square(mx - 2, b - 5, mx + 3, b);
            square(l, my - 2, l + 5, my + 3);
            square(r - 5, my - 2, r, my + 3);
        }
    }
}

bool TStretch_Handle::SizingCursor() const {
    return FCursor == crSizeNESW || FCursor == crSizeNS || FCursor == crSizeNWSE || FCursor == crSizeWE;
}

QWidget *TStretch_Handle::ElementAt(QWidget *Parent, QPoint Point) const {
    if (!Parent) return nullptr;
    const QObjectList &controls = Parent->children();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        auto *w = qobject_cast<QWidget *>(*it);
        if (w && w != this && PropertyExists(w, QStringLiteral("BlockDelete")) &&
            w->geometry().adjusted(-2, -2, 2, 2).contains(Point))
            return w;
    }
    return nullptr;
}

QPoint TStretch_Handle::ClampToParent(QPoint Point) const {
    if (!parentWidget()) return Point;
    return QPoint(std::clamp(x() + Point.x(), 0, parentWidget()->width()) - x(),
                  std::clamp(y() + Point.y(), 0, parentWidget()->height()) - y());
}

void TStretch_Handle::ForwardMessage(TForwardMessage Kind, Qt::MouseButton Button, Qt::KeyboardModifiers Shift,
                                     QPoint Point, QWidget *Target) {
    QWidget *parent = parentWidget();
    if (!Target && parent)
        for (QObject *o : parent->children()) {
            auto *w = qobject_cast<QWidget *>(o);
            if (w && !qobject_cast<TStretch_Handle *>(w) && w->geometry().contains(Point)) {
                Target = w;
                break;
            }
        }
    QWidget *receiver = Target ? Target : parent;
    if (!receiver) return;
    QPoint local = Point;
    if (Target) local = QPoint(std::max(0, Point.x() - Target->x()), std::max(0, Point.y() - Target->y()));
    const QEvent::Type type = Kind == fmMouseDown ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease;
    const Qt::MouseButtons held = Kind == fmMouseDown ? Qt::MouseButtons(Button) : Qt::NoButton;
    QMouseEvent event(type, QPointF(local), receiver->mapToGlobal(QPointF(local)), Button, held,
                      Shift & Qt::ShiftModifier);
    QCoreApplication::sendEvent(receiver, &event);
}

void TStretch_Handle::Rubberband(int X, int Y, bool NoGrid, bool Draw) {
    if (!FRubberBand.isNull() && FOutline) FOutline->hide();
    FRubberBand = QRect();
    if (!Draw) {
        update();
        return;
    }
    QRect r;
    GetModifiedRect(X, Y, r, NoGrid);
    FRubberBand = r;
    if (!parentWidget()) return;
    if (!FOutline || FOutline->parentWidget() != parentWidget()) {
        delete FOutline;
        FOutline = new QRubberBand(QRubberBand::Rectangle, parentWidget());
    }
    // The outline of the elements, inside the handle's margins.
    FOutline->setGeometry(QRect(QPoint(r.left() + 2, r.top() + 2), QPoint(r.left() + r.width() - 3, r.top() + r.height() - 3)));
    FOutline->show();
}

void TStretch_Handle::EndDrag() {
    FDragging = false;
    if (FOutline) FOutline->hide();
    FRubberBand = QRect();
}

void TStretch_Handle::hideEvent(QHideEvent *event) {
    EndDrag();
    QWidget::hideEvent(event);
}

void TStretch_Handle::focusOutEvent(QFocusEvent *event) {
    // A drag the user can no longer finish (a dialog or another window took the keyboard) is
    // dropped without moving anything.
    if (FDragging) {
        EndDrag();
        SetCursor(crDefault);
        if (mouseGrabber() == this) releaseMouse();
    }
    QWidget::focusOutEvent(event);
}

void TStretch_Handle::mousePressEvent(QMouseEvent *event) { Press(event, false); }

void TStretch_Handle::mouseDoubleClickEvent(QMouseEvent *event) { Press(event, event->button() == Qt::LeftButton); }

void TStretch_Handle::Press(QMouseEvent *event, bool DoubleClick) {
    const int X = int(event->position().x()), Y = int(event->position().y());
    const Qt::MouseButton button = event->button();
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool shift = mods & Qt::ShiftModifier;
    const QPoint P(X + x(), Y + y());
    event->accept();
    auto baseHandling = [&] {
        FOnMouseDown.Invoke<QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int, int>(static_cast<QObject *>(this),
                                                                                          button, mods, X, Y);
    };
    // 1. Ctrl+left starts a rubber-band selection in the designer.
    if (DesignState() == 0 && button == Qt::LeftButton && (mods & Qt::ControlModifier)) {
        if (FDesigner) FDesigner->_MouseDown(button, mods, X, Y, this);
        return;
    }
    // 2. An insertion is pending: the click belongs to the band or report beneath.
    if (DesignState() != 0) {
        SetCursor(crDefault);
        ForwardMessage(fmMouseDown, button, mods, P, nullptr);
        return;
    }
    // 3. An unselected element inside the handle's area is selected rather than dragged.
    if (button == Qt::LeftButton && !DoubleClick && !FChildren.isEmpty() &&
        !qobject_cast<TRepBand *>(FChildren.first())) {
        QWidget *under = ElementAt(FChildren.first()->parentWidget(), P);
        if (under && IndexOf(under) < 0 && !SizingCursor()) {
            SetCursor(crDefault);
            ForwardMessage(fmMouseDown, button, mods, P, under);
            return;
        }
    }
    // 4. Beside every selected element: the click belongs to what lies beneath.
    QWidget *element = nullptr;
    if (!PointOverChild(P, element)) {
        SetCursor(crDefault);
        ForwardMessage(fmMouseDown, button, mods, P, nullptr);
        return;
    }
    // 5. Options dialog, context menu and property editing of the clicked element.
    if (!FDragging) {
        if (button == Qt::RightButton && shift) {
            if (FDesigner && FDesigner->AllowBlockEdit() && ShowOptions(element)) return;
        } else if (button == Qt::RightButton) {
            ContextMenu(element, QPoint(X, Y));
            return;
        } else if (DoubleClick) {
            EditElement(element);
            return;
        }
    }
    // 6. Shift+click takes one of several elements out of the selection; a plain press starts
    // a drag, or on a band selects the element under the pointer.
    if (button == Qt::LeftButton && shift && FChildren.size() > 1) {
        ReleaseChild(element);
        if (element->parentWidget()) element->parentWidget()->update();
        element->update();
        update();
    } else if (button == Qt::LeftButton && !FLocked) {
        QWidget *inside = qobject_cast<TRepBand *>(element) ? ElementAt(element, QPoint(X, Y)) : nullptr;
        if (inside && !SizingCursor()) {
            if (!shift) DetachWithoutEvents();
            Attach(inside);
            return;
        }
        FDragStart = QPoint(X, Y);
        FDragging = true;
    }
    baseHandling();
}

void TStretch_Handle::mouseMoveEvent(QMouseEvent *event) {
    int X = int(event->position().x()), Y = int(event->position().y());
    event->accept();
    const bool left = event->buttons() & Qt::LeftButton;
    // A rubber-band selection started on the handle (Ctrl+press) follows the pointer there.
    if (FDesigner && FDesigner->RubberBandActive()) {
        FDesigner->_MouseMove(event->modifiers(), X, Y, this);
        return;
    }
    if (left && !FDragging && !FLocked) {
        FDragStart = QPoint(X, Y);
        FDragging = true;
        return;
    }
    if (DesignState() == 0) {
        if (!left && mouseGrabber() == this) releaseMouse();
        int cursor = crDefault;
        TDragStyle style = dsMove;
        if (FChildren.size() == 1) {
            const int right = width(), bottom = height();
            auto near = [&](int px, int py) { return std::abs(X - px) < 6 && std::abs(Y - py) < 6; };
            // In table order: a later match overrides an earlier one, so on a very small
            // element the bottom and right zones win.
            if (near(0, 0)) style = dsSizeTopLeft, cursor = crSizeNWSE;
            if (near(right, bottom)) style = dsSizeBottomRight, cursor = crSizeNWSE;
            if (near(right, 0)) style = dsSizeTopRight, cursor = crSizeNESW;
            if (near(0, bottom)) style = dsSizeBottomLeft, cursor = crSizeNESW;
            const bool midX = std::abs(X - width() / 2.0) < 6, midY = std::abs(Y - height() / 2.0) < 6;
            if (midX && std::abs(Y) < 6) style = dsSizeTop, cursor = crSizeNS;
            if (midX && std::abs(Y - bottom) < 6) style = dsSizeBottom, cursor = crSizeNS;
            if (midY && std::abs(X) < 6) style = dsSizeLeft, cursor = crSizeWE;
            if (midY && std::abs(X - right) < 6) style = dsSizeRight, cursor = crSizeWE;
        }
        if (FLocked) cursor = crNoDrop;
        if (!FDragging) {
            FDragStyle = style;
            SetCursor(cursor);
        } else {
            const QPoint p = ClampToParent(QPoint(X, Y));
            if (FDragStyle == dsMove) SetCursor(FDragCursor);
            Rubberband(p.x(), p.y(), event->modifiers() & Qt::ShiftModifier, true);
        }
    }
    FOnMouseMove.Invoke<QObject *, Qt::KeyboardModifiers, int, int>(static_cast<QObject *>(this), event->modifiers(),
                                                                     X, Y);
}

void TStretch_Handle::mouseReleaseEvent(QMouseEvent *event) {
    const int X = int(event->position().x()), Y = int(event->position().y());
    event->accept();
    if (FDesigner && FDesigner->RubberBandActive()) {
        FDesigner->_MouseUp(event->button(), event->modifiers(), X, Y, this);
        return;
    }
    if (!FDragging || event->button() != Qt::LeftButton) {
        // The pointer was the handle's only for the press that selected: it is free again.
        if (mouseGrabber() == this && event->buttons() == Qt::NoButton) releaseMouse();
        ForwardMessage(fmMouseUp, event->button(), event->modifiers(), QPoint(X + x(), Y + y()), nullptr);
        return;
    }
    const QPoint p = ClampToParent(QPoint(X, Y));
    Rubberband(0, 0, false, false);
    update();
    if (p != FDragStart) {
        QRect r;
        GetModifiedRect(p.x(), p.y(), r, event->modifiers() & Qt::ShiftModifier);
        SetBounds(r.x(), r.y(), r.width(), r.height());
        if (!FChildren.isEmpty() && qobject_cast<TRepBand *>(FChildren.first()) && FDesigner)
            FDesigner->RedrawSelection();
    }
    if (isVisible() && isEnabled()) setFocus();
    EndDrag();
    SetCursor(crDefault);
    if (mouseGrabber() == this) releaseMouse();
    FOnMouseUp.Invoke<QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int, int>(static_cast<QObject *>(this),
                                                                                    event->button(), event->modifiers(),
                                                                                    X, Y);
}

bool TStretch_Handle::HandleKey(int Key, Qt::KeyboardModifiers Shift) {
    const bool shift = Shift & Qt::ShiftModifier, ctrl = Shift & Qt::ControlModifier;
    const int kx = FDesigner ? FDesigner->KeyboardMoveX() : 1, ky = FDesigner ? FDesigner->KeyboardMoveY() : 1;
    // Shift sizes instead of moving; Ctrl only matters together with Shift (grid steps).
    const int sx = shift && ctrl ? GridX() : kx, sy = shift && ctrl ? GridY() : ky;
    int l = x(), t = y(), w = width(), h = height();
    switch (Key) {
    case Qt::Key_Left: shift ? w -= sx : l -= kx; break;
    case Qt::Key_Right: shift ? w += sx : l += kx; break;
    case Qt::Key_Up: shift ? h -= sy : t -= ky; break;
    case Qt::Key_Down: shift ? h += sy : t += ky; break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (!FDesigner) return false;
        if (shift || Key == Qt::Key_Backtab)
            FDesigner->SelectPreviousElement();
        else
            FDesigner->SelectNextElement();
        return true;
    case Qt::Key_Delete:
        if (FDesigner) FDesigner->DeleteSelectedElements();
        return true;
    case Qt::Key_Insert:
        if (!FDesigner || !(ctrl || shift)) return false;
        if (ctrl)
            FDesigner->CopyToVDMClipboard();
        else
            FDesigner->PasteFromVDMClipboard();
        return true;
    case Qt::Key_C:
    case Qt::Key_X:
    case Qt::Key_V:
        if (!FDesigner || !ctrl) return false;
        if (Key == Qt::Key_C)
            FDesigner->CopyToVDMClipboard();
        else if (Key == Qt::Key_X)
            FDesigner->CutToVDMClipboard();
        else
            FDesigner->PasteFromVDMClipboard();
        return true;
    case Qt::Key_Escape: {
        // During a drag Esc only cancels it: nothing moves.
        if (FDragging) {
            EndDrag();
            SetCursor(crDefault);
            if (mouseGrabber() == this) releaseMouse();
            return true;
        }
        QWidget *first = FChildren.isEmpty() ? nullptr : FChildren.first();
        QWidget *band = first ? first->parentWidget() : nullptr;
        if (!qobject_cast<TRepBand *>(band)) return false;
        DetachWithoutEvents();
        Attach(band);
        return true;
    }
    default: return false;
    }
    update();
    // Repeated arrow steps of one selection can count as one undo step.
    if (FDesigner) FDesigner->MergeNextUndoStep(this);
    SetBounds(l, t, w, h);
    if (FDesigner) FDesigner->MergeNextUndoStep(nullptr);
    return true;
}

bool TStretch_Handle::event(QEvent *event) {
    // Tab moves through the elements, not through the window's focus chain.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            keyPressEvent(static_cast<QKeyEvent *>(event));
            return true;
        }
    }
    return QWidget::event(event);
}

bool TStretch_Handle::EnterKey() {
    if (FChildren.size() != 1 || FDragging || !FDesigner) return true;
    QWidget *element = FChildren.first();
    if (PropertyExists(element, QStringLiteral("BlockEdit")) && GetBooleanProperty(element, QStringLiteral("BlockEdit")))
        return false;
    TDesignCommand command(FDesigner);
    FDesigner->SetHasChanged(true);
    if (!FDesigner->EditProperties(TComponent::FromObject(element))) return false;
    DetachWithoutEvents();
    Attach(element);
    return true;
}

void TStretch_Handle::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        // The base handling follows only an edit that changed the element.
        if (!EnterKey()) return;
    }
    const bool handled = HandleKey(event->key(), event->modifiers());
    int key = event->key();
    FOnKeyDown.Invoke<QObject *, int &, Qt::KeyboardModifiers>(static_cast<QObject *>(this), key, event->modifiers());
    // Keys the handle does not use go on to the band and report beneath.
    if (handled)
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

int TStretch_Handle::XGridAdjust(int Value) const {
    const int g = GridX();
    return (Value / g) * g;
}

int TStretch_Handle::YGridAdjust(int Value) const {
    const int g = GridY();
    return (Value / g) * g;
}

void TStretch_Handle::GetModifiedRect(int X, int Y, QRect &Rect, bool NoGrid) {
    FNoGrid = NoGrid;
    const int dx = X - FDragStart.x(), dy = Y - FDragStart.y();
    const int left = x(), top = y(), w = width(), h = height();
    const int movedL = XGridAdjust(left - 2 + dx) + 2, movedT = YGridAdjust(top - 2 + dy) + 2;
    const int sizedW = XGridAdjust(w + 3 + dx) - 3, sizedH = YGridAdjust(h + 3 + dy) - 3;
    FNoGrid = false;
    int L = left, T = top, W = w, H = h;
    switch (FDragStyle) {
    case dsSizeTopLeft: L = movedL, T = movedT, W = w - (L - left), H = h - (T - top); break;
    case dsSizeTopRight: T = movedT, W = sizedW, H = h - (T - top); break;
    case dsSizeBottomLeft: L = movedL, W = w - (L - left), H = sizedH; break;
    case dsSizeBottomRight: W = sizedW, H = sizedH; break;
    case dsSizeTop: T = movedT, H = h - (T - top); break;
    case dsSizeLeft: L = movedL, W = w - (L - left); break;
    case dsSizeBottom: H = sizedH; break;
    case dsSizeRight: W = sizedW; break;
    case dsMove:
    default: L = movedL, T = movedT; break;
    }
    Rect = QRect(L, T, std::max<int>(W, MinWidth()), std::max<int>(H, MinHeight()));
}

void TStretch_Handle::Notification(TComponent *AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove || !AComponent) return;
    if (FDesigner && AComponent == static_cast<TComponent *>(FDesigner)) FDesigner = nullptr;
    // The band under the handle is going, and Qt would take its child widgets with it: leave
    // it for the report beneath, hidden.
    if (FParentComponent && AComponent == FParentComponent) {
        QWidget *band = parentWidget();
        DetachWithoutEvents();
        setParent(band ? band->parentWidget() : nullptr);
        FParentComponent = nullptr;
        return;
    }
    const int i = int(FChildComponents.indexOf(AComponent));
    if (i >= 0) ReleaseChild(FChildren.at(i));
}
