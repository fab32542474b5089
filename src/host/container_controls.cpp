#include "host/container_controls.h"

#include <QPainter>
#include <QScrollBar>

TPanel::TPanel(TComponent *AOwner) : TControlOf(AOwner) { setFrameStyle(QFrame::Panel | QFrame::Raised); }

void TPanel::SetCaption(const QString &value) {
    if (value == FCaption) return;
    FCaption = value;
    update();
}

void TPanel::paintEvent(QPaintEvent *e) {
    QFrame::paintEvent(e);
    if (FCaption.isEmpty()) return;
    QPainter painter(this);
    painter.drawText(contentsRect(), Qt::AlignCenter, FCaption);
}

TScrollBox::TScrollBox(TComponent *AOwner) : TControlOf(AOwner) { setWidgetResizable(false); }

int TScrollBox::HorzScrollPosition() const { return horizontalScrollBar()->value(); }
void TScrollBox::SetHorzScrollPosition(int value) { horizontalScrollBar()->setValue(value); }
int TScrollBox::VertScrollPosition() const { return verticalScrollBar()->value(); }
void TScrollBox::SetVertScrollPosition(int value) { verticalScrollBar()->setValue(value); }

TGroupBox::TGroupBox(TComponent *AOwner) : TControlOf(AOwner) {}

TPageControl::TPageControl(TComponent *AOwner) : TControlOf(AOwner) {
    connect(this, &QTabWidget::currentChanged, this, [this] { Notify(FOnChange); });
}

TTabSheet *TPageControl::Pages(int index) const { return qobject_cast<TTabSheet *>(widget(index)); }

TTabSheet *TPageControl::ActivePage() const { return qobject_cast<TTabSheet *>(currentWidget()); }

void TPageControl::SetActivePage(TTabSheet *page) {
    if (page && indexOf(page) >= 0) setCurrentWidget(page);
}

TTabSheet::TTabSheet(TComponent *AOwner) : TControlOf(AOwner) {}

int TTabSheet::PageIndex() const { return FPageControl ? FPageControl->indexOf(this) : -1; }

void TTabSheet::SetPageControl(TPageControl *AControl) {
    const QString caption = Caption();
    if (FPageControl) {
        FPageControl->removeTab(FPageControl->indexOf(this));
        setParent(nullptr);
    }
    FPageControl = AControl;
    FCaption = caption;
    if (AControl) AControl->addTab(this, caption);
}

QString TTabSheet::Caption() const {
    const int index = PageIndex();
    return index >= 0 ? FPageControl->tabText(index) : FCaption;
}

void TTabSheet::SetCaption(const QString &value) {
    FCaption = value;
    const int index = PageIndex();
    if (index >= 0) FPageControl->setTabText(index, value);
}
