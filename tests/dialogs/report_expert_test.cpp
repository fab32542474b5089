// The report expert: the layout arithmetic of each report kind with the worked examples, the
// page flow with its skips driven by clicks, and the generated reports printed to PDF.
#include "dialogs/report_expert_form.h"
#include "dialogs/report_expert_layout.h"
#include "dialogs/report_expert_sample.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QStackedWidget>

#include "design_fixture.h"
#include "report_fixture.h"
#include "test_paths.h"

#include "data/parameter_form.h"
#include "data/wiz_query_edit_form.h"
#include "design/designer_dialogs.h"
#include "dblib/wiz_query.h"
#include "dblib/data_source.h"
#include "dblib/query.h"
#include "dblib/table.h"
#include "env/enhanced_listbox.h"
#include "host/button_controls.h"
#include "host/font.h"
#include "host/list_controls.h"
#include "host/scripted_interaction.h"
#include "host/text_controls.h"
#include "model/vendamo_picture_elements.h"

#include <gtest/gtest.h>

namespace {

// The sales database with an index on the customers' city, written once.
QString SalesDatabase() {
    static TestDir dir;
    static const QString file = [] {
        const QString name = CreateSalesDatabase(dir.Path(QString()));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("expert_index"));
            db.setDatabaseName(name);
            db.open();
            QSqlQuery(db).exec(QStringLiteral("CREATE INDEX ByCity ON customers (city)"));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("expert_index"));
        return name;
    }();
    return file;
}

TQuery *Customers(TComponent *owner, const QString &sql = QStringLiteral("SELECT * FROM customers ORDER BY id")) {
    auto *q = new TQuery(owner);
    q->SetName(QStringLiteral("Customers"));
    q->SetDatabaseName(SalesDatabase());
    q->SQL()->SetText(sql);
    q->Open();
    auto *source = new TDataSource(owner);
    source->SetName(QStringLiteral("CustomersSource"));
    source->SetDataSet(q);
    return q;
}

// An Arial font of that size.
struct TArial : TFont {
    explicit TArial(int size, bool bold = false) {
        SetName(QStringLiteral("Arial"));
        SetSize(size);
        SetStyle(bold ? fsBold : 0);
    }
};

template <class T>
QList<T *> On(QWidget *parent) {
    QList<T *> list;
    for (QObject *o : parent->children())
        if (auto *t = qobject_cast<T *>(o)) list << t;
    return list;
}

// Picks the entry of that text with the keyboard.
void Choose(TComboBox *box, const QString &text) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Home);
    for (int i = 0; i <= box->count() && box->currentText() != text; ++i) QTest::keyClick(box, Qt::Key_Down);
}

TRepBand *BandNamed(TDesignForm &f, const QString &name) {
    return dynamic_cast<TRepBand *>(f.Form->FindComponent(name));
}

// Sets the page so that bands are 600 pixels wide at 100 % zoom (158.75 mm).
void SixHundredWide(TDesignReport *report) {
    report->Page()->SetValueMM(TRepPage::pvLeftMargin, 25.625);
    report->Page()->SetValueMM(TRepPage::pvRightMargin, 25.625);
}

QString RenderFirstPages(TDesignReport *report, const QString &name, int *pageCount = nullptr) {
    static TestDir dir;
    report->ExportToPdf(dir.Path(name));
    const QStringList pages = PdfPages(dir.Path(name));
    if (pageCount) *pageCount = int(pages.size());
    return pages.join(QStringLiteral("\f"));
}

}  // namespace

TEST(ReportExpertLayout, RoundingIsHalfToEven) {
    EXPECT_EQ(RoundHalfEven(25.5), 26);
    EXPECT_EQ(RoundHalfEven(24.5), 24);
    EXPECT_EQ(RoundHalfEven(8.5), 8);
    EXPECT_EQ(RoundHalfEven(9.5), 10);
    EXPECT_EQ(RoundHalfEven(8.4), 8);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
}

