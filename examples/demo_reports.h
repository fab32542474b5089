#pragma once
// The demo reports: four report files built through the designable report model and saved with
// the report writer. Their datasets name the database alias DEMODB, so a file renders wherever
// that alias leads to the demo database's table files.
//
//   customer-list.QR2  customers grouped by country, with counts and sales per country
//   invoice.QR2        a few orders, one per page, with their items as a sub-detail
//   customer-form.QR2  one customer card per page
//   labels.QR2         address labels in three columns
//
// The layout figures below are shared with the tests, which derive page counts from them and
// from the data.
#include <QString>
#include <QStringList>
#include <memory>

class TForm;
class TDesignReport;
class TReportPrintForm;
class TVDMLoader;

namespace DemoReports {

// Every report: A4 portrait with 10 mm margins, so the print area is 190 x 277 mm.
constexpr double kPrintAreaHeightMM = 277;

// customer-list.QR2: band heights in mm.
constexpr double kListTitleMM = 14;
constexpr double kListPageHeaderMM = 8;
constexpr double kListColumnHeaderMM = 7;
constexpr double kListGroupHeaderMM = 9;
constexpr double kListDetailMM = 6;
constexpr double kListGroupFooterMM = 9;
constexpr double kListSummaryMM = 14;
constexpr double kListPageFooterMM = 8;

// invoice.QR2: the orders OrderNo <= kInvoiceLastOrderNo, each on a page of its own.
constexpr int kInvoiceLastOrderNo = 1006;

// customer-form.QR2: the first kFormCustomers customers by CustNo.
constexpr int kFormCustomers = 10;

// labels.QR2: columns across the page and the height of one label.
constexpr int kLabelColumns = 3;
constexpr double kLabelHeightMM = 30;

// A report form as applications load one (the print form): the form owning everything, its
// report, and the loader the writer saves through.
class TDemoReportForm {
public:
    TDemoReportForm();
    ~TDemoReportForm();
    TDemoReportForm(const TDemoReportForm &) = delete;
    TDemoReportForm &operator=(const TDemoReportForm &) = delete;

    TForm *Form() const;
    TDesignReport *Report() const;
    TVDMLoader *Loader() const;
    // Writes the report file with its datasets; false when the writer reports a failure.
    bool Save(const QString &fileName);

private:
    std::unique_ptr<TReportPrintForm> FForm;
};

void BuildCustomerList(TDemoReportForm &form);
void BuildInvoice(TDemoReportForm &form);
void BuildCustomerForm(TDemoReportForm &form);
void BuildLabels(TDemoReportForm &form);

// The file names of the demo reports, in the order above.
QStringList FileNames();

// Builds every demo report and saves it into directory (created when missing). Returns the
// files written; on failure error says which file failed and the list stops there.
QStringList WriteAll(const QString &directory, QString *error = nullptr);

}  // namespace DemoReports
