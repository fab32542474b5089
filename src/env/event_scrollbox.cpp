#include "env/event_scrollbox.h"

#include <QScrollBar>

TEventScrollbox::TEventScrollbox(TComponent *AOwner) : TScrollBox(AOwner) {
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { Notify(FOnScrollHorz); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { Notify(FOnScrollVert); });
}

TEventScrollbox::~TEventScrollbox() {
    // The scroll bars outlive this part of the object; they must not call the handlers now.
    horizontalScrollBar()->disconnect(this);
    verticalScrollBar()->disconnect(this);
}