TEST(ReportExpertLayout, ListColumnsShareTheBandWidth) {
    TDesignForm f;
    SixHundredWide(f.Report);
    TQuery *q = Customers(f.Form.get());
    const TArial data(10), label(10, true);
    TExpertLayout layout;
    layout.TitleText = QStringLiteral("Customers");
    layout.DataFont = &data;
    layout.LabelFont = &label;
    CreateListReport(f.Designer, q, {"id", "name", "city", "id"}, layout);
    TRepBand *detail = BandNamed(f, QStringLiteral("Detailband"));
    ASSERT_NE(detail, nullptr);
    ASSERT_EQ(detail->Width(), 600);
    EXPECT_EQ(f.Report->DataSet(), q);
    // Ld = 17: the band is Round(25.5) = 26 high and its fields stand at (26 - 17) div 2 = 4.
    EXPECT_EQ(detail->Height(), 26);
    const auto texts = On<TVendamoDBText>(detail);
    ASSERT_EQ(texts.size(), 4);
    const int lefts[] = {5, 155, 305, 455};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(texts[i]->Left(), lefts[i]);
        EXPECT_EQ(texts[i]->Width(), 145);
        EXPECT_EQ(texts[i]->Top(), 4);
        EXPECT_EQ(texts[i]->Height(), 17);
        EXPECT_FALSE(texts[i]->AutoSize());
        EXPECT_EQ(texts[i]->DataSet(), q);
    }
    EXPECT_EQ(texts[2]->DataField(), QStringLiteral("city"));
    // One column with title and page header: headings in both, the page header not on page 1.
    TRepBand *header = BandNamed(f, QStringLiteral("Pageheader"));
    TRepBand *title = BandNamed(f, QStringLiteral("Titleband"));
    ASSERT_NE(header, nullptr);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(header->BandType(), TRepBand::rbPageHeader);
    EXPECT_EQ(header->Height(), 17 * 2 + 20);
    EXPECT_TRUE(dynamic_cast<TVendamoBand *>(header)->NotOnFirstPage());
    EXPECT_EQ(title->Height(), 17 * 2 + 50);
    const auto headings = On<TVendamoLabel>(header);
    ASSERT_EQ(headings.size(), 4);
    EXPECT_EQ(headings[1]->Caption(), QStringLiteral("name"));
    EXPECT_EQ(headings[1]->Left(), 155);
    EXPECT_EQ(headings[1]->Width(), 145);
    EXPECT_EQ(headings[1]->Top(), RoundHalfEven(8.5) + 20);
    EXPECT_TRUE(headings[1]->FixBottomPosition());
    const auto titleLabels = On<TVendamoLabel>(title);
    ASSERT_EQ(titleLabels.size(), 5);
    EXPECT_EQ(titleLabels[0]->Top(), 8 + 50);
    EXPECT_EQ(titleLabels[4]->Caption(), QStringLiteral("Customers"));
    EXPECT_EQ(titleLabels[4]->Font()->Size(), 18);
    EXPECT_TRUE(titleLabels[4]->Font()->HasStyle(fsBold));
    EXPECT_EQ(BandNamed(f, QStringLiteral("Pagefooter")), nullptr);
    EXPECT_TRUE(On<TVendamoShape>(detail).isEmpty());
}

