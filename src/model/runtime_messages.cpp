#include "model/runtime_messages.h"

namespace {

// The designer window's default lines, in their stored order. A key may occur twice; lookups
// find the first line.
const char *const DesignerLines[] = {
    "Calcfield needs database=No tables on current report! You need a table for a calculated field.",
    "GetQueryParamCaption=Parameter of %s",
    "GetQueryParamPrompt=Please type in the parameter \"%s'\":",
    "Invalid value=Invalid value!",
    "Delete band=Delete selected band and all elements on it?",
    "Delete selected bands=Delete all selected bands?",
    "Image not found=Imagefile %s not found!",
    "Error opening database=Error opening table %s",
    "Error opening database-query=Error opening query %s",
    "Reportfile not found=Report file %s not found!",
    "Error in reportfile=Error in report file!",
    "Write Error=Error writing %s!",
    "BandTitle=Title",
    "BandPageHeader=Page Header",
    "BandDetail=Detail",
    "BandPageFooter=Page Footer",
    "BandSummary=Summary",
    "BandGroupheader=Group Header",
    "BandGroupfooter=Group Footer",
    "BandSubdetail=Sub-Detail",
    "BandColumnHeader=Column Header",
    "BandOverlay=Overlay",
    "CalcSum=Sum",
    "CalcCount=Count",
    "CalcMaximum=Maximum",
    "CalcMinimum=Minimum",
    "CalcAverage=Average",
    "SysdataTime=Time",
    "SysdataDate=Date",
    "SysdataDateTime=Date/Time",
    "SysdataPagenumber=Page Number",
    "SysdataReportTitle=Report Title",
    "SysdataDetailcounter=Detail Count",
    "SysdataDetailnumber=Detail Number",
    "ShapeRectangle=Rectangle",
    "ShapeCircle=Circle",
    "ShapeVerticalLine=vertical line",
    "ShapeHorizontalLine=horizontal line",
    "ShapeTopBottomLines=top/bottom lines",
    "ShapeLeftRightLines=left/right lines",
    "BrushEmpty=empty",
    "BrushSolid=solid",
    "BrushCross=cross",
    "BrushDiagCross=diagonal crossed",
    "BrushDiagLinesBT=diagonal lines bottom to top",
    "BrushDiagLinesTB=diagonal lines top to bottom",
    "BrushHorLines=horizontal lines",
    "BrushVertLines=vertical lines",
    "PenMode1=default",
    "PenMode2=always black",
    "PenMode3=always white",
    "PenMode4=unchanged",
    "PenMode5=inverse screen color",
    "PenMode6=inverse pen color",
    "PenMode7=combination of pen color and inverse screen color",
    "PenMode8=common colors of pen and inverse screen color",
    "PenMode9=combination of screen color and inverse pen color",
    "PenMode10=common colors of screen and inverse pen color",
    "PenMode11=combination of pen and screen color",
    "PenMode12=inverse combination of pen and screen color",
    "PenMode13=common colors of pen and screen color",
    "PenMode14=inverse common colors of pen and screen color",
    "PenMode15=colors from either pen or screen color",
    "PenMode16=inverse colors from either pen or screen color",
    "PenStyleSolid=solid line",
    "PenStyleDashed=dashed line",
    "PenStyleDot=dot line",
    "PenStyleDashDot=\"dash-dot\" line",
    "PenStyleDashDotDot=\"dash-dot-dot\" line",
    "PenStyleHiddenMark=hidden marking line",
    "PenStyleInsideFrame=inside frame",
    "CalcFieldEditFormCaption=calculated field from %s",
    "PropertyNotSet=[not set]",
    "GraphicFrom=Graphic from %s",
    "RulerNone=none",
    "RulerCmHorizontal=cm horizontal",
    "RulerCmVertical=cm vertical",
    "RulerCMHorVert=cm horizontal/vertical",
    "RulerInchHorizontal=Inch horizontal",
    "RulerInchVertical=Inch vertical",
    "RulerInchHorVert=Inch horizontal/vertical",
    "No databases available=No tables available!",
    "Invalid componentname=Invalid componentname!",
    "Save report=Save report %s?",
    "Report not saved=You have not saved the current report! Continue anyway?",
    "Database not found=(Table not found)",
    "DeleteDetailLinkQuestion=Really delete the selected detaillink definition?",
    "Database not set=(Table not set)",
    "DeleteGroupQuestion=Really delete the selected group definition?",
    "DefaultTableName=Table",
    "Databasename=Tablename",
    "InputName=Please type in a title (e.g. CustomerDatabase):",
    "Error opening database=Error opening table!",
    "ErrorDeleteMainDatabase=The main report table can not be deleted. Please select another main table for the report first.",
    "DeleteDatabaseConfirmation=If you delete this table, all reportelements using it will become invalid. Continue?",
    "Error activating query=Error activating query!",
    "PRIMARY INDEX=PRIMARY INDEX",
    "None=(NONE)",
    "RenameError=Error: Can not rename to %s!",
    "No SQL parameters=The SQL Statement has no parameters!",
    "Invalid value for datatype=Value is invalid for selected datatype!",
    "Calcfield not found=Calculated field not found!",
    "Error creating calcfield=Calculated field %s could not be created!",
    "NoAlias=[NONE]",
    "Calculated field=Calculated field",
    "Datafield=Data field",
    "ImgAlign None=none",
    "ImgAlign Top=Top",
    "ImgAlign Bottom=Bottom",
    "ImgAlign Left=Left",
    "ImgAlign Right=Right",
    "Band=Band",
    "Childband=Childband",
    "Subdetailband=Subdetail Band",
    "Groupband=Group Band",
    "Label=Label",
    "Memo=Memo",
    "Image=Image",
    "Shape=Shape",
    "Sysdata=System field",
    "Datafield=Data field",
    "Image datafield=Image data field",
    "Expression=Expression",
    "Richtext=Richtext",
    "Richtext datafield=Richtext data field",
    "Chart=Chart",
    "PopupMenuProperties=Edit",
    "PopupMenuOptions=Options",
    "PopupMenuBringToFront=Bring to front",
    "PopupMenuSendToBack=Send to back",
    "PopupMenuGroup=Group elements",
    "PopupMenuUngroup=Ungroup element",
    "PopupMenuUngroupAll=Ungroup all elements"
};

bool KeyMatches(const QString &line, const QString &key) {
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0) return false;
    return QStringView(line).left(eq).compare(key, Qt::CaseInsensitive) == 0;
}

}  // namespace

