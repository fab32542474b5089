#include "window/package_registration.h"
#include "window/report_designer_dialog.h"

#include "design/designer.h"
#include "env/component_editors.h"
#include "env/design_environment.h"
#include "env/enhanced_listbox.h"
#include "env/event_scrollbox.h"
#include "env/language_ini_file.h"
#include "env/ruler_panel.h"
#include "model/design_report.h"
#include "model/vendamo_bands.h"
#include "model/vendamo_picture_elements.h"
#include "model/vendamo_rich_elements.h"
#include "model/vendamo_text_elements.h"

void RegisterVendamoPackage() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    using namespace DesignEnvironment;
    const QString page = QStringLiteral("Vendamo");
    RegisterComponents(page, {&TReportDesignerDialog::staticMetaObject, &TReportPrinterDialog::staticMetaObject,
                              &TVDMLoader::staticMetaObject, &TVDMDesigner::staticMetaObject,
                              &TDesignReport::staticMetaObject, &TVendamoSubdetail::staticMetaObject,
                              &TVendamoBand::staticMetaObject, &TVendamoChildBand::staticMetaObject,
                              &TVendamoGroup::staticMetaObject, &TVendamoLabel::staticMetaObject,
                              &TVendamoDBText::staticMetaObject, &TVendamoExpr::staticMetaObject,
                              &TVendamoSysdata::staticMetaObject, &TVendamoMemo::staticMetaObject,
                              &TVendamoShape::staticMetaObject, &TVendamoImage::staticMetaObject,
                              &TVendamoDBImage::staticMetaObject});
    RegisterComponents(page, {&TVendamoRichtext::staticMetaObject, &TVendamoDBRichtext::staticMetaObject});
    RegisterComponents(QStringLiteral("VDMTools"),
                       {&TEventScrollbox::staticMetaObject, &TRulerPanel::staticMetaObject,
                        &TLanguageIniFile::staticMetaObject, &TEnhancedListbox::staticMetaObject});
    RegisterComponentEditor(&TLanguageIniFile::staticMetaObject,
                            [](TComponent *c) { return std::make_unique<TLIFDesignModeMenu>(c); });
    RegisterComponentEditor(&TVDMDesigner::staticMetaObject,
                            [](TComponent *c) { return std::make_unique<TVDMDesignerDesignModeMenu>(c); });
}