TEST(ReportExpertLayout, ListLinesAndColumns) {
    TDesignForm f;
    SixHundredWide(f.Report);
    f.Report->Page()->SetColumns(2);
    TQuery *q = Customers(f.Form.get());
    const TArial data(10), label(12, true);
    TExpertLayout layout;
    layout.DataFont = &data;
    layout.LabelFont = &label;
    layout.PageFooter = layout.Summary = true;
    layout.HorizontalLines = layout.VerticalLines = layout.BoxLines = true;
    CreateListReport(f.Designer, q, {"id", "name", "city"}, layout);
    // Several columns: a column header and a title without headings, 50 high.
    EXPECT_EQ(BandNamed(f, QStringLiteral("Pageheader")), nullptr);
    TRepBand *header = BandNamed(f, QStringLiteral("Columnheader"));
    TRepBand *title = BandNamed(f, QStringLiteral("Titleband"));
    TRepBand *detail = BandNamed(f, QStringLiteral("Detailband"));
    ASSERT_TRUE(header && title && detail);
    EXPECT_EQ(header->BandType(), TRepBand::rbColumnHeader);
    EXPECT_EQ(header->Height(), 19 * 2 + 20);
    EXPECT_EQ(title->Height(), 50);
    EXPECT_EQ(On<TVendamoLabel>(title).size(), 1);
    EXPECT_EQ(BandNamed(f, QStringLiteral("Pagefooter"))->Height(), 50);
    EXPECT_EQ(BandNamed(f, QStringLiteral("Summary"))->BandType(), TRepBand::rbSummary);

    const int w = detail->Width(), h = detail->Height();
    QList<QRect> lines;
    for (TVendamoShape *s : On<TVendamoShape>(detail)) lines << s->geometry();
    // Horizontal line, two box lines, two lines between the three columns.
    EXPECT_EQ(lines.size(), 5);
    const int column = w / 3;
    EXPECT_TRUE(lines.contains(QRect(3, h - 3, w - 6, 5)));
    EXPECT_TRUE(lines.contains(QRect(0, -1, 5, h + 1)));
    EXPECT_TRUE(lines.contains(QRect(w - 5, -1, 5, h + 1)));
    EXPECT_TRUE(lines.contains(QRect(column + 5 - 5, -1, 5, h + 1)));
    EXPECT_TRUE(lines.contains(QRect(2 * column, -1, 5, h + 1)));
    for (TVendamoShape *s : On<TVendamoShape>(detail))
        EXPECT_EQ(s->StretchHeightWithBand(), s->Shape() == TRepShape::stVertLine);
    QList<QRect> headerLines;
    for (TVendamoShape *s : On<TVendamoShape>(header)) {
        headerLines << s->geometry();
        EXPECT_TRUE(s->FixBottomPosition());
    }
    const int hh = header->Height();
    EXPECT_TRUE(headerLines.contains(QRect(1, 20, 5, hh - 20)));
    EXPECT_TRUE(headerLines.contains(QRect(3, 18, w - 6, 5)));
    EXPECT_TRUE(headerLines.contains(QRect(column, 20, 5, hh - 20)));
}

TEST(ReportExpertLayout, TabularAndFormStyle) {
    TDesignForm f;
    TQuery *q = Customers(f.Form.get());
    const TArial data(10), label(10, true);
    TExpertLayout layout;
    layout.TitleText = QStringLiteral("Cards");
    layout.DataFont = &data;
    layout.LabelFont = &label;
    layout.BoxLines = layout.HorizontalLines = layout.VerticalLines = true;
    CreateTabularReport(f.Designer, q, {"id", "name", "city"}, layout, true);
    TRepBand *detail = BandNamed(f, QStringLiteral("Detailband"));
    ASSERT_NE(detail, nullptr);
    // L = 17: the band is 4 x 34 high, labels at 17, 51, 85.
    EXPECT_EQ(detail->Height(), 136);
    EXPECT_TRUE(detail->ForceNewPage());
    const auto labels = On<TVendamoLabel>(detail);
    ASSERT_EQ(labels.size(), 3);
    int widest = 0;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(labels[i]->Top(), 17 + 34 * i);
        EXPECT_EQ(labels[i]->Left(), 17);
        EXPECT_TRUE(labels[i]->AutoSize());
        widest = qMax(widest, labels[i]->Width());
    }
    const auto texts = On<TVendamoDBText>(detail);
    ASSERT_EQ(texts.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(texts[i]->Left(), 34 + widest);
        EXPECT_EQ(texts[i]->Top(), 17 + 34 * i);
    }
    TRepBand *header = BandNamed(f, QStringLiteral("Pageheader"));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->Height(), 30);
    EXPECT_EQ(On<TVendamoLabel>(header).first()->Font()->Size(), 12);
    EXPECT_EQ(BandNamed(f, QStringLiteral("Titleband"))->Height(), 50);
    QList<QRect> lines;
    for (TVendamoShape *s : On<TVendamoShape>(detail)) lines << s->geometry();
    const int w = detail->Width();
    EXPECT_EQ(lines.size(), 2 + 4 + 1);
    EXPECT_TRUE(lines.contains(QRect(3, RoundHalfEven(2 * 17 + 8.5), w - 6, 5)));
    EXPECT_TRUE(lines.contains(QRect(3, 8, w - 6, 5)));
    EXPECT_TRUE(lines.contains(QRect(3, RoundHalfEven(8.5 + 6 * 17), w - 6, 5)));
    EXPECT_TRUE(lines.contains(QRect(w - 6, 11, 5, 102)));
    EXPECT_TRUE(lines.contains(QRect(34 + widest - 17, 11, 5, 102)));
}

