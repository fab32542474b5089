// The demo reports as the vendamo tool renders them from the files made at build time, checked
// page by page against what the demo database holds.
#include "demo_database.h"
#include "demo_reports.h"
#include "host/scripted_interaction.h"
#include "test_paths.h"

#include <QDir>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

#include <gtest/gtest.h>
#include <cmath>

namespace {

// The demo database, written once for the whole program, and a connection to its database
// file for the expected values.
class TDemoData {
public:
    TDemoData() {
        FTables = DemoDatabase::Create(FDir.Path());
        FDb = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("demo_reports_expected"));
        FDb.setDatabaseName(QDir(FDir.Path()).filePath(QStringLiteral("demo.sqlite")));
        FDb.open();
    }
    const QString &Tables() const { return FTables; }
    // The rows of a statement, each as a list of values.
    QList<QVariantList> Rows(const QString &sql) {
        QList<QVariantList> rows;
        QSqlQuery q(FDb);
        EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
        while (q.next()) {
            QVariantList row;
            for (int i = 0; i < q.record().count(); ++i) row << q.value(i);
            rows << row;
        }
        return rows;
    }

private:
    TestDir FDir;
    QString FTables;
    QSqlDatabase FDb;
};

TDemoData &Data() {
    static TDemoData data;
    return data;
}

QString Money(double value) { return QString::number(value, 'f', 2); }

// Renders a demo report with the tool and gives the text of every page.
QStringList RenderPages(const QString &report) {
    TestDir out;
    const QString pdf = out.Path(QStringLiteral("out.pdf"));
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("VENDAMO_ALIASES"));
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral(VENDAMO_BIN), {QStringLiteral("render"), QDir(QStringLiteral(DEMO_REPORTS_DIR)).filePath(report),
                                             QStringLiteral("-o"), pdf, QStringLiteral("--alias"),
                                             QStringLiteral("DEMODB=") + Data().Tables()});
    tool.closeWriteChannel();
    if (!tool.waitForFinished(60000)) {
        tool.kill();
        tool.waitForFinished();
        ADD_FAILURE() << report.toStdString() << " did not finish";
        return {};
    }
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    text.waitForFinished(60000);
    QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
    return pages;
}

QStringList Lines(const QString &page) { return page.split(QLatin1Char('\n')); }

// The cells of a layout line: texts separated by two or more spaces.
QStringList Cells(const QString &line) {
    static const QRegularExpression gap(QStringLiteral("\\s{2,}"));
    return line.trimmed().split(gap, Qt::SkipEmptyParts);
}

bool HasLine(const QString &page, const QString &pattern) {
    return QRegularExpression(pattern, QRegularExpression::MultilineOption).match(page).hasMatch();
}

QString Quoted(const QString &text) { return QRegularExpression::escape(text); }

TEST(DemoReports, CustomerListGroupsCountriesWithTheirCountsAndSales) {
    // Expected groups: customers and the sum of their orders' totals, per country.
    struct TGroup {
        int Count = 0;
        double Sales = 0;
    };
    QMap<QString, TGroup> groups;
    QMap<int, QString> countryOf;
    for (const QVariantList &row : Data().Rows(QStringLiteral("SELECT CustNo, Country FROM customer"))) {
        countryOf[row[0].toInt()] = row[1].toString();
        ++groups[row[1].toString()].Count;
    }
    for (const QVariantList &row : Data().Rows(QStringLiteral("SELECT CustNo, ItemsTotal FROM orders")))
        groups[countryOf.value(row[0].toInt())].Sales += row[1].toDouble();
    ASSERT_EQ(countryOf.size(), DemoDatabase::kCustomers);

    // The page each country starts on, from the fixed band heights: a band that does not fit
    // above the page footer moves to the next page, below its page and column headers.
    using namespace DemoReports;
    const double bottom = kPrintAreaHeightMM - kListPageFooterMM;
    int page = 1;
    double y = kListPageHeaderMM + kListTitleMM + kListColumnHeaderMM;
    const auto place = [&](double height) {
        if (y + height > bottom + 1e-6) {
            ++page;
            y = kListPageHeaderMM + kListColumnHeaderMM;
        }
        y += height;
        return page;
    };
    QMap<QString, int> startPage;
    for (auto g = groups.cbegin(); g != groups.cend(); ++g) {
        startPage[g.key()] = place(kListGroupHeaderMM);
        for (int i = 0; i < g->Count; ++i) place(kListDetailMM);
        place(kListGroupFooterMM);
    }
    const int pageCount = place(kListSummaryMM);

    const QStringList pages = RenderPages(QStringLiteral("customer-list.QR2"));
    ASSERT_EQ(pages.size(), pageCount);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Customers by country")));
    static const QRegularExpression detail(QStringLiteral("^\\s*\\d{4}\\s"));
    static const QRegularExpression footer(QStringLiteral("Customers: (\\d+)\\s+Country total\\s+([\\d.]+)"));
    auto next = groups.cbegin();
    QString current;
    int details = 0;
    for (int p = 0; p < pages.size(); ++p) {
        EXPECT_TRUE(HasLine(pages[p], QStringLiteral("^\\s+Page %1\\s*$").arg(p + 1))) << "page " << p + 1;
        EXPECT_TRUE(pages[p].contains(QStringLiteral("Vendamo Diving Supplies"))) << "page header on " << p + 1;
        for (const QString &line : Lines(pages[p])) {
            if (next != groups.cend() && line.trimmed() == next.key()) {
                EXPECT_TRUE(current.isEmpty()) << "group " << current.toStdString() << " has no footer";
                current = next.key();
                EXPECT_EQ(p + 1, startPage[current]) << current.toStdString();
                details = 0;
                ++next;
            } else if (detail.match(line).hasMatch()) {
                ++details;
            } else if (const QRegularExpressionMatch m = footer.match(line); m.hasMatch()) {
                ASSERT_FALSE(current.isEmpty()) << "a footer without its group header";
                EXPECT_EQ(m.captured(1).toInt(), groups[current].Count) << current.toStdString();
                EXPECT_EQ(details, groups[current].Count) << current.toStdString();
                EXPECT_EQ(m.captured(2), Money(groups[current].Sales)) << current.toStdString();
                current.clear();
            }
        }
    }
    EXPECT_TRUE(next == groups.cend()) << "missing group " << next.key().toStdString();
    double all = 0;
    for (const TGroup &g : groups) all += g.Sales;
    EXPECT_TRUE(HasLine(pages.last(), QStringLiteral("All customers: %1\\s+Grand total\\s+%2\\s*$")
                                          .arg(DemoDatabase::kCustomers)
                                          .arg(Quoted(Money(all)))))
        << pages.last().toStdString();
}

