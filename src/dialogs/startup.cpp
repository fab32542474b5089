// Runs before main in every program that links the dialog library: the designer window finds
// the property dialogs of this library by the element class names (and the frame dialog by
// its name).
#include "dialogs/property_dialogs.h"
#include "dialogs/report_expert_form.h"

#include "design/designer_dialogs.h"

namespace {

using TEntry = bool (*)(TVDMDesigner *, TComponent *, TComponent *);

void Register(const QString &Name, TEntry Entry) {
    DesignerDialogs::Register(Name, [Entry](TVDMDesigner *Designer, TComponent *Element) {
        return Entry(Designer, nullptr, Element);
    });
}

const bool registered = (Register(QStringLiteral("TVendamoShape"), EditShapeProps),
                         Register(QStringLiteral("TVendamoLabel"), EditLabelProps),
                         Register(QStringLiteral("TVendamoDBText"), EditDBTextProps),
                         Register(QStringLiteral("TVendamoSysdata"), EditSysDataProps),
                         Register(QStringLiteral("TVendamoMemo"), EditMemoProps),
                         Register(QStringLiteral("TVendamoExpr"), EditExpressionProps),
                         Register(QStringLiteral("TVendamoImage"), EditImageProps),
                         Register(QStringLiteral("TVendamoBand"), EditBandProps),
                         Register(QStringLiteral("Frame"), EditFrameProperty), true);

// The other band and element kinds, and the report itself (its options dialog, also run by a
// double click on the report).
const bool registeredMore = (Register(QStringLiteral("TVendamoChildBand"), EditChildProps),
                             Register(QStringLiteral("TVendamoSubdetail"), EditSubdetailProps),
                             Register(QStringLiteral("TVendamoGroup"), EditGroupProps),
                             Register(QStringLiteral("TVendamoDBImage"), EditDBImageProps),
                             Register(QStringLiteral("TVendamoRichtext"), EditRichtextProps),
                             Register(QStringLiteral("TVendamoDBRichtext"), EditDBRichtextProps),
                             Register(QStringLiteral("ReportOptions"), EditReportOptions),
                             Register(QStringLiteral("TDesignReport"), EditReportOptions), true);

// File -> New of the designer window runs the report expert.
const bool expertRegistered = (DesignerDialogs::Register(DesignerDialogs::ReportExpert,
                                                         [](TVDMDesigner *Designer, TComponent *) {
                                                             return VendamoReportExpert(Designer);
                                                         }),
                               true);

}  // namespace