TEST(ReportExpertLayout, SingleFormHasNoBands) {
    TDesignForm f;
    TQuery *q = Customers(f.Form.get());
    TRepBand *probe = CreateVDMBand(f.Report, TRepBand::rbTitle, 2);
    const QPoint origin = probe->pos();
    delete probe;
    const TArial data(8), label(10, true);
    TExpertLayout layout;
    layout.TitleText = QStringLiteral("One");
    layout.DataFont = &data;
    layout.LabelFont = &label;
    CreateSingleFormReport(f.Designer, q, {"name", "city"}, layout);
    EXPECT_TRUE(On<TRepBand>(f.Report).isEmpty());
    EXPECT_EQ(f.Report->DataSet(), nullptr);
    const auto labels = On<TVendamoLabel>(f.Report);
    ASSERT_EQ(labels.size(), 3);
    // L = 17; labels 50 below the band origin, data fields 2 higher (label size - data size).
    EXPECT_EQ(labels[0]->pos(), origin + QPoint(17, 50 + 17));
    EXPECT_EQ(labels[1]->pos(), origin + QPoint(17, 50 + 51));
    EXPECT_EQ(labels[2]->pos(), origin + QPoint(5, 5));
    const auto texts = On<TVendamoDBText>(f.Report);
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[1]->Top(), origin.y() + 50 + 51 + 2);
    EXPECT_EQ(texts[1]->DataSet(), q);

    // The form prints on one page: the title, then each label with the first record's value.
    q->Open();
    q->First();
    const QString name = q->FieldByName(QStringLiteral("name"))->AsString();
    const QString city = q->FieldByName(QStringLiteral("city"))->AsString();
    int pages = 0;
    const QString text = Squeeze(RenderFirstPages(f.Report, QStringLiteral("single.pdf"), &pages));
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(InOrder(text, {"One", "name", name, "city", city})) << text.toStdString();
}

// ---- the form ---------------------------------------------------------------------------

namespace {

struct TExpertOnSales {
    TExpertOnSales() : form(f.Designer) {
        SixHundredWide(f.Report);
        form.show();
    }
    void Next() { QTest::mouseClick(form.NextButton, Qt::LeftButton); }
    void Back() { QTest::mouseClick(form.BackButton, Qt::LeftButton); }
    void ChooseTable(const QString &table) {
        form.DatabaseComboBox->SetText(SalesDatabase());
        form.TableNameComboBox->SetText(table);
    }
    void UseFields(const QStringList &fields) {
        for (const QString &field : fields) {
            const auto found = form.AvailFieldsListBox->findItems(field, Qt::MatchExactly);
            ASSERT_FALSE(found.isEmpty()) << field.toStdString();
            form.AvailFieldsListBox->clearSelection();
            found.first()->setSelected(true);
            QTest::mouseClick(form.AddButton, Qt::LeftButton);
        }
    }
    TScriptedInteraction ui;
    TDesignForm f;
    TVendamoExpertForm form;
};

}  // namespace

