#include "demo_reports.h"

#include "dialogs/report_print_form.h"

#include "dblib/data_source.h"
#include "dblib/query.h"
#include "host/forms.h"
#include "model/design_report.h"
#include "model/loader.h"
#include "model/vendamo_bands.h"
#include "model/vendamo_picture_elements.h"
#include "model/vendamo_text_elements.h"
#include "persist/report_writer.h"

#include <QDir>

namespace DemoReports {

namespace {

const QString kAlias = QStringLiteral("DEMODB");

// Builds bands and elements on one report form; every position and size is in mm.
class TBuilder {
public:
    explicit TBuilder(TDemoReportForm &form) : FOwner(form.Form()), FReport(form.Report()) {}

    void Page(const QString &title) {
        FReport->SetUnits(ruMM);
        FReport->SetReportTitle(title);
        FReport->Page()->SetPaperSize(psA4);
        FReport->Font()->SetName(QStringLiteral("Liberation Sans"));
        FReport->Font()->SetSize(10);
    }

    // A query on the alias with its data source (given back through source when asked).
    TQuery *Query(const QString &name, const QString &sql, TDataSource **source = nullptr) {
        auto *query = new TQuery(FOwner);
        query->SetName(name);
        query->SetDatabaseName(kAlias);
        query->SQL()->SetText(sql);
        auto *own = new TDataSource(FOwner);
        own->SetName(name + QStringLiteral("Source"));
        own->SetDataSet(query);
        if (source) *source = own;
        return query;
    }

    TVendamoBand *Band(const QString &name, TRepBandType type, double heightMM) {
        auto *band = Named<TVendamoBand>(name, FReport);
        band->SetBandType(type);
        band->SetSizeValue(0, heightMM);
        return band;
    }

    template <class T>
    T *Named(const QString &name, QWidget *parent) {
        auto *component = new T(FOwner);
        component->SetName(name);
        component->SetParent(parent);
        return component;
    }

    template <class T>
    T *Element(const QString &name, QWidget *band, double left, double top, double width, double height = 5) {
        T *element = Named<T>(name, band);
        element->SetSizeValue(1, left);
        element->SetSizeValue(2, top);
        element->SetSizeValue(3, width);
        element->SetSizeValue(0, height);
        return element;
    }

    TVendamoLabel *Label(const QString &name, QWidget *band, const QString &caption, double left, double top,
                         double width, bool bold = false) {
        auto *label = Element<TVendamoLabel>(name, band, left, top, width);
        label->SetAutoSize(false);
        label->SetCaption(caption);
        if (bold) label->Font()->SetStyle(fsBold);
        return label;
    }

    TVendamoDBText *Field(const QString &name, QWidget *band, TDataSet *data, const QString &field, double left,
                          double top, double width) {
        auto *text = Element<TVendamoDBText>(name, band, left, top, width);
        text->SetAutoSize(false);
        text->SetDataSet(data);
        text->SetDataField(field);
        return text;
    }

    // An amount with two decimals, right-aligned in its column.
    TVendamoDBText *Amount(const QString &name, QWidget *band, TDataSet *data, const QString &field, double left,
                           double top, double width) {
        TVendamoDBText *text = Field(name, band, data, field, left, top, width);
        text->SetMask(QStringLiteral("0.00"));
        text->SetAlignment(taRightJustify);
        return text;
    }

    // An expression; aggregates over master's records (null: the report's) start again after
    // each print when reset is set.
    TVendamoExpr *Expr(const QString &name, QWidget *band, const QString &expression, double left, double top,
                       double width, QWidget *master = nullptr, bool reset = false) {
        auto *expr = Element<TVendamoExpr>(name, band, left, top, width);
        expr->SetAutoSize(false);
        expr->SetExpression(expression);
        expr->SetMaster(master ? master : FReport);
        expr->SetResetAfterPrint(reset);
        return expr;
    }

