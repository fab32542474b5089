// The parameter dialog's value box under each of its eleven data types: what each type takes,
// what it refuses (the dialog then stays open with an error), and what the query gets on OK.
#include "data/parameter_form.h"
#include "data_fixture.h"
#include "host/button_controls.h"
#include "host/conversions.h"
#include "host/date_time.h"
#include "host/list_controls.h"
#include "host/text_controls.h"

namespace {

const QString kInvalid = QStringLiteral("Value is invalid for selected datatype!");

struct TTypeCase {
    QString item;       // the type item as the dialog lists it
    TFieldType type;    // the field type it stands for
    QString good;       // a text the type takes
    QString shown;      // that value as the dialog shows it again
    QString bad;        // a text the type refuses (empty: it takes every text)
};

std::vector<TTypeCase> Cases() {
    const TDateTime christmas = EncodeDate(2026, 12, 24);
    const TDateTime evening = EncodeTime(18, 30, 15, 0);
    return {
        {QStringLiteral("BCD"), ftBCD, QStringLiteral("12.5"), FloatToStr(12.5), QStringLiteral("12,5,0")},
        {QStringLiteral("Boolean"), ftBoolean, QStringLiteral("yes"), QStringLiteral("True"), QStringLiteral("maybe")},
        {QStringLiteral("Curreny"), ftCurrency, QStringLiteral("7.25"), FloatToStr(7.25), QStringLiteral("7 EUR")},
        {QStringLiteral("Date"), ftDate, DateToStr(christmas), DateToStr(christmas), QStringLiteral("Christmas")},
        {QStringLiteral("DateTime"), ftDateTime, DateTimeToStr(christmas + evening),
         DateTimeToStr(christmas + evening), QStringLiteral("soon")},
        {QStringLiteral("Integer"), ftInteger, QStringLiteral("-42"), QStringLiteral("-42"), QStringLiteral("4.5")},
        {QStringLiteral("Float"), ftFloat, QStringLiteral("1500.5"), FloatToStr(1500.5), QStringLiteral("lots")},
        {QStringLiteral("Smallint"), ftSmallint, QStringLiteral("32767"), QStringLiteral("32767"), QStringLiteral("32768")},
        {QStringLiteral("String"), ftString, QStringLiteral(" any text "), QStringLiteral(" any text "), QString()},
        {QStringLiteral("Time"), ftTime, TimeToStr(evening), TimeToStr(evening), QStringLiteral("noon")},
        {QStringLiteral("Word"), ftWord, QStringLiteral("65535"), QStringLiteral("65535"), QStringLiteral("-1")},
    };
}

void ChooseType(TDBSetupForm4 &form, const QString &item) {
    form.TypeComboBox->SetItemIndex(form.TypeComboBox->findText(item));
    emit form.TypeComboBox->activated(form.TypeComboBox->currentIndex());
}

TParams OneParameter() {
    TParams params;
    params.CreateParam(ftUnknown, QStringLiteral("P"), ptInput);
    return params;
}

TEST(ParameterTypes, EachTypeTakesItsValuesAndRefusesOthers) {
    TReportForm f;
    for (const TTypeCase &c : Cases()) {
        SCOPED_TRACE(c.item.toStdString());
        TScriptedInteraction ui;
        TDBSetupForm4 form;
        form.Prepare(OneParameter(), f.designer);
        ChooseType(form, c.item);
        form.ValueRadioButton->click();
        if (!c.bad.isEmpty()) {
            form.ValueEdit->setText(c.bad);
            form.OKButton->click();
            EXPECT_EQ(form.result(), 0) << "a refused value must keep the dialog open";
            EXPECT_EQ(ui.Errors(), QStringList{kInvalid});
            EXPECT_EQ(form.ValueEdit->text(), c.bad) << "the user's input stays";
        }
        form.ValueEdit->setText(c.good);
        form.OKButton->click();
        EXPECT_EQ(form.result(), int(QDialog::Accepted));
        const TParam &p = form.Params()[0];
        EXPECT_EQ(p.DataType(), c.type);
        EXPECT_TRUE(p.Bound());
        EXPECT_FALSE(p.IsNull());
        EXPECT_EQ(p.AsString(), c.shown);

        // Opened again on the stored parameters, the dialog shows the same type and value.
        TDBSetupForm4 again;
        again.Prepare(form.Params(), f.designer);
        EXPECT_EQ(again.TypeComboBox->currentText(), c.item);
        EXPECT_TRUE(again.ValueRadioButton->isChecked());
        EXPECT_EQ(again.ValueEdit->text(), c.shown);
    }
}

TEST(ParameterTypes, StoredValuesKeepTheirMeaning) {
    TReportForm f;
    TScriptedInteraction ui;
    TDBSetupForm4 form;
    TParams params;
    for (const char *name : {"B", "D", "T", "W"}) params.CreateParam(ftUnknown, QLatin1String(name), ptInput);
    form.Prepare(params, f.designer);
    const auto set = [&](int row, const QString &item, const QString &text) {
        form.ParamListBox->SetItemIndex(row);
        ChooseType(form, item);
        form.ValueRadioButton->click();
        form.ValueEdit->setText(text);
        emit form.ValueEdit->editingFinished();
    };
    set(0, QStringLiteral("Boolean"), QStringLiteral("N"));
    set(1, QStringLiteral("Date"), QStringLiteral("2026-02-28 23:00:00"));  // as databases write it
    set(2, QStringLiteral("Time"), TimeToStr(EncodeTime(6, 5, 4, 0)));
    set(3, QStringLiteral("Word"), QStringLiteral("0"));
    form.OKButton->click();
    ASSERT_EQ(form.result(), int(QDialog::Accepted));
    EXPECT_EQ(ui.Errors(), QStringList());
    EXPECT_FALSE(form.Params()[0].AsBoolean());
    EXPECT_EQ(form.Params()[0].AsString(), QStringLiteral("False"));
    // A date parameter drops the time of day it was given.
    EXPECT_DOUBLE_EQ(form.Params()[1].AsDateTime(), EncodeDate(2026, 2, 28));
    EXPECT_DOUBLE_EQ(form.Params()[2].AsDateTime(), EncodeTime(6, 5, 4, 0));
    EXPECT_EQ(form.Params()[3].AsInteger(), 0);
}

TEST(ParameterTypes, ChangingTheTypeRechecksTheTypedValue) {
    TReportForm f;
    TScriptedInteraction ui;
    TDBSetupForm4 form;
    form.Prepare(OneParameter(), f.designer);
    ChooseType(form, QStringLiteral("Integer"));
    form.ValueRadioButton->click();
    form.ValueEdit->setText(QStringLiteral("70000"));
    emit form.ValueEdit->editingFinished();
    EXPECT_EQ(form.Params()[0].AsInteger(), 70000);
    EXPECT_EQ(ui.Errors(), QStringList());

    ChooseType(form, QStringLiteral("Smallint"));  // out of range for the new type
    EXPECT_EQ(ui.Errors(), QStringList{kInvalid});
    form.OKButton->click();
    EXPECT_EQ(form.result(), 0);

    ChooseType(form, QStringLiteral("Float"));
    form.OKButton->click();
    EXPECT_EQ(form.result(), int(QDialog::Accepted));
    EXPECT_EQ(form.Params()[0].DataType(), ftFloat);
    EXPECT_DOUBLE_EQ(form.Params()[0].AsFloat(), 70000.0);
}

TEST(ParameterTypes, AnEmptyValueAndTheOtherSourcesStoreNoValue) {
    TReportForm f;
    TScriptedInteraction ui;
    TDBSetupForm4 form;
    TParams params;
    for (const char *name : {"Empty", "Ask", "Master"}) params.CreateParam(ftInteger, QLatin1String(name), ptInput);
    params[1].SetAsInteger(5);
    params[2].SetAsInteger(6);
    form.Prepare(params, f.designer);
    form.ValueRadioButton->click();
    form.ValueEdit->setText(QString());
    form.ParamListBox->SetItemIndex(1);
    form.AskRadioButton->click();
    form.ParamListBox->SetItemIndex(2);
    form.MasterRadioButton->click();
    form.OKButton->click();
    ASSERT_EQ(form.result(), int(QDialog::Accepted));
    EXPECT_EQ(ui.Errors(), QStringList());
    EXPECT_TRUE(form.Params()[0].Bound());
    EXPECT_TRUE(form.Params()[0].IsNull());
    EXPECT_TRUE(form.Params()[1].Bound());
    EXPECT_TRUE(form.Params()[1].IsNull());
    EXPECT_FALSE(form.Params()[2].Bound());
    EXPECT_TRUE(form.Params()[2].IsNull());
}

}  // namespace