QStringList DefaultRuntimeMessages() {
    QStringList lines;
    lines.reserve(int(std::size(DesignerLines)));
    for (const char *line : DesignerLines) lines << QString::fromUtf8(line);
    return lines;
}

QStringList PrintFormRuntimeMessages() {
    QStringList lines = DefaultRuntimeMessages();
    for (QString &line : lines) {
        if (KeyMatches(line, QStringLiteral("Reportfile not found")))
            line = QStringLiteral("Reportfile not found=Reportfile %s not found!");
        else if (KeyMatches(line, QStringLiteral("Error in reportfile")))
            line = QStringLiteral("Error in reportfile=Error in reportfile!");
    }
    lines.removeIf([](const QString &l) { return KeyMatches(l, QStringLiteral("PopupMenuUngroupAll")); });
    return lines;
}

QString LookupRuntimeMessage(const QStringList &lines, const QString &key) {
    for (const QString &line : lines)
        if (KeyMatches(line, key)) return line.mid(line.indexOf(u'=') + 1);
    return QString();
}

QString FormatRuntimeMessage(const QString &text, const QString &argument) {
    QString out = text;
    const qsizetype at = out.indexOf(QLatin1String("%s"));
    if (at < 0) return out;
    out.replace(at, 2, argument);
    // Without an argument the blank before the place goes too when a blank, punctuation or
    // the end follows ("Save report?", "Imagefile not found!").
    if (argument.isEmpty() && at > 0 && out.at(at - 1) == u' ' &&
        (at == out.size() || out.at(at).isSpace() || out.at(at).isPunct()))
        out.remove(at - 1, 1);
    return out;
}
