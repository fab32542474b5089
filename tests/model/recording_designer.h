#pragma once
// The real designer, recording the mouse events and clipboard commands that the report, its
// bands and its elements send it instead of acting on them.
#include "design/designer.h"

#include "host/method.h"

#include <QList>

struct TMouseCall {
    QString Kind;   // "down", "up", "move"
    int X = 0, Y = 0;
    QObject *Sender = nullptr;
};

class TRecordingDesigner : public TVDMDesigner {
    Q_OBJECT
public:
    explicit TRecordingDesigner(TComponent *AOwner) : TVDMDesigner(AOwner) {}

    void _MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y, QObject *Sender) override {
        Calls.append({QStringLiteral("down"), X, Y, Sender});
    }
    void _MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y, QObject *Sender) override {
        Calls.append({QStringLiteral("up"), X, Y, Sender});
    }
    void _MouseMove(Qt::KeyboardModifiers, int X, int Y, QObject *Sender) override {
        Calls.append({QStringLiteral("move"), X, Y, Sender});
    }

    // The clipboard commands the report's keys reach by name.
    Q_INVOKABLE void CopyToVDMClipboard() { Commands.append(QStringLiteral("copy")); }
    Q_INVOKABLE void CutToVDMClipboard() { Commands.append(QStringLiteral("cut")); }
    Q_INVOKABLE void PasteFromVDMClipboard() { Commands.append(QStringLiteral("paste")); }

    QList<TMouseCall> Calls;
    QStringList Commands;
};

// Sends a real mouse press, release or move to a widget at a client position.
void SendMouse(QWidget *widget, QEvent::Type type, int x, int y);

// An event handler from a lambda, e.g. Handler<QObject *, bool &>([&](QObject *, bool &) {...}, &tag).
template <class... Args, class F>
TMethod Handler(F f, const void *tag) {
    return TMethod::FromFunction<Args...>(std::function<void(Args...)>(std::move(f)), tag);
}
