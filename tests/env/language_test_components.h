#pragma once
// Components with the texts language files handle: a caption and hint, list entries, memo
// lines, and a tabbed notebook.
#include "host/component.h"
#include "host/strings.h"

#include <QObject>
#include <QTabWidget>

class TTextComponent : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(qint32 Tag READ Tag WRITE SetTag)
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_PROPERTY(QString Hint MEMBER Hint)
    Q_PROPERTY(TStrings *Items READ ItemList)
    Q_PROPERTY(TStrings *Lines READ LineList)
public:
    TTextComponent(TComponent *owner, const QString &name) : TComponent(owner) { SetName(name); }
    TStrings *ItemList() { return &Items; }
    TStrings *LineList() { return &Lines; }
    QString Caption, Hint;
    TStringList Items, Lines;
};

// A component whose Items is not a string list: translation leaves it alone.
class TOddComponent : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QObject *Items READ Items)
public:
    TOddComponent(TComponent *owner, const QString &name) : TComponent(owner) { SetName(name); }
    QObject *Items() { return this; }
};

class TNotebook : public QTabWidget, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
public:
    TNotebook(TComponent *owner, const QString &name) : TComponent(owner) {
        SetName(name);
        addTab(new QWidget, QStringLiteral("One"));
        addTab(new QWidget, QStringLiteral("Two"));
    }
};
