#pragma once
// Forms and data modules: the owners of a report's components. The application-wide lists of
// open forms (in screen order, the active one first) and of open data modules are what later
// lookups search when an expression or a dataset reference names another form.
#include "host/component.h"

#include <QList>
#include <QObject>
#include <QWidget>

class TForm : public QWidget, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(qint32 Tag READ Tag WRITE SetTag)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    explicit TForm(TComponent *AOwner = nullptr, QWidget *parent = nullptr);
    ~TForm() override;

    // The window title without Qt's "[*]" placeholder for the unsaved-changes mark; a form that
    // shows the mark keeps the placeholder when its caption is set.
    QString Caption() const;
    void SetCaption(const QString &value);
    void SetShowsModifiedMark(bool value);

protected:
    bool event(QEvent *e) override;

private:
    bool FShowsModifiedMark = false;
};

class TDataModule : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(qint32 Tag READ Tag WRITE SetTag)
public:
    explicit TDataModule(TComponent *AOwner = nullptr);
    ~TDataModule() override;
};

// The screen: open forms and data modules of the application.
namespace Screen {
// Open forms in screen order: the most recently shown or activated first.
const QList<TForm *> &Forms();
const QList<TDataModule *> &DataModules();
// Moves a form to the front of the screen order (done on show and activation).
void BringToFront(TForm *form);
}  // namespace Screen
