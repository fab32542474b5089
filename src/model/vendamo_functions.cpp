#include "model/vendamo_functions.h"

#include "model/report_constants.h"

#include "reportlib/expr_registry.h"
#include "reportlib/rep_expr.h"

#include "dblib/query.h"
#include "host/conversions.h"
#include "host/forms.h"
#include "host/property_access.h"

void TVDMEvQueryParamFunction::Calculate() {
    if (!ArgumentsFit("SS")) return;
    const QString queryName = Argument(0).strResult;
    for (TForm *form : Screen::Forms())
        if (auto *query = dynamic_cast<TQuery *>(form->FindComponent(queryName))) {
            // A query without that parameter raises: the value is then the error kind.
            Result = TRepEvResult::String(query->ParamByName(Argument(1).strResult).AsString().left(ShortStringLength));
            return;
        }
    Result = TRepEvResult::String(QString());
}

void TVDMEvReformatDateFunction::Calculate() {
    if (!ArgumentsFit("SS")) return;
    const TDateTime date = StrToDate(Argument(0).strResult);
    Result = TRepEvResult::String(FormatDateTime(Argument(1).strResult, date));
}

void TVDMEvStrToIntFunction::Calculate() {
    if (!ArgumentsFit("S")) return;
    Result = TRepEvResult::Int(StrToInt(Argument(0).strResult));
}

void TVDMEvStrToNumFunction::Calculate() {
    if (!ArgumentsFit("S")) return;
    Result = TRepEvResult::Double(StrToFloat(Argument(0).strResult));
}

void TVDMEvGetCaptionFunction::Calculate() {
    if (!ArgumentsFit("S")) return;
    const QString name = Argument(0).strResult;
    // The component found on the last form searched: the search stops at the first with a
    // caption, else ends with whatever the last form holds under that name.
    TComponent *found = nullptr;
    for (TForm *form : Screen::Forms()) {
        found = form->FindComponent(name);
        QObject *object = found ? found->Object() : nullptr;
        if (object && (PropertyExists(object, QStringLiteral("Caption")) || qobject_cast<TRepExpr *>(object))) break;
    }
    if (!found) return;
    QObject *object = found->Object();
    if (const auto *expr = qobject_cast<const TRepExpr *>(object))
        Result = TRepEvResult::String(expr->Caption());
    else
        Result = TRepEvResult::String(GetStringProperty(object, QStringLiteral("Caption")));
}

void RegisterVDMFunctions() {
    static bool done = false;
    if (done) return;
    done = true;
    const QString vendor = QStringLiteral("ZOBL");
    RegisterRepFunction(RepFunctionClass<TVDMEvQueryParamFunction>(), QStringLiteral("QUERYPARAM"),
                        QStringLiteral("QUERYPARAM(<Q>,<P>)|Gets parameter value from a query"), vendor,
                        QStringLiteral("7SS"));
    RegisterRepFunction(RepFunctionClass<TVDMEvReformatDateFunction>(), QStringLiteral("REFORMATDATE"),
                        QStringLiteral("REFORMATDATE(<D>,<F>)|Formats a date (and time)"), vendor,
                        QStringLiteral("7SS"));
    RegisterRepFunction(RepFunctionClass<TVDMEvStrToIntFunction>(), QStringLiteral("STRTOINT"),
                        QStringLiteral("STRTOINT(<X>)|Converts String to Integer"), vendor, QStringLiteral("7S"));
    RegisterRepFunction(RepFunctionClass<TVDMEvStrToNumFunction>(), QStringLiteral("STRTONUM"),
                        QStringLiteral("STRTONUM(<X>)|Converts String to number"), vendor, QStringLiteral("7S"));
    RegisterRepFunction(RepFunctionClass<TVDMEvGetCaptionFunction>(), QStringLiteral("GETCAPTION"),
                        QStringLiteral("GETCAPTION(<S>)|Returns a component''s caption"), vendor,
                        QStringLiteral("7S"));
}
