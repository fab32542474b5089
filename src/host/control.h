#pragma once
// The shared part of the standard controls: a Qt widget that is also a component. The widget
// keeps its own state (text, geometry, enabled flag) and the published properties read and
// write that state, so a form built in code with Qt layouts and one filled through property
// access by name (language files, saved settings) see the same control.
//
// Event properties hold TMethod handlers. Notify events (OnClick, OnChange, OnDblClick) are
// called as Invoke<QObject*>(Sender). OnKeyDown is called as
// Invoke<QObject*, int&, Qt::KeyboardModifiers>(Sender, Key, Shift) before the widget sees the
// key; a handler that sets Key to 0 consumes it.
#include "host/component.h"
#include "host/method.h"

#include <QKeyEvent>
#include <QWidget>

#include <algorithm>

template <class W>
class TControlOf : public W, public TComponent {
public:
    explicit TControlOf(TComponent *AOwner) : W(nullptr), TComponent(AOwner) {}

    QString Hint() const { return this->toolTip(); }
    void SetHint(const QString &value) { this->setToolTip(value); }
    // The control's own visibility flag, not whether it is on screen now (its form may be hidden).
    bool Visible() const { return !this->isHidden(); }
    void SetVisible(bool value) { this->setVisible(value); }

    // Geometry in the parent's coordinates; a control inside a Qt layout is placed by the layout.
    // Values stay within the largest size Qt allows, where its geometry arithmetic cannot
    // overflow (a stream may hold any number).
    int Left() const { return this->x(); }
    void SetLeft(int value) { this->move(Coordinate(value), this->y()); }
    int Top() const { return this->y(); }
    void SetTop(int value) { this->move(this->x(), Coordinate(value)); }
    int Width() const { return this->width(); }
    void SetWidth(int value) { this->resize(Extent(value), this->height()); }
    int Height() const { return this->height(); }
    void SetHeight(int value) { this->resize(this->width(), Extent(value)); }
    static int Coordinate(int value) { return std::clamp(value, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX); }
    static int Extent(int value) { return std::clamp(value, 0, QWIDGETSIZE_MAX); }

    TMethod OnKeyDown() const { return FOnKeyDown; }
    void SetOnKeyDown(const TMethod &value) { FOnKeyDown = value; }

protected:
    // Qt widgets may signal while their destructor runs (a list clearing its rows, a page
    // control losing its pages), when the derived control's handlers and lists are already
    // gone: destructors of controls that handle such signals call this first.
    void StopSignals() { QObject::disconnect(this, nullptr, this, nullptr); }

    void Notify(const TMethod &event) { event.template Invoke<QObject *>(static_cast<QObject *>(this)); }

    void keyPressEvent(QKeyEvent *e) override {
        if (FOnKeyDown.Assigned()) {
            int key = e->key();
            FOnKeyDown.template Invoke<QObject *, int &, Qt::KeyboardModifiers>(static_cast<QObject *>(this), key,
                                                                                  e->modifiers());
            if (key == 0) {
                e->accept();
                return;
            }
        }
        W::keyPressEvent(e);
    }

private:
    TMethod FOnKeyDown;
};

// The published properties every control shares; each control class names this macro in its
// body, where moc expands it.
#define VENDAMO_CONTROL_PROPERTIES                                              \
    Q_PROPERTY(QString Name READ Name WRITE SetName)                            \
    Q_PROPERTY(qint32 Tag READ Tag WRITE SetTag)                                \
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)                            \
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)                    \
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)                      \
    Q_PROPERTY(int Left READ Left WRITE SetLeft)                                \
    Q_PROPERTY(int Top READ Top WRITE SetTop)                                   \
    Q_PROPERTY(int Width READ Width WRITE SetWidth)                             \
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