TEST(DemoReports, InvoicePrintsEachOrderWithItsItemsAndNoFooterOnTheLastPage) {
    const QList<QVariantList> orders = Data().Rows(
        QStringLiteral("SELECT o.OrderNo, c.Company, o.ItemsTotal FROM orders o JOIN customer c ON c.CustNo = o.CustNo "
                       "WHERE o.OrderNo <= %1 ORDER BY o.OrderNo")
            .arg(DemoReports::kInvoiceLastOrderNo));
    ASSERT_GT(orders.size(), 1);
    const QStringList pages = RenderPages(QStringLiteral("invoice.QR2"));
    ASSERT_EQ(pages.size(), orders.size());
    double runTotal = 0;
    for (int p = 0; p < pages.size(); ++p) {
        const QString &page = pages[p];
        const int orderNo = orders[p][0].toInt();
        const double total = orders[p][2].toDouble();
        runTotal += total;
        EXPECT_TRUE(HasLine(page, QStringLiteral("Invoice No\\.\\s+%1\\s*$").arg(orderNo))) << page.toStdString();
        EXPECT_TRUE(HasLine(page, QStringLiteral("^%1\\s").arg(Quoted(orders[p][1].toString())))) << page.toStdString();
        // The items of the order, as the sub-detail lists them, and the totals of its footer.
        const QList<QVariantList> items = Data().Rows(
            QStringLiteral("SELECT i.ItemNo, p.Description, i.Qty FROM items i JOIN parts p ON p.PartNo = i.PartNo "
                           "WHERE i.OrderNo = %1 ORDER BY i.ItemNo")
                .arg(orderNo));
        int quantity = 0;
        for (const QVariantList &item : items) {
            quantity += item[2].toInt();
            EXPECT_TRUE(HasLine(page, QStringLiteral("^%1\\s+\\d+\\s+%2\\s+%3\\s")
                                          .arg(item[0].toInt())
                                          .arg(Quoted(item[1].toString()))
                                          .arg(item[2].toInt())))
                << "order " << orderNo << " item " << item[0].toInt() << "\n" << page.toStdString();
        }
        static const QRegularExpression itemLine(QStringLiteral("^\\d+\\s+\\d{3}\\s"), QRegularExpression::MultilineOption);
        EXPECT_EQ(int(page.count(itemLine)), int(items.size())) << "order " << orderNo;
        EXPECT_TRUE(HasLine(page, QStringLiteral("Items: %1\\s+Order total\\s+%2\\s*$").arg(quantity).arg(Quoted(Money(total)))))
            << page.toStdString();

        const bool last = p + 1 == pages.size();
        EXPECT_EQ(page.contains(QStringLiteral("More invoices follow")), !last) << "page " << p + 1;
        EXPECT_EQ(HasLine(page, QStringLiteral("\\sPage %1\\s*$").arg(p + 1)), !last) << "page " << p + 1;
        EXPECT_EQ(page.contains(QStringLiteral("Invoices in this run")), last) << "page " << p + 1;
    }
    EXPECT_TRUE(HasLine(pages.last(), QStringLiteral("Invoices in this run: %1\\s+Run total\\s+%2\\s*$")
                                          .arg(orders.size())
                                          .arg(Quoted(Money(runTotal)))))
        << pages.last().toStdString();
}

