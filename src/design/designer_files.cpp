// The designer's load and save: the loader and the report writer do the work; the designer
// empties the selection before a load (the elements it points to are about to go), keeps the
// changed flag and returns to plain selecting.
#include "design/designer.h"

#include "persist/report_writer.h"

#include "dblib/field.h"
#include "host/stream.h"
#include "model/wait_cursor.h"

template <class Load>
bool TVDMDesigner::LoadWrapped(Load load) {
    DetachSelection();
    const bool ok = load();
    // The steps of the previous report must not come back over this one.
    ClearUndo();
    if (ok) SetHasChanged(false);
    SetVendamoState(0);
    return ok;
}

bool TVDMDesigner::LoadReport(const QString &FileName) {
    return LoadWrapped([&] { return TVDMLoader::LoadReport(FileName); });
}

bool TVDMDesigner::LoadReport_FromStream(TStream &Stream) {
    return LoadWrapped([&] { return TVDMLoader::LoadReport_FromStream(Stream); });
}

bool TVDMDesigner::LoadReport_FromBlobField(TField *Field) {
    return LoadWrapped([&] { return TVDMLoader::LoadReport_FromBlobField(Field); });
}

bool TVDMDesigner::SaveReport(const QString &FileName) {
    ResetQueryParameters();
    bool ok = false;
    {
        TWaitCursor hourglass;
        ok = Save_Report(this, Owner(), FileName, DatasetStream());
    }
    if (ok) SetHasChanged(false);
    return ok;
}

bool TVDMDesigner::SaveReport_ToStream(TStream &Stream) {
    ResetQueryParameters();
    bool ok = false;
    {
        TWaitCursor hourglass;
        ok = Save_Report_To_Stream(Stream, DatasetStream(), this, true, Owner());
    }
    if (ok) SetHasChanged(false);
    return ok;
}

bool TVDMDesigner::SaveReport_ToBlobField(TField *Field) {
    ResetQueryParameters();
    if (!Field) return false;
    TMemoryStream stream;
    const bool ok = SaveReport_ToStream(stream);
    if (!ok) return false;
    stream.SetPosition(0);
    Field->LoadFromStream(stream);
    return true;
}
