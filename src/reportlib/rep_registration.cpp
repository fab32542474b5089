#include "reportlib/rep_registration.h"

#include "reportlib/rep_band.h"
#include "reportlib/rep_calc.h"
#include "reportlib/rep_dbtext.h"
#include "reportlib/rep_expr.h"
#include "reportlib/rep_image.h"
#include "reportlib/rep_label.h"
#include "reportlib/rep_richtext.h"
#include "reportlib/rep_shape.h"
#include "reportlib/rep_sysdata.h"
#include "reportlib/report.h"

#include "host/class_registry.h"

void RegisterReportLibraryClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterComponentClass<TReport>();
    RegisterComponentClass<TRepBand>();
    RegisterComponentClass<TRepChildBand>();
    RegisterComponentClass<TRepGroup>();
    RegisterComponentClass<TRepSubDetail>();
    RegisterComponentClass<TRepLabel>();
    RegisterComponentClass<TRepMemo>();
    RegisterComponentClass<TRepDBText>();
    RegisterComponentClass<TRepExpr>();
    RegisterComponentClass<TRepSysData>();
    RegisterComponentClass<TRepDBCalc>();
    RegisterComponentClass<TRepShape>();
    RegisterComponentClass<TRepImage>();
    RegisterComponentClass<TRepDBImage>();
    RegisterComponentClass<TRepRichText>();
    RegisterComponentClass<TRepDBRichText>();
    RegisterComponentClass<TRepRichEdit>();
}
