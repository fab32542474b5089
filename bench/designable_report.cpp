#include "designable_report.h"

#include "list_workload.h"

#include "dblib/data_source.h"
#include "dblib/query.h"
#include "model/vendamo_picture_elements.h"
#include "model/vendamo_text_elements.h"

using namespace ListWorkload;

namespace {

// The band types of a realistic report, repeated to make up the 20 bands.
const TRepBand::TRepBandType BandTypes[] = {
    TRepBand::rbTitle,     TRepBand::rbPageHeader,  TRepBand::rbColumnHeader, TRepBand::rbGroupHeader,
    TRepBand::rbDetail,    TRepBand::rbGroupFooter, TRepBand::rbSummary,      TRepBand::rbPageFooter,
};

// Which element kind the k-th element of a band is: out of every 50, 15 labels, 13 data texts,
// 10 expressions, 6 shapes, 5 system data and 1 memo.
enum Kind { kLabel, kDBText, kExpr, kShape, kSysData, kMemo };
Kind KindOf(int k) {
    const int m = k % 50;
    if (m < 15) return kLabel;
    if (m < 28) return kDBText;
    if (m < 38) return kExpr;
    if (m < 44) return kShape;
    if (m < 49) return kSysData;
    return kMemo;
}

}  // namespace

void BuildDesignableReport(TBenchReportForm &f, const QString &dbFile) {
    TDesignReport *r = f.Report;
    r->SetReportTitle(QStringLiteral("Orders by customer"));
    r->Font()->SetName(QStringLiteral("Liberation Sans"));
    r->Font()->SetSize(9);
    auto *query = new TQuery(f.Form.get());
    query->SetName(QStringLiteral("Orders"));
    query->SetDatabaseName(dbFile);
    query->SQL()->SetText(QString::fromLatin1(Sql));
    auto *source = new TDataSource(f.Form.get());
    source->SetName(QStringLiteral("OrdersSource"));
    source->SetDataSet(query);
    r->SetDataSet(query);

    static const char *const expressions[] = {"SUM(amount)", "'Count ' + STR(COUNT)",
                                              "Orders.customer + ', ' + Orders.city", "MAX(amount) - MIN(amount)"};
    static const char *const masks[] = {"", "", "", "dd.mm.yyyy", "#,##0.00"};
    const TRepSysData::TRepSysDataType sysData[] = {TRepSysData::sdPageNumber, TRepSysData::sdDate,
                                                   TRepSysData::sdReportTitle, TRepSysData::sdDetailNo};
    for (int b = 0; b < kBands; ++b) {
        TVendamoBand *band = f.AddBand(BandTypes[b % std::size(BandTypes)], 52);
        for (int k = 0; k < kElementsPerBand; ++k) {
            const double x = (k % 10) * 19, y = (k / 10) * 5.2;
            const int n = b * kElementsPerBand + k;
            switch (KindOf(k)) {
            case kLabel: {
                auto *l = f.Add<TVendamoLabel>(band, x, y, 18, 5);
                l->SetAutoSize(false);
                l->SetCaption(QStringLiteral("Caption %1").arg(n));
                if (k % 3 == 0) l->Font()->SetStyle(fsBold);
                if (k % 4 == 0) l->SetAlignment(taRightJustify);
                break;
            }
            case kDBText: {
                auto *t = f.Add<TVendamoDBText>(band, x, y, 18, 5);
                t->SetDataSet(query);
                t->SetDataField(QString::fromLatin1(Fields[k % 5]));
                t->SetMask(QString::fromLatin1(masks[k % 5]));
                t->SetSuppressRepeatedValues(k % 7 == 0);
                break;
            }
            case kExpr: {
                auto *e = f.Add<TVendamoExpr>(band, x, y, 18, 5);
                e->SetExpression(QString::fromLatin1(expressions[k % std::size(expressions)]));
                if (k % 2 == 0) e->SetMask(QStringLiteral("#,##0.00"));
                break;
            }
            case kShape: {
                auto *s = f.Add<TVendamoShape>(band, x, y, 18, 5);
                s->SetShape(k % 2 == 0 ? TRepShape::stHorLine : TRepShape::stRectangle);
                break;
            }
            case kSysData: {
                auto *s = f.Add<TVendamoSysdata>(band, x, y, 18, 5);
                s->SetData(sysData[k % std::size(sysData)]);
                s->SetText(QStringLiteral("Page "));
                break;
            }
            case kMemo: {
                auto *m = f.Add<TVendamoMemo>(band, x, y, 18, 5);
                m->Lines()->SetStringList({QStringLiteral("Customer: {Orders.customer}"),
                                           QStringLiteral("City: {Orders.city}"), QStringLiteral("Thank you.")});
                break;
            }
            }
        }
    }
}

