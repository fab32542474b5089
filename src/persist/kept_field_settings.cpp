#include "persist/kept_field_settings.h"

#include "dblib/dataset.h"

#include <QObject>

namespace {

// Rides along with its dataset as a child object, so that it goes when the dataset goes.
class TKeptFieldSettings : public QObject {
public:
    explicit TKeptFieldSettings(TDataSet *dataset) : QObject(dataset) {}
    QList<TFieldPropClass> Settings;
};

TKeptFieldSettings *KeptOf(const TDataSet *dataset) {
    if (!dataset) return nullptr;
    for (QObject *child : dataset->children())
        if (auto *kept = dynamic_cast<TKeptFieldSettings *>(child)) return kept;
    return nullptr;
}

}  // namespace

void KeepUnappliedFieldSettings(const TFieldPropList &List) {
    for (const auto &entry : List) {
        TDataSet *dataset = entry->Dataset;
        if (!dataset || dataset->FindField(entry->FieldName)) continue;
        TKeptFieldSettings *kept = KeptOf(dataset);
        if (!kept) kept = new TKeptFieldSettings(dataset);
        kept->Settings << *entry;
    }
}

QList<TFieldPropClass> UnappliedFieldSettings(const TDataSet *Dataset) {
    QList<TFieldPropClass> list;
    if (const TKeptFieldSettings *kept = KeptOf(Dataset))
        for (const TFieldPropClass &s : kept->Settings)
            if (!Dataset->FindField(s.FieldName)) list << s;
    return list;
}
