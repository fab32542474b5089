// The field list of a dataset: hiding and offering fields again, display settings, and new
// calculated and lookup fields, kept through saving and loading the report.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include "data/dataset_fields.h"
#include "data/field_edit_forms.h"
#include "data/field_property_form.h"
#include "data_fixture.h"
#include "dblib/field_classes.h"
#include "host/button_controls.h"
#include "host/list_controls.h"
#include "host/property_access.h"
#include "host/text_controls.h"
#include "persist/report_reader.h"
#include "persist/report_writer.h"

namespace {

QStringList Lines(TListBox *list) { return list->Items()->ToStringList(); }

struct TFieldsFixture : TReportForm {
    TFieldsFixture() {
        orders = AddTable(QStringLiteral("Orders"), QStringLiteral("orders.db"));
        customers = AddTable(QStringLiteral("Customers"), QStringLiteral("customer.db"));
        CreateFields(orders, nullptr);
        CreateFields(customers, nullptr);
        for (TComponent *c : form.Components())
            if (auto *s = dynamic_cast<TDataSource *>(c)) sources << s;
        dialog.Prepare(designer, sources);
        dialog.SetDataSet(orders);
    }
    void Select(const QString &name) { dialog.ListBox1->SetItemIndex(Lines(dialog.ListBox1).indexOf(name)); }

