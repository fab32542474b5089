#include "persist/element_streams.h"

#include "persist/band_numbers.h"
#include "persist/datasource_numbers.h"
#include "persist/loader_options.h"

#include "dblib/data_source.h"
#include "host/component_stream.h"
#include "host/property_access.h"
#include "host/stream.h"
#include "model/loader.h"
#include "model/report_constants.h"

#include <QPointer>
#include <QWidget>

namespace {

const QString DatasetProp = QStringLiteral("Dataset");

// The controls whose references travel with a copied control: a band's elements, else itself.
QList<QObject *> ReferenceHolders(QWidget *control) {
    QList<QObject *> holders;
    if (AsBand(control)) {
        for (QObject *child : control->children())
            if (qobject_cast<QWidget *>(child) && TComponent::FromObject(child)) holders << child;
    } else {
        holders << control;
    }
    return holders;
}

// Remembers the datasets of controls and gives them back when it goes, however copying ends.
class TDatasetReferences {
public:
    explicit TDatasetReferences(const QList<QObject *> &controls) {
        for (QObject *c : controls)
            FKept.append({c, qobject_cast<TDataSet *>(GetPointerProperty(c, DatasetProp))});
    }
    ~TDatasetReferences() {
        for (const auto &[control, dataset] : FKept)
            if (control && PropertyExists(control, DatasetProp)) SetPointerProperty(control, DatasetProp, dataset.data());
    }
    TDatasetReferences(const TDatasetReferences &) = delete;
    TDatasetReferences &operator=(const TDatasetReferences &) = delete;

private:
    QList<std::pair<QPointer<QObject>, QPointer<TDataSet>>> FKept;
};

}  // namespace

void PrepareDatasetReference(QObject *Control, TComponent *DatabaseOwner) {
    TComponent *component = TComponent::FromObject(Control);
    if (!component) return;
    auto *dataset = qobject_cast<TDataSet *>(GetPointerProperty(Control, DatasetProp));
    if (DatabaseOwner && dataset && dataset->Owner() == DatabaseOwner) {
        component->SetTag(quint16(GetDatasourceNum(DatabaseOwner, FindDatasource4Dataset(dataset))));
        SetPointerProperty(Control, DatasetProp, nullptr);
    } else {
        component->SetTag(0);
    }
}

void RestoreDatasetReference(QObject *Control, TComponent *DatabaseOwner) {
    TComponent *component = TComponent::FromObject(Control);
    if (!component || !DatabaseOwner || component->Tag() == 0) return;
    SetPointerProperty(Control, DatasetProp, GetDatasetByNum(DatabaseOwner, quint16(component->Tag())));
}

bool CopyElementsToStream(TVDMLoader *Designer, const QList<QWidget *> &Selection, TStream &Stream) {
    if (Selection.isEmpty() || !Selection.first()) return true;
    QWidget *parent = Selection.first()->parentWidget();
    QList<QWidget *> copied;
    if (parent) {
        for (QObject *child : parent->children()) {
            auto *w = qobject_cast<QWidget *>(child);
            if (w && Selection.contains(w) && TComponent::FromObject(w)) copied << w;
        }
    } else {
        copied << Selection.first();
    }
    TComponent *databaseOwner = LoaderDatabaseOwner(Designer);
    try {
        TComponentWriter writer(Stream, Designer ? Designer->Owner() : nullptr);
        for (QWidget *control : copied) {
            writer.WriteSignature();
            const QList<QObject *> holders = ReferenceHolders(control);
            // The copied controls get back the very datasets they had: a number in the Tag may
            // stand for none (a dataset without a data source there).
            const TDatasetReferences kept(holders);
            for (QObject *h : holders) PrepareDatasetReference(h, databaseOwner);
            writer.WriteComponent(TComponent::FromObject(control));
        }
        writer.WriteEndOfList();
    } catch (const std::exception &) {
        return false;
    }
    return true;
}

bool SaveElementsToFile(TVDMLoader *Designer, const QList<QWidget *> &Selection, const QString &FileName) {
    TFileStream file(FileName, fmCreate);
    QByteArray header(4, '\0');
    Bin::PutWord(header, 0, ElementFileID);
    header[3] = char(!Selection.isEmpty() && AsBand(Selection.first()) ? 1 : 0);
    file.WriteBytes(header);
    CopyElementsToStream(Designer, Selection, file);
    return true;
}

bool ReadElementsFromFile(const QString &FileName, TMemoryStream &Clipboard, bool &ClipboardHasBands) {
    TFileStream file(FileName, fmOpenRead | fmShareDenyNone);
    if (file.Remaining() < 4 || Bin::ReadWord(file) != ElementFileID) return false;
    Bin::ReadByte(file);
    ClipboardHasBands = Bin::ReadByte(file) != 0;
    Clipboard.Clear();
    if (file.Remaining() > 0) Clipboard.CopyFrom(file, file.Remaining());
    Clipboard.SetPosition(0);
    return true;
}
