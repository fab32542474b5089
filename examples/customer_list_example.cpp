// Builds a customer list grouped by country with the report library's API and exports it to
// PDF: the smallest complete example of embedding the report engine.
//   customer_list_example OUTDIR    writes OUTDIR/demodb (the demo database) and
//                                   OUTDIR/customer-list.pdf
#include "demo_database.h"

#include "dblib/query.h"
#include "host/exceptions.h"
#include "host/forms.h"
#include "reportlib/rep_dbtext.h"
#include "reportlib/rep_expr.h"
#include "reportlib/rep_label.h"
#include "reportlib/rep_sysdata.h"
#include "reportlib/report.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

namespace {

// Places an element on a band at a position in millimetres.
template <class T>
T *Place(TForm &form, TRepBand *band, double leftMM, double widthMM = 0) {
    auto *element = new T(&form);
    element->SetParent(band);
    element->SetSizeMM(1, leftMM);
    if (widthMM > 0) element->SetSizeMM(3, widthMM);
    return element;
}

TRepBand *AddBand(TForm &form, TReport *report, TRepBandType type, double heightMM) {
    auto *band = new TRepBand(&form);
    band->SetParent(report);
    band->SetBandType(type);
    band->SetSizeMM(0, heightMM);
    return band;
}

TRepDBText *Field(TForm &form, TRepBand *band, TDataSet *data, const QString &field, double leftMM) {
    auto *text = Place<TRepDBText>(form, band, leftMM);
    text->SetDataSet(data);
    text->SetDataField(field);
    return text;
}

}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: customer_list_example OUTDIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    try {
        QDir().mkpath(out.path());
        DemoDatabase::Create(out.filePath(QStringLiteral("demodb")));

        TForm form;
        auto *report = new TReport(&form);
        report->setParent(&form);
        report->SetReportTitle(QStringLiteral("Customers by country"));
        report->Font()->SetName(QStringLiteral("Liberation Sans"));
        report->Font()->SetSize(10);

        auto *customers = new TQuery(&form);
        customers->SetName(QStringLiteral("Customers"));
        customers->SetDatabaseName(QStringLiteral("DEMODB"));
        customers->SQL()->SetText(QStringLiteral("SELECT * FROM \"customer.db\" ORDER BY Country, Company"));
        report->SetDataSet(customers);

        auto *title = Place<TRepSysData>(form, AddBand(form, report, rbTitle, 12), 0, 120);
        title->SetData(TRepSysData::sdReportTitle);
        title->Font()->SetSize(16);

        auto *group = new TRepGroup(&form);
        group->SetParent(report);
        group->SetSizeMM(0, 8);
        group->SetExpression(QStringLiteral("Country"));
        Field(form, group, customers, QStringLiteral("Country"), 0)->Font()->SetStyle(fsBold);

        TRepBand *detail = AddBand(form, report, rbDetail, 5);
        Field(form, detail, customers, QStringLiteral("CustNo"), 5);
        Field(form, detail, customers, QStringLiteral("Company"), 25);
        Field(form, detail, customers, QStringLiteral("City"), 100);

        TRepBand *groupFooter = AddBand(form, report, rbGroupFooter, 8);
        group->SetFooterBand(groupFooter);
        auto *count = Place<TRepExpr>(form, groupFooter, 25, 80);
        count->SetExpression(QStringLiteral("'Customers: ' + STR(COUNT)"));
        count->SetResetAfterPrint(true);

        auto *total = Place<TRepExpr>(form, AddBand(form, report, rbSummary, 10), 0, 100);
        total->SetExpression(QStringLiteral("'All customers: ' + STR(COUNT)"));
        auto *page = Place<TRepSysData>(form, AddBand(form, report, rbPageFooter, 8), 160, 30);
        page->SetData(TRepSysData::sdPageNumber);

        const QString pdf = out.filePath(QStringLiteral("customer-list.pdf"));
        report->ExportToPdf(pdf);
        std::printf("%s\n", qPrintable(QDir::toNativeSeparators(QFileInfo(pdf).absoluteFilePath())));
    } catch (const Exception &e) {
        std::fprintf(stderr, "customer_list_example: %s\n", e.what());
        return 1;
    }
    return 0;
}
