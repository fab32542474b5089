// Undo and redo: every change first keeps an image of the whole report (as a report file
// without datasets); undoing reads the last image back into the designer's report.
#include "design/designer.h"

#include "design/stretch_handle.h"

#include "dblib/dataset.h"
#include "host/exceptions.h"
#include "host/persistent.h"
#include "host/property_access.h"
#include "host/stream.h"
#include "model/design_report.h"
#include "persist/report_reader.h"
#include "persist/report_writer.h"

#include <QWidget>
#include <algorithm>

void TVDMDesigner::SetHasChanged(bool Value) {
    if (Value && FUndoEnabled && !(FCommandDepth > 0 && FCommandSnapshotTaken)) {
        SaveUndoData();
        if (FCommandDepth > 0) FCommandSnapshotTaken = true;
    }
    if (FHasChanged == Value) return;
    FHasChanged = Value;
    emit HasChangedChanged(Value);
}

void TVDMDesigner::BeginCommand() {
    if (FCommandDepth++ == 0) FCommandSnapshotTaken = false;
}

void TVDMDesigner::EndCommand() {
    if (FCommandDepth > 0) --FCommandDepth;
}

void TVDMDesigner::ClearUndo() {
    FUndoSnapshots.clear();
    FRedoSnapshots.clear();
    FLastUndoMergeKey = nullptr;
    if (TMenuItem *undo = FMenuItems->Undo()) undo->setEnabled(false);
}

void TVDMDesigner::SetUndoLimit(int value) {
    FUndoLimit = std::max(1, value);
    while (FUndoSnapshots.size() > FUndoLimit) FUndoSnapshots.removeFirst();
    while (FRedoSnapshots.size() > FUndoLimit) FRedoSnapshots.removeFirst();
}

namespace {

// Design settings of bands and the report that report files do not keep.
const char *const DesignOnly[] = {"BlockSelection", "DesignBackgroundDX", "DesignBackgroundDY"};
const QString Background = QStringLiteral("DesignBackground");

QVariantMap DesignSettingsOf(QObject *o) {
    QVariantMap values;
    for (const char *name : DesignOnly)
        if (PropertyExists(o, QString::fromLatin1(name))) values.insert(QString::fromLatin1(name), o->property(name));
    if (auto *picture = qobject_cast<TPersistent *>(GetPointerProperty(o, Background)); picture && picture->HasBinaryForm())
        values.insert(Background, picture->SaveBinaryForm());
    return values;
}

void RestoreDesignSettings(QObject *o, const QVariantMap &values) {
    for (auto it = values.begin(); it != values.end(); ++it) {
        if (it.key() == Background) {
            if (auto *picture = qobject_cast<TPersistent *>(GetPointerProperty(o, Background))) {
                try {
                    picture->LoadBinaryForm(it.value().toByteArray());
                } catch (const Exception &) {
                    // The bytes were written by this process a moment ago; a picture that does
                    // not read back stays empty rather than stopping the undo.
                }
            }
        } else {
            o->setProperty(it.key().toLatin1().constData(), it.value());
        }
    }
}

// Clears an event for the life of the object: snapshots are no business of the application.
class TQuietEvent {
public:
    TQuietEvent(TMethod &event) : FEvent(event), FSaved(event) { FEvent = TMethod(); }
    ~TQuietEvent() { FEvent = FSaved; }
    TQuietEvent(const TQuietEvent &) = delete;
    TQuietEvent &operator=(const TQuietEvent &) = delete;

private:
    TMethod &FEvent;
    TMethod FSaved;
};

}  // namespace

TVDMDesigner::TUndoStep TVDMDesigner::Snapshot() {
    TUndoStep step;
    TQuietEvent quiet(FOnSaveReport);
    TMemoryStream stream;
    if (!Save_Report_To_Stream(stream, nullptr, this, false, Owner())) return step;
    step.Report = stream.Data();
    for (TComponent *c : Owner()->Components()) {
        const QVariantMap values = DesignSettingsOf(c->Object());
        if (!values.isEmpty() && !c->Name().isEmpty()) step.Design.insert(c->Name(), values);
    }
    return step;
}

void TVDMDesigner::SaveUndoData() {
    const void *mergeKey = FUndoMergeKey;
    FUndoMergeKey = nullptr;
    if (!FUndoEnabled || !Owner()) return;
    // Steps of one ongoing action (arrow-key moves of one selection) are one undo step when
    // several levels are kept; the single level keeps the state before the latest step.
    const bool merge = FUndoLimit > 1 && mergeKey && mergeKey == FLastUndoMergeKey && !FUndoSnapshots.isEmpty();
    FLastUndoMergeKey = mergeKey;
    if (merge) return;
    const TUndoStep image = Snapshot();
    if (image.Report.isEmpty()) return;
    FUndoSnapshots.append(image);
    while (FUndoSnapshots.size() > FUndoLimit) FUndoSnapshots.removeFirst();
    FRedoSnapshots.clear();
    if (TMenuItem *undo = FMenuItems->Undo()) undo->setEnabled(true);
}

void TVDMDesigner::RestoreSnapshot(const TUndoStep &Step) {
    DetachSelection();
    auto *form = dynamic_cast<QWidget *>(Owner());
    const bool updates = form && form->updatesEnabled();
    if (updates) form->setUpdatesEnabled(false);
    TMemoryStream stream(Step.Report);
    {
        TMethod loadEvent = OnLoadReport();
        SetOnLoadReport(TMethod());
        Load_Report_From_Stream(stream, nullptr, this, false, QString(), Report(), Owner());
        SetOnLoadReport(loadEvent);
    }
    for (auto it = Step.Design.begin(); it != Step.Design.end(); ++it)
        if (TComponent *c = Owner()->FindComponent(it.key())) RestoreDesignSettings(c->Object(), it.value());
    for (TComponent *c : Owner()->Components())
        if (auto *dataSet = dynamic_cast<TDataSet *>(c)) dataSet->SetOnCalcFields(CalcFieldsHandler());
    if (updates) form->setUpdatesEnabled(true);
    FLastUndoMergeKey = nullptr;
}

void TVDMDesigner::DoUndo() {
    if (!CanUndo() || !Owner()) return;
    const TUndoStep current = Snapshot();
    RestoreSnapshot(FUndoSnapshots.takeLast());
    if (!current.Report.isEmpty()) FRedoSnapshots.append(current);
    FHasChanged = true;
    if (TMenuItem *undo = FMenuItems->Undo()) undo->setEnabled(CanUndo());
}

void TVDMDesigner::DoRedo() {
    if (!CanRedo() || !Owner()) return;
    const TUndoStep current = Snapshot();
    RestoreSnapshot(FRedoSnapshots.takeLast());
    if (!current.Report.isEmpty()) FUndoSnapshots.append(current);
    FHasChanged = true;
    if (TMenuItem *undo = FMenuItems->Undo()) undo->setEnabled(true);
}
