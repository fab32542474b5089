#pragma once
// Containers: panel, group box, page control and its tab sheets. Child controls go into a Qt
// layout set on the container (or on a tab sheet); ownership stays with the form.
#include "host/control.h"

#include <QFrame>
#include <QGroupBox>
#include <QPointer>
#include <QScrollArea>
#include <QTabWidget>

// A raised frame that draws its Caption centred behind any children.
class TPanel : public TControlOf<QFrame> {
    Q_OBJECT
    VENDAMO_CONTROL_PROPERTIES
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    Q_INVOKABLE explicit TPanel(TComponent *AOwner = nullptr);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString &value);

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    QString FCaption;
};

class TGroupBox : public TControlOf<QGroupBox> {
    Q_OBJECT
    VENDAMO_CONTROL_PROPERTIES
    Q_PROPERTY(QString Caption READ title WRITE setTitle)
public:
    Q_INVOKABLE explicit TGroupBox(TComponent *AOwner = nullptr);
};

// A scrolling container for one child widget larger than the box (a report page, say). The
// child is set with setWidget and keeps its own size; the scroll positions are published.
class TScrollBox : public TControlOf<QScrollArea> {
    Q_OBJECT
    VENDAMO_CONTROL_PROPERTIES
    Q_PROPERTY(int HorzScrollPosition READ HorzScrollPosition WRITE SetHorzScrollPosition)
    Q_PROPERTY(int VertScrollPosition READ VertScrollPosition WRITE SetVertScrollPosition)
public:
    Q_INVOKABLE explicit TScrollBox(TComponent *AOwner = nullptr);

    int HorzScrollPosition() const;
    void SetHorzScrollPosition(int value);
    int VertScrollPosition() const;
    void SetVertScrollPosition(int value);
};

class TTabSheet;

// Pages are tab sheets (or plain widgets added with addTab). OnChange fires when another page
// becomes the active one, by the user or by code.
class TPageControl : public TControlOf<QTabWidget> {
    Q_OBJECT
    VENDAMO_CONTROL_PROPERTIES
    Q_PROPERTY(int ActivePageIndex READ currentIndex WRITE setCurrentIndex)
    Q_PROPERTY(int PageCount READ count)
    Q_PROPERTY(TMethod OnChange READ OnChange WRITE SetOnChange)
public:
    Q_INVOKABLE explicit TPageControl(TComponent *AOwner = nullptr);
    ~TPageControl() override { StopSignals(); }

    TTabSheet *Pages(int index) const;  // null out of range or for a page of another class
    TTabSheet *ActivePage() const;
    void SetActivePage(TTabSheet *page);
    TMethod OnChange() const { return FOnChange; }
    void SetOnChange(const TMethod &value) { FOnChange = value; }

private:
    TMethod FOnChange;
};

// A page of a page control; its Caption is the tab's text.
class TTabSheet : public TControlOf<QWidget> {
    Q_OBJECT
    VENDAMO_CONTROL_PROPERTIES
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int PageIndex READ PageIndex)
public:
    Q_INVOKABLE explicit TTabSheet(TComponent *AOwner = nullptr);

    // Moves the sheet to the end of AControl's pages (null takes it out of its page control).
    void SetPageControl(TPageControl *AControl);
    TPageControl *PageControl() const { return FPageControl.data(); }
    int PageIndex() const;  // -1 outside a page control
    QString Caption() const;
    void SetCaption(const QString &value);

private:
    QPointer<TPageControl> FPageControl;
    QString FCaption;  // the text kept while the sheet is in no page control
};
