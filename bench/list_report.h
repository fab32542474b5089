#pragma once
// The list of the list workload as a report: captions and a rule in the header band, the five
// columns as data texts in the detail band, the page number in the page footer, count and sum
// in the summary. The element classes are parameters, so that the report library's own classes
// and the designable ones build the same layout.
#include "list_workload.h"

#include "dblib/query.h"
#include "host/font.h"
#include "reportlib/rep_band.h"
#include "reportlib/rep_printable.h"
#include "reportlib/rep_shape.h"
#include "reportlib/rep_sysdata.h"
#include "reportlib/report.h"

struct TListReportBands {
    TRepBand *Header = nullptr;
    TRepBand *Detail = nullptr;
    TRepBand *Footer = nullptr;
    TRepBand *Summary = nullptr;
};

template <class Band, class Label, class DBText, class Expr, class Shape, class SysData>
class TListReportBuilder {
public:
    TListReportBuilder(TComponent *owner, TReport *report) : FOwner(owner), FReport(report) {}

    // Points query at the rows of dbFile (read forward only) and builds the list on the report;
    // headerType is the band type of the captions.
    TListReportBands Build(TQuery *query, const QString &dbFile, TRepBand::TRepBandType headerType) {
        using namespace ListWorkload;
        FReport->Font()->SetName(QStringLiteral("Liberation Sans"));
        FReport->Font()->SetSize(9);
        query->SetName(QStringLiteral("Orders"));
        query->SetDatabaseName(dbFile);
        query->SQL()->SetText(QString::fromLatin1(Sql));
        query->SetUniDirectional(true);
        FReport->SetDataSet(query);

        TListReportBands b;
        b.Header = AddBand(headerType, 8);
        for (int i = 0; i < 5; ++i) {
            auto *l = Place(new Label(FOwner), b.Header, ColX[i], 0, ColW[i], 6);
            l->SetAutoSize(false);
            l->SetCaption(QString::fromLatin1(Captions[i]));
            l->SetAlignment(i == 0 || i == 4 ? taRightJustify : taLeftJustify);
            l->Font()->SetStyle(fsBold);
        }
        Line(b.Header, 6.85);
        b.Detail = AddBand(TRepBand::rbDetail, 5);
        for (int i = 0; i < 5; ++i) {
            auto *t = new DBText(FOwner);
            t->StoreAutoSize(false);  // fixed columns
            Place(t, b.Detail, ColX[i], 0, ColW[i], 5);
            t->SetDataSet(query);
            t->SetDataField(QString::fromLatin1(Fields[i]));
            t->SetAlignment(i == 0 || i == 4 ? taRightJustify : taLeftJustify);
            if (i == 3) t->SetMask(QStringLiteral("dd.mm.yyyy"));
            if (i == 4) t->SetMask(QStringLiteral("#,##0.00"));
        }
        b.Footer = AddBand(TRepBand::rbPageFooter, 8);
        auto *pageNo = Place(new SysData(FOwner), b.Footer, 0, 1, 60, 6);
        pageNo->SetData(TRepSysData::sdPageNumber);
        pageNo->SetText(QStringLiteral("Page "));
        b.Summary = AddBand(TRepBand::rbSummary, 12);
        Line(b.Summary, 1);
        auto *count = Place(new Expr(FOwner), b.Summary, 0, 2, 100, 6);
        count->SetExpression(QStringLiteral("'Count ' + STR(COUNT)"));
        auto *sum = new Expr(FOwner);
        sum->StoreAutoSize(false);
        Place(sum, b.Summary, 100, 2, 90, 6);
        sum->SetExpression(QStringLiteral("SUM(amount)"));
        sum->SetMask(QStringLiteral("#,##0.00"));
        sum->SetAlignment(taRightJustify);
        return b;
    }

private:
    Band *AddBand(TRepBand::TRepBandType type, double heightMM) {
        auto *band = new Band(FOwner);
        band->SetBandType(type);
        band->SetHeightMM(heightMM);
        band->SetParent(FReport);
        return band;
    }
    template <class T>
    T *Place(T *e, TRepBand *band, double x, double y, double w, double h) {
        e->SetParent(band);
        e->SetSizeMM(1, x);
        e->SetSizeMM(2, y);
        e->SetSizeMM(3, w);
        e->SetSizeMM(0, h);
        e->SetTransparent(true);
        return e;
    }
    void Line(TRepBand *band, double y) {
        Place(new Shape(FOwner), band, 0, y, 190, 0.3)->SetShape(TRepShape::stHorLine);
    }

    TComponent *FOwner;
    TReport *FReport;
};
