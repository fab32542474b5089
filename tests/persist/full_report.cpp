#include "full_report.h"

#include "demo_database.h"
#include "dblib/data_source.h"
#include "dblib/field_classes.h"
#include "dblib/session.h"
#include "dblib/table.h"
#include "dblib/wiz_query.h"
#include "host/property_access.h"
#include "persist/field_definitions.h"
#include "test_paths.h"

#include <QImage>

const QByteArray FullReportApplicationData("application data \x01\x02\x00\xff", 22);

void DefineDemoAlias() {
    static TestDir dir;
    static const QString tables = DemoDatabase::Create(dir.Path());
    Session().AddAlias(QStringLiteral("PERSISTDEMO"), tables);
}

namespace {

TDataSource *Source(TComponent *owner, TDataSet *dataset) {
    auto *ds = new TDataSource(owner);
    ds->SetName(dataset->Name() + QStringLiteral("Datasource"));
    ds->SetDataSet(dataset);
    return ds;
}

TTable *Table(TComponent *owner, const QString &name, const QString &table) {
    auto *t = new TTable(owner);
    t->SetName(name);
    t->SetDatabaseName(QStringLiteral("PERSISTDEMO"));
    t->SetTableName(table);
    return t;
}

// Persistent data fields first, as the designer's field editor makes them, then the rest.
void PersistentFields(TDataSet *dataset) {
    dataset->Close();
    dataset->UpdateFieldDefs();
    CreateFieldsFromList(dataset, TFieldPropList());
}

}  // namespace

void KeepApplicationData(TReportForm &f, QByteArray &store) {
    f.Designer->SetOnLoadReport(TMethod::FromFunction(
        std::function<void(TStream *)>([&store](TStream *s) { store = s->ReadBytes(s->Remaining()); }), &store));
    f.Designer->OnSaveReport = TMethod::FromFunction(
        std::function<void(TStream *)>([&store](TStream *s) { s->WriteBytes(store); }), &store, &store);
}