    TTable *orders, *customers;
    QList<TDataSource *> sources;
    TFieldPropertyForm dialog;
};

TEST(FieldDialogs, DeletingADataFieldHidesItAndAddOffersItAgain) {
    TFieldsFixture f;
    EXPECT_EQ(f.dialog.windowTitle(), QStringLiteral("Orders"));
    EXPECT_FALSE(f.dialog.AddButton->isEnabled());
    f.Select(QStringLiteral("ShipVia"));
    f.dialog.DeleteButton->click();
    EXPECT_FALSE(Lines(f.dialog.ListBox1).contains(QStringLiteral("ShipVia")));
    TField *shipVia = f.orders->FindField(QStringLiteral("ShipVia"));
    ASSERT_NE(shipVia, nullptr);
    EXPECT_FALSE(shipVia->Visible());
    EXPECT_TRUE(f.dialog.AddButton->isEnabled());

    TScriptedInteraction ui;
    QStringList offered;
    ui.AnswerDialog([&](QDialog &d) {
        auto &select = static_cast<TFieldSelectForm &>(d);
        EXPECT_EQ(select.windowTitle(), QStringLiteral("Select a field"));
        offered = Lines(select.ListBox1);
        emit select.ListBox1->itemDoubleClicked(select.ListBox1->item(0));
        return select.result();
    });
    f.dialog.AddButton->click();
    EXPECT_EQ(offered, QStringList{QStringLiteral("ShipVia")});
    EXPECT_TRUE(shipVia->Visible());
    EXPECT_EQ(Lines(f.dialog.ListBox1).last(), QStringLiteral("ShipVia"));
    EXPECT_FALSE(f.dialog.AddButton->isEnabled());
}

TEST(FieldDialogs, EditingADataFieldWritesItsDisplaySettings) {
    TFieldsFixture f;
    TScriptedInteraction ui;
    f.Select(QStringLiteral("ItemsTotal"));
    ui.AnswerDialog([](QDialog &d) {
        auto &edit = static_cast<TFieldEditForm &>(d);
        EXPECT_EQ(edit.windowTitle(), QStringLiteral(" "));
        EXPECT_TRUE(edit.FormatEdit->isEnabled());
        edit.LabelEdit->setText(QStringLiteral("Total"));
        edit.FormatEdit->setText(QStringLiteral("#,##0.00"));
        edit.PrecisionEdit->clear();
        QTest::keyClicks(edit.PrecisionEdit, QStringLiteral("1x2"));  // only digits go in
        return int(QDialog::Accepted);
    });
    f.dialog.EditButton->click();
    TField *total = f.orders->FieldByName(QStringLiteral("ItemsTotal"));
    EXPECT_EQ(total->DisplayLabel(), QStringLiteral("Total"));
    EXPECT_EQ(GetStringProperty(total, QStringLiteral("DisplayFormat")), QStringLiteral("#,##0.00"));
    EXPECT_EQ(GetIntegerProperty(total, QStringLiteral("Precision")), 12);

    // A string field has neither format nor precision: both stay disabled and untouched.
    f.Select(QStringLiteral("ShipVia"));
    bool formatUsable = true, precisionUsable = true;
    ui.AnswerDialog([&](QDialog &d) {
        auto &edit = static_cast<TFieldEditForm &>(d);
        formatUsable = edit.FormatEdit->isEnabled() || edit.FormatLabel->isEnabled();
        precisionUsable = edit.PrecisionEdit->isEnabled() || edit.PrecisionLabel->isEnabled();
        edit.LabelEdit->setText(QStringLiteral("Carrier"));
        return int(QDialog::Accepted);
    });
    emit f.dialog.ListBox1->itemDoubleClicked(f.dialog.ListBox1->currentItem());
    EXPECT_FALSE(formatUsable);
    EXPECT_FALSE(precisionUsable);
    EXPECT_EQ(f.orders->FieldByName(QStringLiteral("ShipVia"))->DisplayLabel(), QStringLiteral("Carrier"));
}

// Adds a calculated field through the dialog.
void AddCalcField(TFieldsFixture &f, TScriptedInteraction &ui, const QString &name, int type,
                  const QString &size) {
    ui.AnswerDialog([=](QDialog &d) {
        auto &calc = static_cast<TCalcFieldEditForm &>(d);
        EXPECT_EQ(calc.windowTitle(), QStringLiteral("Hardcoded calculated field"));
        calc.NameEdit->setText(name);
        calc.TypeCombo->SetItemIndex(type);
        calc.SizeEdit->setText(size);
        return int(QDialog::Accepted);
    });
    f.dialog.NewCalcFieldButton->click();
}

TEST(FieldDialogs, NewCalculatedFieldsGetTheirSizeAndNeverMergeIntoExistingOnes) {
    TFieldsFixture f;
    TField *paid = f.orders->FieldByName(QStringLiteral("Paid"));
    paid->SetDisplayLabel(QStringLiteral("Settled"));
    TScriptedInteraction ui;
    AddCalcField(f, ui, QStringLiteral("Note"), 0, QString());
    AddCalcField(f, ui, QStringLiteral("Remark"), 0, QStringLiteral("300"));
    AddCalcField(f, ui, QStringLiteral("Rank"), 2, QStringLiteral("12"));
    AddCalcField(f, ui, QStringLiteral("Paid"), 0, QString());
    AddCalcField(f, ui, QString(), 0, QString());
    EXPECT_EQ(ui.Errors(), (QStringList{QStringLiteral("Calculated field Paid could not be created!"),
                                        QStringLiteral("Calculated field could not be created!")}));
    TField *note = f.orders->FindField(QStringLiteral("Note"));
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->Calculated());
    EXPECT_EQ(note->Size(), 255);
    EXPECT_EQ(f.orders->FieldByName(QStringLiteral("Remark"))->Size(), 255);
    TField *rank = f.orders->FieldByName(QStringLiteral("Rank"));
    EXPECT_TRUE(qobject_cast<TIntegerField *>(rank));
    EXPECT_EQ(rank->Size(), 0);
    EXPECT_FALSE(paid->Calculated());
    EXPECT_EQ(f.orders->FieldByName(QStringLiteral("Paid")), paid);
    EXPECT_EQ(paid->DisplayLabel(), QStringLiteral("Settled"));  // kept through closing and reopening
    EXPECT_TRUE(f.orders->Active());
    EXPECT_EQ(Lines(f.dialog.ListBox1).mid(10),
              (QStringList{QStringLiteral("Note"), QStringLiteral("Remark"), QStringLiteral("Rank")}));

    // Deleting a calculated field removes it.
    f.Select(QStringLiteral("Remark"));
    f.dialog.DeleteButton->click();
    EXPECT_EQ(f.orders->FindField(QStringLiteral("Remark")), nullptr);
}

