#include "persist/loader_options.h"

#include "dblib/dataset.h"
#include "host/interaction.h"
#include "host/property_access.h"
#include "model/design_report.h"
#include "model/loader.h"
#include "model/runtime_messages.h"

TReport *LoaderReport(const TVDMLoader *Loader) { return Loader ? Loader->Report() : nullptr; }

bool LoaderFlag(const TVDMLoader *Loader, const QString &Name) { return GetBooleanProperty(Loader, Name); }

QString LoaderText(const TVDMLoader *Loader, const QString &Name) { return GetStringProperty(Loader, Name); }

TMethod LoaderEvent(const TVDMLoader *Loader, const QString &Name) { return GetMethodProperty(Loader, Name); }

TComponent *LoaderDatabaseOwner(const TVDMLoader *Loader) { return Loader ? Loader->DatabaseOwner() : nullptr; }

TMethod LoaderCalcFieldsHandler(TVDMLoader *Loader) { return Loader ? Loader->CalcFieldsHandler() : TMethod(); }

void ShowLoaderError(const TVDMLoader *Loader, const QString &Key, const QString &Param, const QString &Reason) {
    const QString text = Loader ? Loader->Message(Key) : LookupRuntimeMessage(DefaultRuntimeMessages(), Key);
    if (text.isEmpty()) {
        Interaction().ShowError(QStringLiteral("Unknown Error [") + Key + QLatin1Char(']'));
        return;
    }
    const QString message = FormatRuntimeMessage(text, Param);
    Interaction().ShowError(Reason.isEmpty() ? message : message + QStringLiteral(": ") + Reason);
}
