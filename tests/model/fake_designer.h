#pragma once
// A stand-in for the designer of a later library: a loader whose class is named TVDMDesigner,
// with the display settings bands and elements read by name, recording the mouse events it is
// sent.
#include "model/loader.h"

#include "host/font.h"
#include "host/method.h"

#include <QList>

struct TMouseCall {
    QString Kind;   // "down", "up", "move"
    int X = 0, Y = 0;
    QObject *Sender = nullptr;
};

class TVDMDesigner : public TVDMLoader {
    Q_OBJECT
    Q_PROPERTY(bool ShowBandNames READ ShowBandNames WRITE SetShowBandNames)
    Q_PROPERTY(TFont *BandNameFont READ BandNameFont)
    Q_PROPERTY(bool ShowComponentFrames READ ShowComponentFrames WRITE SetShowComponentFrames)
    Q_PROPERTY(TColor ComponentFrameColor READ ComponentFrameColor WRITE SetComponentFrameColor)
    Q_PROPERTY(int ComponentFrameStyle READ ComponentFrameStyle WRITE SetComponentFrameStyle)
public:
    explicit TVDMDesigner(TComponent *AOwner) : TVDMLoader(AOwner) {
        FBandNameFont = new TFont(this);
        FBandNameFont->SetName(QStringLiteral("Liberation Sans"));
        FBandNameFont->SetColor(clSilver);
        FBandNameFont->SetHeight(20);
        NotifyInsertion();
    }
    bool ShowBandNames() const { return FShowBandNames; }
    void SetShowBandNames(bool v) { FShowBandNames = v; }
    TFont *BandNameFont() const { return FBandNameFont; }
    bool ShowComponentFrames() const { return FShowComponentFrames; }
    void SetShowComponentFrames(bool v) { FShowComponentFrames = v; }
    TColor ComponentFrameColor() const { return FFrameColor; }
    void SetComponentFrameColor(TColor v) { FFrameColor = v; }
    int ComponentFrameStyle() const { return FFrameStyle; }
    void SetComponentFrameStyle(int v) { FFrameStyle = v; }

    void _MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y, QObject *Sender) override {
        Calls.append({QStringLiteral("down"), X, Y, Sender});
    }
    void _MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y, QObject *Sender) override {
        Calls.append({QStringLiteral("up"), X, Y, Sender});
    }
    void _MouseMove(Qt::KeyboardModifiers, int X, int Y, QObject *Sender) override {
        Calls.append({QStringLiteral("move"), X, Y, Sender});
    }

    // The clipboard commands the report's keys reach.
    Q_INVOKABLE void CopyToVDMClipboard() { Commands.append(QStringLiteral("copy")); }
    Q_INVOKABLE void CutToVDMClipboard() { Commands.append(QStringLiteral("cut")); }
    Q_INVOKABLE void PasteFromVDMClipboard() { Commands.append(QStringLiteral("paste")); }

    QList<TMouseCall> Calls;
    QStringList Commands;

private:
    bool FShowBandNames = true;
    TFont *FBandNameFont;
    bool FShowComponentFrames = false;
    TColor FFrameColor = clGray;
    int FFrameStyle = 2;
};

// Sends a real mouse press, release or move to a widget at a client position.
void SendMouse(QWidget *widget, QEvent::Type type, int x, int y);

// An event handler from a lambda, e.g. Handler<QObject *, bool &>([&](QObject *, bool &) {...}, &tag).
template <class... Args, class F>
TMethod Handler(F f, const void *tag) {
    return TMethod::FromFunction<Args...>(std::function<void(Args...)>(std::move(f)), tag);
}