TEST(ReportExpertForm, PagesAndDefaults) {
    TExpertOnSales e;
    TVendamoExpertForm &form = e.form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("New report definition"));
    EXPECT_EQ(form.Notebook->count(), 8);
    EXPECT_TRUE(form.BlankRadioButton->isChecked());
    EXPECT_FALSE(form.BackButton->isVisible());
    EXPECT_TRUE(form.TitleCheckBox->isChecked());
    EXPECT_TRUE(form.PageheaderCheckBox->isChecked());
    EXPECT_FALSE(form.PagefooterCheckBox->isChecked());
    EXPECT_EQ(form.ColumnEdit->text(), QStringLiteral("1"));
    EXPECT_EQ(form.ColumnEdit->maxLength(), 1);
    EXPECT_EQ(form.ColumnSpacingEdit->maxLength(), 6);
    EXPECT_EQ(form.ReportTitleEdit->text(), QStringLiteral("New Report"));
    EXPECT_EQ(form.LabelFont()->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(form.LabelFont()->Size(), 10);
    EXPECT_TRUE(form.LabelFont()->HasStyle(fsBold));
    EXPECT_EQ(form.DataFont()->Style(), 0);
    EXPECT_FALSE(form.CustomSQLButton->isVisibleTo(&form));
    EXPECT_TRUE(form.WizardGroupBox->isHidden());
    EXPECT_FALSE(form.IndexGroupBox->isHidden());
    // Only the digits 1 to 9 go into the column count; "," becomes the decimal separator.
    form.ColumnEdit->clear();
    QTest::keyClicks(form.ColumnEdit, QStringLiteral("0x3"));
    EXPECT_EQ(form.ColumnEdit->text(), QStringLiteral("3"));
    form.ColumnSpacingEdit->clear();
    QTest::keyClicks(form.ColumnSpacingEdit, QStringLiteral("1a,5"));
    EXPECT_EQ(form.ColumnSpacingEdit->text(), QStringLiteral("1.5"));
    // New blank report: Next closes at once.
    e.Next();
    EXPECT_EQ(form.result(), int(QDialog::Accepted));
}