void BuildFullReport(TReportForm &f) {
    DefineDemoAlias();
    TComponent *form = f.Form.get();
    TDesignReport *r = f.Report;
    f.Designer->SaveImagesInReportfile = true;
    f.Designer->SetSaveLoadPrinterSetup(true);
    f.Designer->OnSaveReport = TMethod::FromFunction(
        std::function<void(TStream *)>([](TStream *s) { s->WriteBytes(FullReportApplicationData); }), &f);

    r->SetReportTitle(QStringLiteral("Customers and their orders — Überblick"));
    r->SetUnits(ruInches);
    r->Page()->SetPaperSize(psCustom);
    r->Page()->SetWidth(8.5);
    r->Page()->SetLength(11);
    r->Page()->SetTopMargin(0.5);
    r->Page()->SetColumns(2);
    r->Page()->SetColumnSpace(0.25);
    r->Page()->SetOrientation(poLandscape);
    r->PrinterSettings()->SetCopies(3);
    r->PrinterSettings()->SetDuplex(true);
    r->PrinterSettings()->SetOutputBin(2);
    r->Description()->SetStringList({QStringLiteral("First line"), QStringLiteral("Second line")});
    r->SetHint(QStringLiteral("The report's hint"));
    r->Frame()->SetDrawTop(true);
    r->Frame()->SetWidth(2);
    r->SetZoom(150);
    r->SetPrintIfEmpty(false);

    // Datasets: customers (calculated field, changed display settings), orders as detail with a
    // lookup field, a query with parameters and a wizard query.
    TTable *customers = Table(form, QStringLiteral("Customers"), QStringLiteral("customer.db"));
    TDataSource *customersSource = Source(form, customers);
    PersistentFields(customers);
    customers->FieldByName(QStringLiteral("Company"))->SetDisplayLabel(QStringLiteral("Company name"));
    customers->FieldByName(QStringLiteral("Notes"))->SetVisible(false);
    SetStringProperty(customers->FieldByName(QStringLiteral("TaxRate")), QStringLiteral("DisplayFormat"),
                      QStringLiteral("0.0%"));
    CreateCalcField(form, customers, QStringLiteral("TaxTwice"), 4, QStringLiteral("0.00"), QStringLiteral("Tax x2"), 0,
                    &TFloatField::staticMetaObject);
    CreateCalcField(form, customers, QStringLiteral("Label"), 0, QString(), QString(), 40,
                    &TStringField::staticMetaObject);
    customers->SetFilter(QStringLiteral("Country = 'Spain'"));
    customers->SetFilterOptions(foCaseInsensitive);
    r->SetDataSet(customers);

    TTable *orders = Table(form, QStringLiteral("Orders"), QStringLiteral("orders.db"));
    orders->SetIndexName(QStringLiteral("ByCustNo"));
    orders->SetMasterFields(QStringLiteral("CustNo"));
    orders->SetMasterSource(customersSource);
    Source(form, orders);
    PersistentFields(orders);
    TField *lookup = CreateCalcField(form, orders, QStringLiteral("CustomerName"), 0, QString(),
                                     QStringLiteral("Customer"), 30, &TStringField::staticMetaObject);
    lookup->SetLookup(true);
    lookup->SetLookupDataSet(customers);
    lookup->SetKeyFields(QStringLiteral("CustNo"));
    lookup->SetLookupKeyFields(QStringLiteral("CustNo"));
    lookup->SetLookupResultField(QStringLiteral("Company"));

    auto *query = new TQuery(form);
    query->SetName(QStringLiteral("BigOrders"));
    query->SetDatabaseName(QStringLiteral("PERSISTDEMO"));
    query->SQL()->SetStringList({QStringLiteral("SELECT * FROM \"orders.db\""),
                                 QStringLiteral("WHERE ItemsTotal > :Minimum AND ShipVia = :Via")});
    query->ParamByName(QStringLiteral("Minimum")).SetDataType(ftFloat);
    query->ParamByName(QStringLiteral("Minimum")).SetAsFloat(1000);
    query->ParamByName(QStringLiteral("Via")).SetDataType(ftString);
    query->SetUniDirectional(true);
    Source(form, query);

    auto *wizard = new TWizQuery(form);
    wizard->SetName(QStringLiteral("Spanish"));
    wizard->SetDatabaseName(QStringLiteral("PERSISTDEMO"));
    wizard->SetTableName(QStringLiteral("customer.db"));
    wizard->SortFields()->SetStringList({QStringLiteral("Company"), QStringLiteral("-CustNo")});
    wizard->AddFilter(new TWizQueryFilter(false, QStringLiteral("Country"), qfoEqual, QStringLiteral("Spain"), 1, true));
    wizard->AddFilter(new TWizQueryFilter(true, QStringLiteral("CustNo"), qfoBetween,
                                          QStringLiteral("1000") + QChar(0) + QStringLiteral("2000"), 3, true));
    wizard->CreateSQL();
    Source(form, wizard);

    // Bands of every class.
    TVendamoBand *title = f.AddBand(QStringLiteral("TitleBand"), rbTitle, 1.25);
    title->SetExpression(QStringLiteral("PageNumber > 0"));
    title->SetBlockDelete(true);
    title->SetColor(0x00E0E0);
    title->Font()->SetName(QStringLiteral("Times New Roman"));
    title->Font()->SetSize(14);
    title->Font()->SetStyle(fsBold);
    TVendamoBand *header = f.AddBand(QStringLiteral("PageHeader"), rbPageHeader, 0.5);
    header->SetStartPageNum(2);
    header->SetPageStep(2);
    header->SetEndPageNum(40);
    header->SetNotOnFirstPage(true);
    TVendamoBand *columnHeader = f.AddBand(QStringLiteral("ColumnHeader"), rbColumnHeader, 0.3);
    auto *group = f.Add<TVendamoGroup>(QStringLiteral("CountryGroup"), r);
    group->SetExpression(QStringLiteral("Customers.Country + ") + QString(300, QLatin1Char('x')));
    group->SetSizeValue(0, 0.4);
    group->SetMaster(r);
    TVendamoBand *detail = f.AddBand(QStringLiteral("Detail"), rbDetail, 0.3);
    detail->SetForceNewPage(true);
    detail->Frame()->SetDrawBottom(true);
    detail->SetHint(QStringLiteral("detail hint"));
    auto *child = f.Add<TVendamoChildBand>(QStringLiteral("DetailChild"), r);
    child->SetParentBand(detail);
    child->SetSizeValue(0, 0.2);
    child->SetExpression(QStringLiteral("Customers.TaxRate > 0"));
    TVendamoBand *ordersHeader = f.AddBand(QStringLiteral("OrdersHeader"), rbGroupHeader, 0.25);
    auto *sub = f.Add<TVendamoSubdetail>(QStringLiteral("OrdersBand"), r);
    sub->SetDataSet(orders);
    sub->SetMaster(r);
    sub->SetHeaderBand(ordersHeader);
    sub->SetPrintBefore(true);
    sub->SetPrintIfEmpty(false);
    sub->SetSizeValue(0, 0.25);
    TVendamoBand *ordersFooter = f.AddBand(QStringLiteral("OrdersFooter"), rbGroupFooter, 0.25);
    sub->SetFooterBand(ordersFooter);
    TVendamoBand *groupFooter = f.AddBand(QStringLiteral("CountryFooter"), rbGroupFooter, 0.3);
    group->SetFooterBand(groupFooter);
    TVendamoBand *summary = f.AddBand(QStringLiteral("Summary"), rbSummary, 0.5);
    TVendamoBand *footer = f.AddBand(QStringLiteral("PageFooter"), rbPageFooter, 0.4);
    footer->SetNotOnLastPage(true);
    footer->SetLinkBand(summary);
    f.AddBand(QStringLiteral("Overlay"), rbOverlay, 0.1)->SetEnabled(false);
    Q_UNUSED(columnHeader);

    // Elements of every kind.
    auto *label = f.AddElement<TVendamoLabel>(QStringLiteral("TitleLabel"), title, 0.5, 0.1, 4, 0.4);
    label->SetAutoSize(false);
    label->SetCaption(QStringLiteral("Customers — Käufer"));
    label->SetDegree(900);
    label->SetAlignment(taCenter);
    label->SetGroupID(7);
    label->SetBlockMove(true);
    label->SetTag(42);
    label->Frame()->SetDrawLeft(true);
    label->Frame()->SetStyle(psDash);
    auto *onReport = f.AddElement<TVendamoLabel>(QStringLiteral("Watermark"), r, 1, 1, 2, 0.5);
    onReport->SetCaption(QStringLiteral("DRAFT"));
    onReport->SetTransparent(true);
    auto *text = f.AddElement<TVendamoDBText>(QStringLiteral("Company"), detail, 0.1, 0.05, 2.5, 0.2);
    text->SetDataSet(customers);
    text->SetDataField(QStringLiteral("Company"));
    text->SetMask(QStringLiteral("@"));
    text->SetSuppressRepeatedValues(true);
    text->SetReprintOnNewGroup(true);
    text->SetAutoSize(false);
    text->SetWordWrap(true);
    auto *expr = f.AddElement<TVendamoExpr>(QStringLiteral("Total"), ordersFooter, 3, 0.05, 1.5, 0.2);
    expr->SetExpression(QStringLiteral("SUM(Orders.ItemsTotal) + ") + QString(600, QLatin1Char('1')));
    expr->SetMaster(sub);
    expr->SetResetAfterPrint(true);
    expr->SetMask(QStringLiteral("#,##0.00"));
    expr->SetAlignment(taRightJustify);
    auto *sys = f.AddElement<TVendamoSysdata>(QStringLiteral("PageNo"), footer, 6, 0.1, 1, 0.2);
    sys->SetData(TRepSysData::sdPageNumber);
    sys->SetText(QStringLiteral("Page "));
    auto *memo = f.AddElement<TVendamoMemo>(QStringLiteral("Notes"), summary, 0.1, 0.05, 5, 0.4);
    memo->Lines()->SetStringList({QStringLiteral("Line one"), QString(), QStringLiteral("%DEL"), QStringLiteral("€ end")});
    memo->SetAutoStretch(true);
    auto *shape = f.AddElement<TVendamoShape>(QStringLiteral("Box"), summary, 0, 0, 7, 0.5);
    shape->SetShape(TRepShape::stTopAndBottom);
    shape->Pen()->SetWidth(2);
    shape->Pen()->SetStyle(psDot);
    shape->Brush()->SetStyle(bsClear);
    auto *image = f.AddElement<TVendamoImage>(QStringLiteral("Logo"), title, 6, 0.1, 1, 1);
    image->SetFilename(QStringLiteral("C:\\Pictures\\logo.bmp"));
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(QColor(10, 20, 30));
    picture.setPixel(1, 1, qRgb(200, 100, 50));
    TBitmap bitmap;
    bitmap.SetImage(picture);
    image->Picture()->SetGraphic(&bitmap);
    image->SetStretch(true);
    auto *dbImage = f.AddElement<TVendamoDBImage>(QStringLiteral("Photo"), detail, 5, 0, 1, 1);
    dbImage->SetDataSet(customers);
    dbImage->SetDataField(QStringLiteral("Notes"));
    dbImage->SetCenter(true);
    auto *rich = f.AddElement<TVendamoRichtext>(QStringLiteral("Intro"), title, 0.5, 0.6, 5, 0.5);
    rich->SetLines(QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Hello {\\b bold} world\\par}"));
    rich->SetAutoStretch(true);
    auto *dbRich = f.AddElement<TVendamoDBRichtext>(QStringLiteral("NotesRich"), child, 0.1, 0, 5, 0.2);
    dbRich->SetDataSet(customers);
    dbRich->SetDataField(QStringLiteral("Notes"));
    dbRich->SetColor(0x0000FF);
}
