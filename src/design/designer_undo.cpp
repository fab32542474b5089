// Undo and redo: every change first keeps an image of the whole report (as a report file
// without datasets); undoing reads the last image back into the designer's report.
#include "design/designer.h"

#include "design/stretch_handle.h"

#include "dblib/dataset.h"
#include "host/stream.h"
#include "model/design_report.h"
#include "persist/report_reader.h"
#include "persist/report_writer.h"

#include <QWidget>
#include <algorithm>

void TVDMDesigner::SetHasChanged(bool Value) {
    if (Value && FUndoEnabled) SaveUndoData();
    FHasChanged = Value;
}

void TVDMDesigner::SetUndoLimit(int value) {
    FUndoLimit = std::max(1, value);
    while (FUndoSnapshots.size() > FUndoLimit) FUndoSnapshots.removeFirst();
    while (FRedoSnapshots.size() > FUndoLimit) FRedoSnapshots.removeFirst();
}

QByteArray TVDMDesigner::Snapshot() {
    TMemoryStream stream;
    if (!Save_Report_To_Stream(stream, nullptr, this, false, Owner())) return QByteArray();
    return stream.Data();
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
    const QByteArray image = Snapshot();
    if (image.isEmpty()) return;
    FUndoSnapshots.append(image);
    while (FUndoSnapshots.size() > FUndoLimit) FUndoSnapshots.removeFirst();
    FRedoSnapshots.clear();
    if (TMenuItem *undo = FMenuItems->Undo()) undo->setEnabled(true);
}

void TVDMDesigner::RestoreSnapshot(const QByteArray &Bytes) {
    DetachSelection();
    auto *form = dynamic_cast<QWidget *>(Owner());
    const bool updates = form && form->updatesEnabled();
    if (updates) form->setUpdatesEnabled(false);
    TMemoryStream stream(Bytes);
    Load_Report_From_Stream(stream, nullptr, this, false, QString(), Report(), Owner());
    for (TComponent *c : Owner()->Components())
        if (auto *dataSet = dynamic_cast<TDataSet *>(c)) dataSet->SetOnCalcFields(CalcFieldsHandler());
    if (updates) form->setUpdatesEnabled(true);
    FLastUndoMergeKey = nullptr;
}

void TVDMDesigner::DoUndo() {
    if (!CanUndo() || !Owner()) return;
    const QByteArray current = Snapshot();
    RestoreSnapshot(FUndoSnapshots.takeLast());
    if (!current.isEmpty()) FRedoSnapshots.append(current);
    FHasChanged = true;
    if (TMenuItem *undo = FMenuItems->Undo()) undo->setEnabled(CanUndo());
}

void TVDMDesigner::DoRedo() {
    if (!CanRedo() || !Owner()) return;
    const QByteArray current = Snapshot();
    RestoreSnapshot(FRedoSnapshots.takeLast());
    if (!current.isEmpty()) FUndoSnapshots.append(current);
    FHasChanged = true;
    if (TMenuItem *undo = FMenuItems->Undo()) undo->setEnabled(true);
}