TEST(ReportExpertForm, ListFlowSkipsAndGeneratesAReportThatPrints) {
    TExpertOnSales e;
    TVendamoExpertForm &form = e.form;
    QTest::mouseClick(form.ListRadioButton, Qt::LeftButton);
    e.Next();
    ASSERT_EQ(form.CurrentPage(), 1);
    EXPECT_TRUE(form.BackButton->isVisible());
    // A table that does not open keeps the expert on the dataset page.
    e.ChooseTable(QStringLiteral("nosuch"));
    e.Next();
    EXPECT_EQ(form.CurrentPage(), 1);
    EXPECT_EQ(e.ui.Errors().size(), 1);
    e.ChooseTable(QStringLiteral("customers"));
    e.Next();
    // The table has an index: page 2 offers it.
    ASSERT_EQ(form.CurrentPage(), 2);
    ASSERT_NE(form.MainDataset(), nullptr);
    EXPECT_EQ(form.MainDataset()->Name(), QStringLiteral("customers_Table"));
    EXPECT_EQ(form.TableIndexComboBox->Items()->ToStringList(), (QStringList{"(NONE)", "ByCity"}));
    form.TableIndexComboBox->SetItemIndex(1);
    e.Next();
    EXPECT_EQ(qobject_cast<TTable *>(form.MainDataset())->IndexName(), QStringLiteral("ByCity"));
    ASSERT_EQ(form.CurrentPage(), 3);
    EXPECT_EQ(form.AvailFieldsListBox->Items()->ToStringList(), (QStringList{"id", "name", "city"}));
    // No field yet: Next waits.
    EXPECT_FALSE(form.NextButton->isEnabled());
    EXPECT_FALSE(form.NextPage());
    e.UseFields({"city", "name"});
    form.UsedFieldsListBox->setFocus();
    QTest::mouseClick(form.UsedFieldsListBox->viewport(), Qt::LeftButton, {},
                      form.UsedFieldsListBox->visualItemRect(form.UsedFieldsListBox->item(1)).center());
    QTest::keyClick(form.UsedFieldsListBox, Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(form.UsedFields(), (QStringList{"name", "city"}));
    e.Next();
    ASSERT_EQ(form.CurrentPage(), 4);
    QTest::mouseClick(form.PagefooterCheckBox, Qt::LeftButton, {}, QPoint(6, form.PagefooterCheckBox->height() / 2));
    e.Next();
    e.Next();
    QTest::mouseClick(form.BoxCheckBox, Qt::LeftButton);
    EXPECT_TRUE(form.SamplePicture->BoxLines());
    e.Next();
    ASSERT_EQ(form.CurrentPage(), 7);
    EXPECT_FALSE(form.NextButton->isVisible());
    EXPECT_NE(BandNamed(e.f, QStringLiteral("Detailband")), nullptr);
    EXPECT_NE(BandNamed(e.f, QStringLiteral("Pagefooter")), nullptr);
    EXPECT_FALSE(form.ThumbnailLabel->pixmap().isNull());

    // Sorted by city, one record per line under the headings.
    const QString text = RenderFirstPages(e.f.Report, QStringLiteral("list.pdf"));
    EXPECT_TRUE(InOrder(Squeeze(text), {"New Report", "name", "city", "Dubois", "Lyon"})) << text.toStdString();

    // Back to the dataset page and a query instead: the chosen fields that still exist stay.
    while (form.CurrentPage() > 1) e.Back();
    form.DatasetRadioGroup->SetItemIndex(1);
    form.DatasetKindClick(form.DatasetRadioGroup);
    form.SQLMemo->setPlainText(QStringLiteral("SELECT id, name FROM customers WHERE city = 'Oslo'"));
    e.Next();
    // A query has no index page.
    ASSERT_EQ(form.CurrentPage(), 3);
    EXPECT_EQ(form.MainDataset()->Name(), QStringLiteral("Query1"));
    EXPECT_EQ(form.UsedFields(), QStringList{"name"});
    EXPECT_EQ(form.AvailFieldsListBox->Items()->ToStringList(), QStringList{"id"});
    e.Back();
    EXPECT_EQ(form.CurrentPage(), 1);
}

TEST(ReportExpertForm, SingleFormSkipsTheBandsPageAndFormStylePrintsAPagePerRecord) {
    TExpertOnSales e;
    TVendamoExpertForm &form = e.form;
    QTest::mouseClick(form.SingleFormRadioButton, Qt::LeftButton);
    e.Next();
    form.DatasetRadioGroup->SetItemIndex(1);
    form.DatasetKindClick(form.DatasetRadioGroup);
    form.DatabaseComboBox->SetText(SalesDatabase());
    form.SQLMemo->setPlainText(QStringLiteral("SELECT name, city FROM customers WHERE city = 'Oslo' ORDER BY id"));
    e.Next();
    ASSERT_EQ(form.CurrentPage(), 3);
    QTest::mouseClick(form.AddAllButton, Qt::LeftButton);
    e.Next();
    EXPECT_EQ(form.CurrentPage(), 5);
    e.Back();
    EXPECT_EQ(form.CurrentPage(), 3);
    e.Next();
    e.Next();
    e.Next();
    ASSERT_EQ(form.CurrentPage(), 7);
    EXPECT_TRUE(On<TRepBand>(e.f.Report).isEmpty());
    EXPECT_EQ(On<TVendamoDBText>(e.f.Report).size(), 2);

    // Form style over the same query: one page for each of the Oslo customers.
    while (form.CurrentPage() > 0) e.Back();
    QTest::mouseClick(form.FormRadioButton, Qt::LeftButton);
    for (int i = 0; i < 6; ++i) e.Next();
    ASSERT_EQ(form.CurrentPage(), 7);
    // The thumbnail stops the run after the first of several pages.
    EXPECT_FALSE(form.ThumbnailLabel->pixmap().isNull());
    int pages = 0;
    const QString text = RenderFirstPages(e.f.Report, QStringLiteral("form.pdf"), &pages);
    form.MainDataset()->First();
    int records = 0;
    for (; !form.MainDataset()->Eof(); form.MainDataset()->Next()) ++records;
    EXPECT_GT(records, 1);
    // The title has the first page to itself; each record starts a page after it.
    EXPECT_EQ(pages, records + 1);
    EXPECT_TRUE(InOrder(Squeeze(text), {"New Report", "name", "city", "Oslo"})) << text.toStdString();
}

TEST(ReportExpertForm, TabularReportWithColumnsAndLandscape) {
    TExpertOnSales e;
    TVendamoExpertForm &form = e.form;
    QTest::mouseClick(form.TabularRadioButton, Qt::LeftButton);
    e.Next();
    e.ChooseTable(QStringLiteral("orders"));
    e.Next();
    // No index on orders: straight to the fields.
    ASSERT_EQ(form.CurrentPage(), 3);
    e.UseFields({"id", "amount"});
    e.Next();
    e.Next();
    form.OrientationRadioGroup->SetItemIndex(1);
    form.ColumnEdit->setText(QStringLiteral("2"));
    form.ColumnSpacingEdit->setText(QStringLiteral("4.5"));
    form.ReportTitleEdit->setText(QStringLiteral("Orders by card"));
    e.Next();
    e.Next();
    ASSERT_EQ(form.CurrentPage(), 7);
    EXPECT_EQ(e.f.Report->Page()->Orientation(), poLandscape);
    EXPECT_EQ(e.f.Report->Page()->Columns(), 2);
    EXPECT_DOUBLE_EQ(e.f.Report->Page()->ColumnSpace(), 4.5);
    const QString text = Squeeze(RenderFirstPages(e.f.Report, QStringLiteral("tabular.pdf")));
    EXPECT_TRUE(InOrder(text, {"Orders by card", "id", "1", "amount"})) << text.toStdString();
}

TEST(ReportExpertForm, FileNewRunsTheExpertAndAFinishedReportCountsAsChanged) {
    TDesignForm f;
    f.Report->SetReportTitle(QStringLiteral("Old"));
    Customers(f.Form.get());
    ASSERT_TRUE(DesignerDialogs::Has(DesignerDialogs::ReportExpert));
    TScriptedInteraction ui;
    ui.AnswerDialog([](QDialog &d) {
        auto &form = static_cast<TVendamoExpertForm &>(d);
        d.show();
        QTest::mouseClick(form.ListRadioButton, Qt::LeftButton);
        QTest::mouseClick(form.NextButton, Qt::LeftButton);
        form.DatabaseComboBox->SetText(SalesDatabase());
        form.TableNameComboBox->SetText(QStringLiteral("customers"));
        for (int i = 0; i < 7 && form.CurrentPage() < 7; ++i) {
            if (form.CurrentPage() == 3) QTest::mouseClick(form.AddAllButton, Qt::LeftButton);
            QTest::mouseClick(form.NextButton, Qt::LeftButton);
        }
        QTest::mouseClick(form.FinishButton, Qt::LeftButton);
        return d.result();
    });
    bool accepted = false;
    ASSERT_TRUE(DesignerDialogs::Run(DesignerDialogs::ReportExpert, f.Designer, f.Report, accepted));
    EXPECT_TRUE(accepted);
    EXPECT_EQ(ui.Pending(), 0);
    EXPECT_TRUE(f.Designer->HasChanged());
    EXPECT_TRUE(f.Report->ReportTitle().isEmpty());
    // The report form was emptied of its datasets first; the expert's table feeds the report.
    EXPECT_EQ(f.Form->FindComponent(QStringLiteral("Customers")), nullptr);
    ASSERT_NE(f.Report->DataSet(), nullptr);
    EXPECT_EQ(f.Report->DataSet()->Name(), QStringLiteral("customers_Table"));
    EXPECT_EQ(On<TVendamoDBText>(BandNamed(f, QStringLiteral("Detailband"))).size(), 3);

    // Cancel leaves an empty, unchanged report.
    ui.AnswerDialog([](QDialog &d) {
        static_cast<TVendamoExpertForm &>(d).CancelButton->click();
        return d.result();
    });
    ASSERT_TRUE(DesignerDialogs::Run(DesignerDialogs::ReportExpert, f.Designer, f.Report, accepted));
    EXPECT_FALSE(accepted);
    EXPECT_FALSE(f.Designer->HasChanged());
    EXPECT_EQ(BandNamed(f, QStringLiteral("Detailband")), nullptr);
}

TEST(ReportExpertForm, QueriesOnlySetsSortAndFilterInTheWizard) {
    TExpertOnSales e;
    e.f.Designer->SetQueriesOnlyInExpert(true);
    TVendamoExpertForm form(e.f.Designer);
    form.show();
    EXPECT_FALSE(form.WizardGroupBox->isHidden());
    EXPECT_TRUE(form.IndexGroupBox->isHidden());
    QTest::mouseClick(form.ListRadioButton, Qt::LeftButton);
    QTest::mouseClick(form.NextButton, Qt::LeftButton);
    form.DatabaseComboBox->SetText(SalesDatabase());
    form.TableNameComboBox->SetText(QStringLiteral("orders"));
    QTest::mouseClick(form.NextButton, Qt::LeftButton);
    // A wizard query over the table, and the page with the wizard's button even without indexes.
    ASSERT_EQ(form.CurrentPage(), 2);
    auto *query = qobject_cast<TWizQuery *>(form.MainDataset());
    ASSERT_NE(query, nullptr);
    EXPECT_EQ(query->Name(), QStringLiteral("orders_Table"));
    EXPECT_EQ(query->SQL()->Get(0), QStringLiteral("SELECT * FROM \"orders\" Q1"));
    int pages = 0;
    e.ui.AnswerDialog([&pages](QDialog &d) {
        auto &w = static_cast<TWizQueryEditForm &>(d);
        d.show();
        pages = w.Notebook->count();
        w.ShowPage(w.PageIndex(TWizQueryEditForm::wpFilter));
        Choose(w.FieldCombobox[0], QStringLiteral("amount"));
        Choose(w.CompCombobox[0], QStringLiteral("is greater than"));
        QTest::keyClicks(w.ValueEdit[0], QStringLiteral("100"));
        QTest::mouseClick(w.OKButton, Qt::LeftButton);
        return d.result();
    });
    QTest::mouseClick(form.WizardButton, Qt::LeftButton);
    EXPECT_EQ(pages, 3);
    // OK in the wizard goes on to the fields.
    ASSERT_EQ(form.CurrentPage(), 3);
    EXPECT_EQ(query->SQL()->Get(1), QStringLiteral("WHERE (Q1.\"amount\" > 100)"));
    QTest::mouseClick(form.AddAllButton, Qt::LeftButton);
    while (form.CurrentPage() < 7) QTest::mouseClick(form.NextButton, Qt::LeftButton);
    const QString text = Squeeze(RenderFirstPages(e.f.Report, QStringLiteral("wizard.pdf")));
    EXPECT_TRUE(InOrder(text, {"New Report", "amount"})) << text.toStdString();
    for (query->First(); !query->Eof(); query->Next())
        EXPECT_GT(query->FieldByName(QStringLiteral("amount"))->AsFloat(), 100);
}

TEST(ReportExpertForm, AQueryWithParametersAsksForTheirValues) {
    TExpertOnSales e;
    TVendamoExpertForm &form = e.form;
    QTest::mouseClick(form.TabularRadioButton, Qt::LeftButton);
    e.Next();
    form.DatasetRadioGroup->SetItemIndex(1);
    form.DatasetKindClick(form.DatasetRadioGroup);
    form.DatabaseComboBox->SetText(SalesDatabase());
    form.SQLMemo->setPlainText(QStringLiteral("SELECT name FROM customers WHERE city = :city"));
    e.ui.AnswerDialog([](QDialog &d) {
        auto &p = static_cast<TDBSetupForm4 &>(d);
        d.show();
        p.ParamListBox->SetItemIndex(0);
        QTest::mouseClick(p.ValueRadioButton, Qt::LeftButton, {}, QPoint(6, p.ValueRadioButton->height() / 2));
        QTest::keyClicks(p.ValueEdit, QStringLiteral("Lyon"));
        QTest::mouseClick(p.OKButton, Qt::LeftButton);
        return d.result();
    });
    e.Next();
    ASSERT_EQ(form.CurrentPage(), 3);
    auto *query = qobject_cast<TQuery *>(form.MainDataset());
    ASSERT_NE(query, nullptr);
    EXPECT_EQ(query->ParamByName(QStringLiteral("city")).DataType(), ftString);
    QStringList names;
    for (query->First(); !query->Eof(); query->Next()) names << query->Field(0)->AsString();
    EXPECT_EQ(names, (QStringList{"Dubois", "Eriksen"}));
}