TEST(FieldDialogs, CalculatedFieldTypeEnablesSizeOrFormat) {
    TCalcFieldEditForm calc;
    EXPECT_TRUE(calc.SizeEdit->isEnabled());
    EXPECT_FALSE(calc.FormatEdit->isEnabled());
    calc.TypeCombo->SetItemIndex(5);
    EXPECT_FALSE(calc.SizeEdit->isEnabled());
    EXPECT_TRUE(calc.FormatEdit->isEnabled());
    EXPECT_TRUE(calc.PrecisionEdit->isEnabled());
    EXPECT_EQ(TCalcFieldEditForm::TypeItemOfDataType(15), 9);
    EXPECT_EQ(TCalcFieldEditForm::TypeItemOfDataType(8), -1);
    EXPECT_EQ(TCalcFieldEditForm::TypeItemOfDataType(9), 7);
}

TEST(FieldDialogs, LookupFieldIsNamedAfterItsDatasetAndRefusesMissingInput) {
    TFieldsFixture f;
    TScriptedInteraction ui;
    ui.AnswerDialog([](QDialog &d) {
        auto &lookup = static_cast<TLookupFieldEditForm &>(d);
        EXPECT_EQ(lookup.windowTitle(), QStringLiteral("New Lookup field"));
        EXPECT_EQ(lookup.DatasetCombo->Items()->ToStringList(), QStringList{QStringLiteral("Customers")});
        lookup.OKButton->click();  // no name
        lookup.NameEdit->setText(QStringLiteral("Country"));
        lookup.OKButton->click();  // no dataset
        EXPECT_EQ(lookup.result(), 0);
        lookup.NameEdit->setText(QStringLiteral("CustNo"));
        lookup.DatasetCombo->SetItemIndex(0);
        emit lookup.DatasetCombo->activated(0);
        lookup.OKButton->click();  // taken by a data field
        EXPECT_EQ(lookup.result(), 0);
        lookup.NameEdit->setText(QStringLiteral("Country"));
        lookup.SizeEdit->setText(QStringLiteral("24"));
        lookup.KeyFieldCombo->SetText(QStringLiteral("CustNo"));
        lookup.LookupKeyCombo->SetText(QStringLiteral("CustNo"));
        lookup.ResultFieldCombo->SetText(QStringLiteral("Country"));
        lookup.OKButton->click();
        return lookup.result();
    });
    f.dialog.NewLookupButton->click();
    EXPECT_EQ(ui.Errors(), (QStringList{QStringLiteral("Invalid name"), QStringLiteral("Invalid dataset"),
                                        QStringLiteral("Invalid name")}));
    TField *country = f.orders->FindField(QStringLiteral("Country"));
    ASSERT_NE(country, nullptr);
    EXPECT_EQ(country->Name(), QStringLiteral("OrdersCountry"));
    EXPECT_TRUE(country->Lookup());
    EXPECT_FALSE(country->Calculated());
    EXPECT_EQ(country->LookupDataSet(), f.customers);
    EXPECT_EQ(country->Size(), 24);
    EXPECT_TRUE(Lines(f.dialog.ListBox1).contains(QStringLiteral("Country")));
    f.orders->First();
    const QVariant custNo = f.orders->FieldByName(QStringLiteral("CustNo"))->Value();
    EXPECT_EQ(country->AsString(),
              f.customers->Lookup(QStringLiteral("CustNo"), {custNo}, QStringLiteral("Country")).toString());

    // Editing shows the stored link.
    f.Select(QStringLiteral("Country"));
    ui.AnswerDialog([](QDialog &d) {
        auto &lookup = static_cast<TLookupFieldEditForm &>(d);
        EXPECT_EQ(lookup.windowTitle(), QStringLiteral("Edit Lookup field"));
        EXPECT_FALSE(lookup.NameEdit->isEnabled());
        EXPECT_FALSE(lookup.TypeCombo->isEnabled());
        EXPECT_EQ(lookup.TypeCombo->currentIndex(), 0);
        EXPECT_EQ(lookup.DatasetCombo->currentText(), QStringLiteral("Customers"));
        EXPECT_EQ(lookup.ResultFieldCombo->currentText(), QStringLiteral("Country"));
        lookup.LabelEdit->setText(QStringLiteral("Land"));
        lookup.OKButton->click();
        return lookup.result();
    });
    f.dialog.EditButton->click();
    EXPECT_EQ(f.orders->FieldByName(QStringLiteral("Country"))->DisplayLabel(), QStringLiteral("Land"));
}

