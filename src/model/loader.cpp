#include "model/loader.h"

#include "model/design_report.h"
#include "model/model_registration.h"
#include "model/runtime_messages.h"

TVDMLoader::TVDMLoader(TComponent *AOwner) : QObject(nullptr), TComponent(AOwner) {
    RegisterModelClasses();
    FRuntimeMessages = new TStringList(this);
    FRuntimeMessages->SetStringList(DefaultRuntimeMessages());
    if (AOwner)
        for (TComponent *c : AOwner->Components())
            if (auto *r = dynamic_cast<TDesignReport *>(c)) SetReport(r);
    // Bands, elements and the report look at the class of what is inserted: tell them again
    // now that the loader is complete.
    NotifyInsertion();
}

TVDMLoader::~TVDMLoader() {
    SetReport(nullptr);
    SetDatabaseOwner(nullptr);
}

void TVDMLoader::SetDatabaseOwner(TComponent *value) {
    if (value == FDatabaseOwner) return;
    if (FDatabaseOwner) RemoveFreeNotification(FDatabaseOwner);
    FDatabaseOwner = value;
    if (FDatabaseOwner) FreeNotification(FDatabaseOwner);
}

void TVDMLoader::SetReport(TDesignReport *value) {
    if (value == FReport) return;
    // The report may belong to another owner: ask to hear of its end either way.
    if (FReport) RemoveFreeNotification(FReport);
    FReport = value;
    if (FReport) FreeNotification(FReport);
}

void TVDMLoader::SetRuntimeMessages(TStrings *Lines) {
    if (Lines && Lines != FRuntimeMessages) FRuntimeMessages->Assign(Lines);
}

QString TVDMLoader::Message(const QString &Key) const {
    return LookupRuntimeMessage(FRuntimeMessages->ToStringList(), Key);
}

void TVDMLoader::_MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int, int, QObject *) {}
void TVDMLoader::_MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int, QObject *) {}
void TVDMLoader::_MouseMove(Qt::KeyboardModifiers, int, int, QObject *) {}

void TVDMLoader::Notification(TComponent *AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (!AComponent) return;
    if (Operation == opRemove) {
        if (AComponent == static_cast<TComponent *>(FReport)) FReport = nullptr;
        if (AComponent == FDatabaseOwner) FDatabaseOwner = nullptr;
    } else if (!FReport) {
        // While a component is still being constructed its class is not known yet; a design
        // report announces itself again once it is complete.
        if (auto *r = dynamic_cast<TDesignReport *>(AComponent)) SetReport(r);
    }
}

TVDMLoader *SearchVendamoer(const TComponent *Form) {
    if (!Form) return nullptr;
    for (TComponent *c : Form->Components())
        if (auto *l = dynamic_cast<TVDMLoader *>(c)) return l;
    return nullptr;
}

bool IsDesigner(const QObject *Loader) {
    // Every element asks this of every component inserted into its form: the cheap class test
    // first, the comparison of class names only for loaders.
    return qobject_cast<const TVDMLoader *>(Loader) && Loader->inherits("TVDMDesigner");
}
