#pragma once
// A scroll box that tells when it scrolls, so that the ruler above the report can follow it.
#include "host/container_controls.h"
#include "host/method.h"

// OnScrollHorz and OnScrollVert are notify events (sender: the scroll box), called after the
// box has scrolled, by the user or by code.
class TEventScrollbox : public TScrollBox {
    Q_OBJECT
    Q_PROPERTY(TMethod OnScrollHorz READ OnScrollHorz WRITE SetOnScrollHorz)
    Q_PROPERTY(TMethod OnScrollVert READ OnScrollVert WRITE SetOnScrollVert)
public:
    Q_INVOKABLE explicit TEventScrollbox(TComponent *AOwner = nullptr);
    ~TEventScrollbox() override;

    TMethod OnScrollHorz() const { return FOnScrollHorz; }
    void SetOnScrollHorz(const TMethod &value) { FOnScrollHorz = value; }
    TMethod OnScrollVert() const { return FOnScrollVert; }
    void SetOnScrollVert(const TMethod &value) { FOnScrollVert = value; }

private:
    TMethod FOnScrollHorz, FOnScrollVert;
};
