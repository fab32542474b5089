#pragma once
// The run-time loader: the non-visual component that binds a report form to its report, owns
// the run-time message table and receives the mouse events of the report's bands and elements.
// The designer descends from it and overrides the mouse entries; the loader itself ignores them.
#include "host/component.h"
#include "host/strings.h"

#include <QObject>
#include <QString>
#include <Qt>

class TDesignReport;
Q_MOC_INCLUDE("model/design_report.h")

class TVDMLoader : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(qint32 Tag READ Tag WRITE SetTag)
    Q_PROPERTY(TDesignReport *Report READ Report WRITE SetReport)
    Q_PROPERTY(TStrings *RuntimeMessages READ RuntimeMessages WRITE SetRuntimeMessages)
public:
    // Takes the last design report the owner already holds as its report.
    Q_INVOKABLE explicit TVDMLoader(TComponent *AOwner = nullptr);
    ~TVDMLoader() override;

    // The report the loader works on (not owned); cleared when that report goes away.
    TDesignReport *Report() const { return FReport; }
    void SetReport(TDesignReport *value);

    // The run-time message table: "key=text" lines, the default table at creation. Assigning
    // copies the lines.
    TStrings *RuntimeMessages() const { return FRuntimeMessages; }
    void SetRuntimeMessages(TStrings *Lines);
    // The text of a key in the message table (letter case ignored; empty when absent).
    QString Message(const QString &Key) const;

    // Mouse events of bands, elements (Sender) and the report surface (Sender null), in the
    // sender's client coordinates. The loader ignores them; the designer acts on them.
    virtual void _MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y, QObject *Sender);
    virtual void _MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y, QObject *Sender);
    virtual void _MouseMove(Qt::KeyboardModifiers Shift, int X, int Y, QObject *Sender);

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;

private:
    TDesignReport *FReport = nullptr;
    TStringList *FRuntimeMessages;
};

// The first component of a form, in component order, that is a loader or designer; null for no
// form or none found. Bands and elements find their designer this way.
TVDMLoader *SearchVendamoer(const TComponent *Form);

// Whether a loader is in fact the designer (the designer class lives in a later library).
bool IsDesigner(const QObject *Loader);
