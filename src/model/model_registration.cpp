#include "model/model_registration.h"

#include "model/design_report.h"
#include "model/loader.h"
#include "model/vendamo_bands.h"
#include "model/vendamo_functions.h"
#include "model/vendamo_picture_elements.h"
#include "model/vendamo_rich_elements.h"
#include "model/vendamo_text_elements.h"

#include "host/class_registry.h"

void RegisterModelClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterVDMFunctions();
    RegisterComponentClass<TVDMLoader>();
    RegisterComponentClass<TDesignReport>();
    RegisterComponentClass<TVendamoBand>();
    RegisterComponentClass<TVendamoChildBand>();
    RegisterComponentClass<TVendamoGroup>();
    RegisterComponentClass<TVendamoSubdetail>();
    RegisterComponentClass<TVendamoLabel>();
    RegisterComponentClass<TVendamoDBText>();
    RegisterComponentClass<TVendamoExpr>();
    RegisterComponentClass<TVendamoImage>();
    RegisterComponentClass<TVendamoMemo>();
    RegisterComponentClass<TVendamoShape>();
    RegisterComponentClass<TVendamoSysdata>();
    RegisterComponentClass<TVendamoDBImage>();
    RegisterComponentClass<TVendamoRichtext>();
    RegisterComponentClass<TVendamoDBRichtext>();
}