TEST(DemoReports, CustomerFormPrintsOneCardPerPage) {
    const QList<QVariantList> customers = Data().Rows(
        QStringLiteral("SELECT CustNo, Company, City FROM customer ORDER BY CustNo LIMIT %1").arg(DemoReports::kFormCustomers));
    ASSERT_EQ(customers.size(), DemoReports::kFormCustomers);
    const QStringList pages = RenderPages(QStringLiteral("customer-form.QR2"));
    ASSERT_EQ(pages.size(), customers.size());
    static const QRegularExpression numberLine(QStringLiteral("Customer No\\.\\s+(\\d+)\\s*$"),
                                               QRegularExpression::MultilineOption);
    for (int p = 0; p < pages.size(); ++p) {
        const QString &page = pages[p];
        QStringList numbers;
        for (auto it = numberLine.globalMatch(page); it.hasNext();) numbers << it.next().captured(1);
        EXPECT_EQ(numbers, QStringList{customers[p][0].toString()}) << "page " << p + 1;
        EXPECT_TRUE(HasLine(page, QStringLiteral("Company\\s+%1\\s*$").arg(Quoted(customers[p][1].toString()))))
            << page.toStdString();
        EXPECT_TRUE(HasLine(page, QStringLiteral("City\\s+%1\\s*$").arg(Quoted(customers[p][2].toString()))))
            << page.toStdString();
        EXPECT_TRUE(HasLine(page, QStringLiteral("\\sPage %1\\s*$").arg(p + 1))) << page.toStdString();
    }
}

TEST(DemoReports, LabelsFillTheColumnsOfEveryPageTopToBottom) {
    QStringList companies;
    for (const QVariantList &row : Data().Rows(QStringLiteral("SELECT Company FROM customer ORDER BY CustNo")))
        companies << row[0].toString();
    ASSERT_EQ(companies.size(), DemoDatabase::kCustomers);
    using namespace DemoReports;
    const int rows = int(std::floor(kPrintAreaHeightMM / kLabelHeightMM));
    const int perPage = rows * kLabelColumns;
    const QStringList pages = RenderPages(QStringLiteral("labels.QR2"));
    ASSERT_EQ(pages.size(), (companies.size() + perPage - 1) / perPage);
    // A column is filled before the next one starts: row r of a page holds the labels r,
    // r + rows, r + 2 * rows ... of that page, side by side on one line.
    for (int p = 0; p < pages.size(); ++p) {
        QList<QStringList> lines;
        for (const QString &line : Lines(pages[p])) lines << Cells(line);
        for (int r = 0; r < rows; ++r) {
            QStringList expected;
            for (int c = 0; c < kLabelColumns; ++c)
                if (const int i = p * perPage + c * rows + r; i < companies.size()) expected << companies[i];
            if (expected.isEmpty()) continue;
            EXPECT_TRUE(lines.contains(expected)) << "page " << p + 1 << " row " << r + 1 << ": "
                                                   << expected.join(QStringLiteral(" | ")).toStdString() << "\n"
                                                   << pages[p].toStdString();
        }
    }
}

TEST(DemoReports, WritingStopsAtTheFirstFileThatCannotBeWritten) {
    TScriptedInteraction ui;
    TestDir dir;
    WriteWholeFile(dir.Path(QStringLiteral("blocker")), "a file, not a directory");
    QString error;
    EXPECT_TRUE(DemoReports::WriteAll(dir.Path(QStringLiteral("blocker/reports")), &error).isEmpty());
    EXPECT_TRUE(error.contains(QStringLiteral("blocker/reports"))) << error.toStdString();

    // A directory in the place of the second file: the first is written, the second reported.
    const QString reports = dir.Path(QStringLiteral("reports"));
    QDir().mkpath(QDir(reports).filePath(DemoReports::FileNames()[1]));
    const QStringList written = DemoReports::WriteAll(reports, &error);
    EXPECT_EQ(written, QStringList{QDir(reports).filePath(DemoReports::FileNames()[0])});
    EXPECT_TRUE(error.contains(DemoReports::FileNames()[1])) << error.toStdString();
    EXPECT_FALSE(ui.Errors().isEmpty());
    EXPECT_TRUE(QFileInfo(QDir(reports).filePath(DemoReports::FileNames()[1])).isDir());
}

}  // namespace