TEST(FieldDialogs, FieldsOfADatasetOfAnotherOwnerCannotBeChanged) {
    TReportForm f;
    TForm appData;
    TTable *parts = f.AddTable(QStringLiteral("Parts"), QStringLiteral("parts.db"), &appData);
    TScriptedInteraction ui;
    QList<bool> enabled;
    bool calcShown = true;
    ui.AnswerDialog([&](QDialog &d) {
        auto &form = static_cast<TFieldPropertyForm &>(d);
        for (TButton *b : {form.EditButton, form.AddButton, form.DeleteButton, form.NewCalcFieldButton,
                           form.NewLookupButton})
            enabled << b->isEnabled();
        calcShown = !form.NewCalcFieldButton->isHidden();
        return int(QDialog::Accepted);
    });
    EditDataSetFields(parts, f.designer, false, {}, nullptr);
    EXPECT_EQ(enabled, (QList<bool>{false, false, false, false, false}));
    EXPECT_FALSE(calcShown);  // the designer does not allow new calculated fields by default
}

TEST(FieldDialogs, CalculatedAndLookupFieldsSurviveSavingAndLoading) {
    TestDir dir;
    const QString file = dir.Path(QStringLiteral("fields.QR2"));
    {
        TFieldsFixture f;
        TScriptedInteraction ui;
        AddCalcField(f, ui, QStringLiteral("Note"), 0, QStringLiteral("40"));
        ui.AnswerDialog([](QDialog &d) {
            auto &lookup = static_cast<TLookupFieldEditForm &>(d);
            lookup.NameEdit->setText(QStringLiteral("Country"));
            lookup.DatasetCombo->SetItemIndex(0);
            emit lookup.DatasetCombo->activated(0);
            lookup.KeyFieldCombo->SetText(QStringLiteral("CustNo"));
            lookup.LookupKeyCombo->SetText(QStringLiteral("CustNo"));
            lookup.ResultFieldCombo->SetText(QStringLiteral("Country"));
            lookup.OKButton->click();
            return lookup.result();
        });
        f.dialog.NewLookupButton->click();
        f.orders->FieldByName(QStringLiteral("ShipVia"))->SetDisplayLabel(QStringLiteral("Carrier"));
        f.report->SetDataSet(f.orders);
        ASSERT_TRUE(Save_Report(f.designer, &f.form, file, nullptr));
    }
    // The command-line tool reads them back as well.
    QProcess tool;
    tool.start(QStringLiteral(VENDAMO_BIN),
               {QStringLiteral("info"), file, QStringLiteral("--json"), QStringLiteral("--alias"),
                QStringLiteral("DEMODB=") + DemoTables()});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    const QJsonObject info = QJsonDocument::fromJson(tool.readAllStandardOutput()).object();
    QStringList computed;
    for (const QJsonValue &ds : info[QStringLiteral("datasets")].toArray())
        for (const QJsonValue &field : ds.toObject()[QStringLiteral("computedFields")].toArray())
            computed << field.toString();
    EXPECT_TRUE(computed.contains(QStringLiteral("Note (calculated)"))) << computed.join(u',').toStdString();
    EXPECT_TRUE(computed.contains(QStringLiteral("Country (lookup)"))) << computed.join(u',').toStdString();

    TReportForm g;
    ASSERT_TRUE(Load_Report(g.designer, &g.form, g.report, nullptr, file));
    auto *orders = dynamic_cast<TDataSet *>(g.form.FindComponent(QStringLiteral("Orders")));
    ASSERT_NE(orders, nullptr);
    if (!orders->Active()) orders->Open();
    TField *note = orders->FindField(QStringLiteral("Note"));
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->Calculated());
    EXPECT_EQ(note->Size(), 40);
    TField *country = orders->FindField(QStringLiteral("Country"));
    ASSERT_NE(country, nullptr);
    EXPECT_TRUE(country->Lookup());
    EXPECT_EQ(country->LookupResultField(), QStringLiteral("Country"));
    EXPECT_EQ(orders->FieldByName(QStringLiteral("ShipVia"))->DisplayLabel(), QStringLiteral("Carrier"));
}

}  // namespace
