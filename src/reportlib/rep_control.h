#pragma once
// The common base of bands and printable elements: a widget on the report's design surface and
// a component owned by the report's form. It keeps the size values (as physical lengths, read
// and written in the report's units), the frame, and the published Name, Tag, Hint and Enabled.
// Its widget geometry follows from the size values at 96 pixels per inch and the report's zoom.
//
// Designable subclasses override Paint (design-time painting on Canvas()) and the mouse entries
// MouseDown/MouseUp/MouseMove, which receive the widget's own mouse events.
#include "reportlib/rep_frame.h"
#include "reportlib/rep_units.h"

#include "host/component.h"
#include "host/persistent.h"

#include <QWidget>

class QPainter;
class TReport;
class TRepControl;

// The size values of a band or printable as a published object: Height, Left, Top, Width in
// the report's units, and the values by index (printables: 0 height, 1 left, 2 top, 3 width;
// bands: 0 height, 1 width).
class TRepSize : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(double Height READ Height WRITE SetHeight)
    Q_PROPERTY(double Left READ Left WRITE SetLeft)
    Q_PROPERTY(double Top READ Top WRITE SetTop)
    Q_PROPERTY(double Width READ Width WRITE SetWidth)
public:
    explicit TRepSize(TRepControl *control);

    double Value(int index) const;
    void SetValue(int index, double value);
    int Count() const;

    double Height() const { return Value(0); }
    void SetHeight(double v) { SetValue(0, v); }
    double Left() const;
    void SetLeft(double v);
    double Top() const;
    void SetTop(double v);
    double Width() const;
    void SetWidth(double v);

    // Copies the values of another size object of the same shape.
    void Assign(const TPersistent *Source) override;

private:
    TRepControl *FControl;
};

class TRepControl : public QWidget, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(qint32 Tag READ Tag WRITE SetTag)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(TRepFrame *Frame READ Frame WRITE SetFrame)
    Q_PROPERTY(TRepSize *Size READ Size WRITE SetSize)
    Q_PROPERTY(int Left READ Left WRITE SetLeft STORED false)
    Q_PROPERTY(int Top READ Top WRITE SetTop STORED false)
    Q_PROPERTY(int Width READ Width WRITE SetWidth STORED false)
    Q_PROPERTY(int Height READ Height WRITE SetHeight STORED false)
public:
    TRepControl(TComponent *AOwner, int sizeValueCount);
    ~TRepControl() override;

    // The report this control lies on (through its parents), null when not placed.
    TReport *ParentReport() const;
    TRepUnits Units() const;
    // Zoom of the report in percent (100 without a report).
    int Zoom() const;

    // Size values by index in the report's units, and as physical millimetres.
    int SizeValueCount() const { return int(FSize.size()); }
    virtual double SizeValue(int index) const;
    virtual void SetSizeValue(int index, double value);
    virtual double SizeMM(int index) const;
    virtual void SetSizeMM(int index, double mm);
    // The axis each size value lies along.
    virtual TRepAxis SizeAxis(int index) const = 0;

    TRepSize *Size() const { return FSizeObject; }
    void SetSize(TRepSize *value) { FSizeObject->Assign(value); }
    TRepFrame *Frame() const { return FFrame; }
    void SetFrame(TRepFrame *value) { FFrame->Assign(value); }

    QString Hint() const { return toolTip(); }
    void SetHint(const QString &value) { setToolTip(value); }
    // Whether the control takes part in printing. It stays clickable on the design surface
    // either way (this is not the widget's enabled state).
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);

    // Pixel geometry on the design surface at the current zoom (the widget's).
    int Left() const { return x(); }
    int Top() const { return y(); }
    int Width() const { return width(); }
    int Height() const { return height(); }
    void SetLeft(int v) { SetBounds(v, y(), width(), height()); }
    void SetTop(int v) { SetBounds(x(), v, width(), height()); }
    void SetWidth(int v) { SetBounds(x(), y(), v, height()); }
    void SetHeight(int v) { SetBounds(x(), y(), width(), v); }
    // Moves and sizes the control in design pixels; the size values follow (only those whose
    // pixel value really changes, so exact values survive a move).
    virtual void SetBounds(int left, int top, int width, int height);

    // Recomputes the widget geometry from the size values (after a change of zoom or units of
    // the layout around it).
    virtual void UpdateGeometry() = 0;

    // Design-time painting onto Canvas(); subclasses call the base and add their own.
    virtual void Paint();
    // The painter of the paint event in progress (null outside painting).
    QPainter *Canvas() const { return FCanvas; }

    // Mouse entries; the defaults do nothing. Coordinates are the control's client coordinates.
    virtual void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y);

    // Reparents on the design surface and shows the control there.
    void SetParent(QWidget *parent);

    // While a stream fills the control (csReading or csLoading) its size values arrive one at a
    // time; the widget's geometry follows them once, here, instead of after each value. Loaded()
    // calls it; readers that do not load through Loaded() call it when they are done.
    void ApplyPendingGeometry();
    void Loaded() override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;

    // Called after any size value changed.
    virtual void SizeChanged();
    // Called after the control was put on another parent.
    virtual void ParentChanged();
    // Asks for a repaint (and whatever else a change of appearance means).
    virtual void Changed();

    // Pixels at the current zoom for millimetres, rounded.
    int MMToPixels(double mm) const;
    double PixelsToMM(int pixels) const;

private:
    std::vector<TRepMeasure> FSize;
    TRepSize *FSizeObject;
    TRepFrame *FFrame;
    bool FEnabled = true;
    bool FGeometryPending = false;
    QPainter *FCanvas = nullptr;
};