    TVendamoExpr *Total(const QString &name, QWidget *band, const QString &expression, double left, double top,
                        double width, QWidget *master = nullptr, bool reset = false) {
        TVendamoExpr *expr = Expr(name, band, expression, left, top, width, master, reset);
        expr->SetMask(QStringLiteral("0.00"));
        expr->SetAlignment(taRightJustify);
        return expr;
    }

    TVendamoSysdata *System(const QString &name, QWidget *band, TRepSysData::TRepSysDataType data,
                            const QString &text, double left, double top, double width) {
        auto *sys = Element<TVendamoSysdata>(name, band, left, top, width);
        sys->SetAutoSize(false);
        sys->SetData(data);
        sys->SetText(text);
        return sys;
    }

    // "Page n" at the right end of a band.
    TVendamoSysdata *PageNumber(QWidget *band, double top) {
        TVendamoSysdata *page = System(QStringLiteral("PageNumber"), band, TRepSysData::sdPageNumber,
                                       QStringLiteral("Page "), 150, top, 40);
        page->SetAlignment(taRightJustify);
        return page;
    }

    TDesignReport *Report() const { return FReport; }

private:
    TComponent *FOwner;
    TDesignReport *FReport;
};

}  // namespace

TDemoReportForm::TDemoReportForm() : FForm(std::make_unique<TReportPrintForm>()) {}

TDemoReportForm::~TDemoReportForm() = default;

TForm *TDemoReportForm::Form() const { return FForm.get(); }
TDesignReport *TDemoReportForm::Report() const { return FForm->DesignReport(); }
TVDMLoader *TDemoReportForm::Loader() const { return FForm->VDMLoader1(); }

bool TDemoReportForm::Save(const QString &fileName) { return Save_Report(Loader(), Form(), fileName, nullptr); }

void BuildCustomerList(TDemoReportForm &form) {
    TBuilder b(form);
    b.Page(QStringLiteral("Customers by country"));
    // Each customer with the total of its orders.
    TQuery *customers = b.Query(
        QStringLiteral("Customers"),
        QStringLiteral("SELECT c.CustNo, c.Company, c.City, c.Country,\n"
                       "  COALESCE((SELECT SUM(o.ItemsTotal) FROM \"orders.db\" o WHERE o.CustNo = c.CustNo), 0) AS Sales\n"
                       "FROM \"customer.db\" c\n"
                       "ORDER BY c.Country, c.Company"));
    b.Report()->SetDataSet(customers);

    TVendamoBand *title = b.Band(QStringLiteral("TitleBand"), rbTitle, kListTitleMM);
    TVendamoSysdata *titleText = b.System(QStringLiteral("TitleText"), title, TRepSysData::sdReportTitle, QString(), 0, 2, 190);
    titleText->SetSizeValue(0, 9);
    titleText->Font()->SetSize(16);
    titleText->Font()->SetStyle(fsBold);

    TVendamoBand *pageHeader = b.Band(QStringLiteral("PageHeaderBand"), rbPageHeader, kListPageHeaderMM);
    b.Label(QStringLiteral("Letterhead"), pageHeader, QStringLiteral("Vendamo Diving Supplies"), 0, 1, 100);

    TVendamoBand *columns = b.Band(QStringLiteral("ColumnHeaderBand"), rbColumnHeader, kListColumnHeaderMM);
    columns->Frame()->SetDrawBottom(true);
    b.Label(QStringLiteral("NoHeading"), columns, QStringLiteral("No."), 5, 1, 15, true);
    b.Label(QStringLiteral("CompanyHeading"), columns, QStringLiteral("Company"), 25, 1, 70, true);
    b.Label(QStringLiteral("CityHeading"), columns, QStringLiteral("City"), 100, 1, 45, true);
    b.Label(QStringLiteral("SalesHeading"), columns, QStringLiteral("Sales"), 150, 1, 40, true)->SetAlignment(taRightJustify);

    auto *group = b.Named<TVendamoGroup>(QStringLiteral("CountryGroup"), b.Report());
    group->SetExpression(QStringLiteral("Customers.Country"));
    group->SetSizeValue(0, kListGroupHeaderMM);
    group->SetMaster(b.Report());
    TVendamoDBText *country = b.Field(QStringLiteral("CountryText"), group, customers, QStringLiteral("Country"), 0, 2, 100);
    country->Font()->SetStyle(fsBold);

    TVendamoBand *detail = b.Band(QStringLiteral("DetailBand"), rbDetail, kListDetailMM);
    b.Field(QStringLiteral("CustNoText"), detail, customers, QStringLiteral("CustNo"), 5, 0.5, 15);
    b.Field(QStringLiteral("CompanyText"), detail, customers, QStringLiteral("Company"), 25, 0.5, 70);
    b.Field(QStringLiteral("CityText"), detail, customers, QStringLiteral("City"), 100, 0.5, 45);
    b.Amount(QStringLiteral("SalesText"), detail, customers, QStringLiteral("Sales"), 150, 0.5, 40);

    TVendamoBand *groupFooter = b.Band(QStringLiteral("CountryFooterBand"), rbGroupFooter, kListGroupFooterMM);
    group->SetFooterBand(groupFooter);
    groupFooter->Frame()->SetDrawTop(true);
    b.Expr(QStringLiteral("CountryCount"), groupFooter, QStringLiteral("'Customers: ' + STR(COUNT)"), 25, 1.5, 70,
           nullptr, true);
    b.Label(QStringLiteral("CountryTotalLabel"), groupFooter, QStringLiteral("Country total"), 100, 1.5, 45);
    b.Total(QStringLiteral("CountryTotal"), groupFooter, QStringLiteral("SUM(Customers.Sales)"), 150, 1.5, 40,
            nullptr, true);

    TVendamoBand *summary = b.Band(QStringLiteral("SummaryBand"), rbSummary, kListSummaryMM);
    summary->Frame()->SetDrawTop(true);
    b.Expr(QStringLiteral("AllCustomers"), summary, QStringLiteral("'All customers: ' + STR(COUNT)"), 25, 3, 70)
        ->Font()->SetStyle(fsBold);
    b.Label(QStringLiteral("GrandTotalLabel"), summary, QStringLiteral("Grand total"), 100, 3, 45, true);
    b.Total(QStringLiteral("GrandTotal"), summary, QStringLiteral("SUM(Customers.Sales)"), 150, 3, 40)
        ->Font()->SetStyle(fsBold);

    TVendamoBand *pageFooter = b.Band(QStringLiteral("PageFooterBand"), rbPageFooter, kListPageFooterMM);
    b.PageNumber(pageFooter, 2);
}

void BuildInvoice(TDemoReportForm &form) {
    TBuilder b(form);
    b.Page(QStringLiteral("Invoices"));
    TDataSource *ordersSource = nullptr;
    TQuery *orders = b.Query(
        QStringLiteral("Orders"),
        QStringLiteral("SELECT o.OrderNo, o.SaleDate, o.ShipVia, o.PaymentMethod, o.ItemsTotal,\n"
                       "  c.CustNo, c.Company, c.Addr1, c.City, c.Country\n"
                       "FROM \"orders.db\" o JOIN \"customer.db\" c ON c.CustNo = o.CustNo\n"
                       "WHERE o.OrderNo <= %1\n"
                       "ORDER BY o.OrderNo")
            .arg(kInvoiceLastOrderNo),
        &ordersSource);
    b.Report()->SetDataSet(orders);
    // The items of the current order: the parameter takes OrderNo from the orders' record.
    TQuery *items = b.Query(
        QStringLiteral("Items"),
        QStringLiteral("SELECT i.ItemNo, i.PartNo, p.Description, i.Qty, p.ListPrice, i.Discount,\n"
                       "  ROUND(i.Qty * p.ListPrice * (100 - i.Discount)) / 100.0 AS Amount\n"
                       "FROM \"items.db\" i JOIN \"parts.db\" p ON p.PartNo = i.PartNo\n"
                       "WHERE i.OrderNo = :OrderNo\n"
                       "ORDER BY i.ItemNo"));
    items->ParamByName(QStringLiteral("OrderNo")).SetDataType(ftInteger);
    items->SetDataSource(ordersSource);

    TVendamoBand *pageHeader = b.Band(QStringLiteral("PageHeaderBand"), rbPageHeader, 16);
    TVendamoLabel *letterhead =
        b.Label(QStringLiteral("Letterhead"), pageHeader, QStringLiteral("Vendamo Diving Supplies"), 0, 1, 120);
    letterhead->SetSizeValue(0, 8);
    letterhead->Font()->SetSize(14);
    letterhead->Font()->SetStyle(fsBold);
    b.Label(QStringLiteral("InvoiceHeading"), pageHeader, QStringLiteral("INVOICE"), 130, 1, 60, true)
        ->SetAlignment(taRightJustify);
    pageHeader->Frame()->SetDrawBottom(true);

    // One order per page: the order band starts a new page for every order after the first.
    TVendamoBand *order = b.Band(QStringLiteral("OrderBand"), rbDetail, 42);
    order->SetForceNewPage(true);
    b.Label(QStringLiteral("OrderNoLabel"), order, QStringLiteral("Invoice No."), 120, 4, 30);
    b.Field(QStringLiteral("OrderNoText"), order, orders, QStringLiteral("OrderNo"), 155, 4, 35);
    b.Label(QStringLiteral("SaleDateLabel"), order, QStringLiteral("Date"), 120, 10, 30);
    b.Field(QStringLiteral("SaleDateText"), order, orders, QStringLiteral("SaleDate"), 155, 10, 35);
    b.Label(QStringLiteral("ShipViaLabel"), order, QStringLiteral("Ship via"), 120, 16, 30);
    b.Field(QStringLiteral("ShipViaText"), order, orders, QStringLiteral("ShipVia"), 155, 16, 35);
    b.Label(QStringLiteral("PaymentLabel"), order, QStringLiteral("Payment"), 120, 22, 30);
    b.Field(QStringLiteral("PaymentText"), order, orders, QStringLiteral("PaymentMethod"), 155, 22, 35);
    b.Label(QStringLiteral("BillToLabel"), order, QStringLiteral("Bill to"), 0, 4, 60, true);
    b.Field(QStringLiteral("CompanyText"), order, orders, QStringLiteral("Company"), 0, 10, 100);
    b.Field(QStringLiteral("AddressText"), order, orders, QStringLiteral("Addr1"), 0, 16, 100);
    b.Field(QStringLiteral("CityText"), order, orders, QStringLiteral("City"), 0, 22, 100);
    b.Field(QStringLiteral("CountryText"), order, orders, QStringLiteral("Country"), 0, 28, 100);

    TVendamoBand *itemsHeader = b.Band(QStringLiteral("ItemsHeaderBand"), rbGroupHeader, 7);
    itemsHeader->Frame()->SetDrawBottom(true);
    b.Label(QStringLiteral("ItemHeading"), itemsHeader, QStringLiteral("Item"), 0, 1, 12, true);
    b.Label(QStringLiteral("PartHeading"), itemsHeader, QStringLiteral("Part"), 14, 1, 14, true);
    b.Label(QStringLiteral("DescriptionHeading"), itemsHeader, QStringLiteral("Description"), 30, 1, 60, true);
    b.Label(QStringLiteral("QtyHeading"), itemsHeader, QStringLiteral("Qty"), 92, 1, 14, true)->SetAlignment(taRightJustify);
    b.Label(QStringLiteral("PriceHeading"), itemsHeader, QStringLiteral("Price"), 108, 1, 25, true)->SetAlignment(taRightJustify);
    b.Label(QStringLiteral("DiscountHeading"), itemsHeader, QStringLiteral("Disc. %"), 135, 1, 20, true)->SetAlignment(taRightJustify);
    b.Label(QStringLiteral("AmountHeading"), itemsHeader, QStringLiteral("Amount"), 157, 1, 33, true)->SetAlignment(taRightJustify);

    auto *itemsBand = b.Named<TVendamoSubdetail>(QStringLiteral("ItemsBand"), b.Report());
    itemsBand->SetDataSet(items);
    itemsBand->SetMaster(b.Report());
    itemsBand->SetHeaderBand(itemsHeader);
    itemsBand->SetSizeValue(0, 6);
    b.Field(QStringLiteral("ItemNoText"), itemsBand, items, QStringLiteral("ItemNo"), 0, 0.5, 12);
    b.Field(QStringLiteral("PartNoText"), itemsBand, items, QStringLiteral("PartNo"), 14, 0.5, 14);
    b.Field(QStringLiteral("DescriptionText"), itemsBand, items, QStringLiteral("Description"), 30, 0.5, 60);
    b.Field(QStringLiteral("QtyText"), itemsBand, items, QStringLiteral("Qty"), 92, 0.5, 14)->SetAlignment(taRightJustify);
    b.Amount(QStringLiteral("PriceText"), itemsBand, items, QStringLiteral("ListPrice"), 108, 0.5, 25);
    b.Field(QStringLiteral("DiscountText"), itemsBand, items, QStringLiteral("Discount"), 135, 0.5, 20)->SetAlignment(taRightJustify);
    b.Amount(QStringLiteral("AmountText"), itemsBand, items, QStringLiteral("Amount"), 157, 0.5, 33);

    TVendamoBand *itemsFooter = b.Band(QStringLiteral("ItemsFooterBand"), rbGroupFooter, 9);
    itemsBand->SetFooterBand(itemsFooter);
    itemsFooter->Frame()->SetDrawTop(true);
    b.Expr(QStringLiteral("ItemCount"), itemsFooter, QStringLiteral("'Items: ' + STR(SUM(Items.Qty))"), 30, 2, 60,
           itemsBand, true);
    b.Label(QStringLiteral("OrderTotalLabel"), itemsFooter, QStringLiteral("Order total"), 108, 2, 45, true);
    b.Total(QStringLiteral("OrderTotal"), itemsFooter, QStringLiteral("SUM(Items.Amount)"), 157, 2, 33, itemsBand, true)
        ->Font()->SetStyle(fsBold);

    TVendamoBand *summary = b.Band(QStringLiteral("SummaryBand"), rbSummary, 12);
    b.Expr(QStringLiteral("OrderCount"), summary, QStringLiteral("'Invoices in this run: ' + STR(COUNT)"), 0, 4, 100);
    b.Label(QStringLiteral("RunTotalLabel"), summary, QStringLiteral("Run total"), 108, 4, 45);
    b.Total(QStringLiteral("RunTotal"), summary, QStringLiteral("SUM(Orders.ItemsTotal)"), 157, 4, 33);

    // Absent on the last page, where the summary prints.
    TVendamoBand *pageFooter = b.Band(QStringLiteral("PageFooterBand"), rbPageFooter, 8);
    pageFooter->SetNotOnLastPage(true);
    b.Label(QStringLiteral("MoreFollow"), pageFooter, QStringLiteral("More invoices follow"), 0, 2, 100);
    b.PageNumber(pageFooter, 2);
}

void BuildCustomerForm(TDemoReportForm &form) {
    TBuilder b(form);
    b.Page(QStringLiteral("Customer cards"));
    TQuery *customers = b.Query(QStringLiteral("Customers"),
                                QStringLiteral("SELECT * FROM \"customer.db\" ORDER BY CustNo LIMIT %1").arg(kFormCustomers));
    b.Report()->SetDataSet(customers);

    // A card taller than half the page, starting a page of its own, so every page holds one.
    TVendamoBand *card = b.Band(QStringLiteral("CardBand"), rbDetail, 150);
    card->SetForceNewPage(true);
    auto *frame = b.Element<TVendamoShape>(QStringLiteral("CardFrame"), card, 0, 0, 190, 140);
    frame->SetShape(TRepShape::stRectangle);
    frame->Brush()->SetStyle(bsClear);
    TVendamoLabel *heading = b.Label(QStringLiteral("CardHeading"), card, QStringLiteral("Customer"), 10, 6, 100);
    heading->SetSizeValue(0, 9);
    heading->Font()->SetSize(16);
    heading->Font()->SetStyle(fsBold);

    struct Row {
        const char *Field;
        const char *Caption;
    };
    const Row rows[] = {{"CustNo", "Customer No."}, {"Company", "Company"}, {"Contact", "Contact"},
                        {"Addr1", "Address"},        {"City", "City"},       {"Country", "Country"},
                        {"Phone", "Phone"},          {"TaxRate", "Tax rate"}, {"LastInvoiceDate", "Last invoice"}};
    double top = 22;
    for (const Row &row : rows) {
        const QString field = QString::fromLatin1(row.Field);
        b.Label(field + QStringLiteral("Label"), card, QString::fromLatin1(row.Caption), 10, top, 40, true);
        b.Field(field + QStringLiteral("Text"), card, customers, field, 55, top, 125);
        top += 9;
    }
    b.Label(QStringLiteral("NotesLabel"), card, QStringLiteral("Notes"), 10, top, 40, true);
    TVendamoDBText *notes = b.Field(QStringLiteral("NotesText"), card, customers, QStringLiteral("Notes"), 55, top, 125);
    notes->SetSizeValue(0, 25);
    notes->SetWordWrap(true);

    TVendamoBand *pageFooter = b.Band(QStringLiteral("PageFooterBand"), rbPageFooter, 8);
    b.Label(QStringLiteral("FooterText"), pageFooter, QStringLiteral("Vendamo Diving Supplies - customer cards"), 0, 2, 120);
    b.PageNumber(pageFooter, 2);
}

void BuildLabels(TDemoReportForm &form) {
    TBuilder b(form);
    b.Page(QStringLiteral("Address labels"));
    b.Report()->Page()->SetColumns(kLabelColumns);
    b.Report()->Page()->SetColumnSpace(5);
    TQuery *customers = b.Query(QStringLiteral("Labels"),
                                QStringLiteral("SELECT CustNo, Company, Contact, Addr1, City, Country FROM \"customer.db\" ORDER BY CustNo"));
    b.Report()->SetDataSet(customers);

    // One label: the detail band fills one column's width and kLabelHeightMM.
    TVendamoBand *label = b.Band(QStringLiteral("LabelBand"), rbDetail, kLabelHeightMM);
    b.Field(QStringLiteral("CompanyText"), label, customers, QStringLiteral("Company"), 3, 3, 55)->Font()->SetStyle(fsBold);
    b.Field(QStringLiteral("ContactText"), label, customers, QStringLiteral("Contact"), 3, 9, 55);
    b.Field(QStringLiteral("AddressText"), label, customers, QStringLiteral("Addr1"), 3, 15, 55);
    b.Expr(QStringLiteral("CityCountry"), label, QStringLiteral("Labels.City + ', ' + UPPER(Labels.Country)"), 3, 21, 55);
}

QStringList FileNames() {
    return {QStringLiteral("customer-list.QR2"), QStringLiteral("invoice.QR2"), QStringLiteral("customer-form.QR2"),
            QStringLiteral("labels.QR2")};
}

QStringList WriteAll(const QString &directory, QString *error) {
    using TBuild = void (*)(TDemoReportForm &);
    const TBuild builders[] = {BuildCustomerList, BuildInvoice, BuildCustomerForm, BuildLabels};
    const QStringList names = FileNames();
    QStringList written;
    if (!QDir().mkpath(directory)) {
        if (error) *error = QStringLiteral("cannot create %1").arg(directory);
        return written;
    }
    for (int i = 0; i < names.size(); ++i) {
        const QString file = QDir(directory).filePath(names[i]);
        TDemoReportForm form;
        builders[i](form);
        if (!form.Save(file)) {
            if (error) *error = QStringLiteral("cannot write %1").arg(file);
            return written;
        }
        written << file;
    }
    return written;
}

}  // namespace DemoReports
