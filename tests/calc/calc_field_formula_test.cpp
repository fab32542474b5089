#include "calc/calc_field_formula.h"
#include "dblib/query.h"
#include "host/conversions.h"
#include "host/forms.h"
#include "test_paths.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

// A form with one open query "Orders" over a small SQLite file.
class CalcFormulaTest : public testing::Test {
protected:
    void SetUp() override {
        const QString file = dir.Path("calc.sqlite");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "calc-setup");
            db.setDatabaseName(file);
            ASSERT_TRUE(db.open());
            QSqlQuery q(db);
            ASSERT_TRUE(q.exec("CREATE TABLE orders (Name TEXT, City TEXT, Price REAL, Quantity INTEGER, Ratio TEXT)"));
            ASSERT_TRUE(q.exec("INSERT INTO orders VALUES ('Miller', 'Lyon', 2.5, 4, '3,5')"));
            db.close();
        }
        QSqlDatabase::removeDatabase("calc-setup");
        orders = new TQuery(&form);
        orders->SetName("Orders");
        orders->SetDatabaseName(file);
        orders->SQL()->SetText("SELECT * FROM orders");
        orders->Open();
        savedSettings = FormatSettings;
        FormatSettings.DecimalSeparator = u'.';
    }
    void TearDown() override { FormatSettings = savedSettings; }

    QString Eval(const QString &formula) {
        QString result = "unset";
        ParseVDMCalcField(&form, orders, formula, result);
        return result;
    }

    TestDir dir;
    TForm form;
    TQuery *orders = nullptr;
    TFormatSettings savedSettings;
};

}  // namespace

TEST_F(CalcFormulaTest, TextModeJoinsQuotedTextsAndFields) {
    EXPECT_EQ(Eval("Orders.Name + ', ' + Orders.City"), "Miller, Lyon");
    EXPECT_EQ(Eval("Name + \"-\" + City"), "Miller-Lyon");  // bare names are fields of DataSet
    EXPECT_EQ(Eval(""), "");
    EXPECT_EQ(Eval("   'padded'   "), "padded");
}

TEST_F(CalcFormulaTest, MissingFieldsAndDatasets) {
    EXPECT_EQ(Eval("Orders.Nothing"), "DBERROR");
    EXPECT_EQ(Eval("Nothing"), "DBERROR");
    EXPECT_EQ(Eval("Unknown.Name"), "");      // no dataset of that name: no value of its own
    EXPECT_EQ(Eval("orders.Name"), "");       // dataset names compare exactly
    EXPECT_EQ(Eval("'a' + Orders.Nothing"), "aDBERROR");
    // Arithmetic outside CALC( is one field reference.
    EXPECT_EQ(Eval("Orders.Price*Orders.Quantity"), "DBERROR");
    EXPECT_EQ(Eval("Unknown.Price*2"), "");
}

TEST_F(CalcFormulaTest, CalcHasNoPrecedenceAndFormatsDecimals) {
    EXPECT_EQ(Eval("CALC(Orders.Price*Orders.Quantity,2)"), "10.00");
    EXPECT_EQ(Eval("CALC(7/2)"), "3.5");
    EXPECT_EQ(Eval("CALC(2*3+4)"), "14");
    EXPECT_EQ(Eval("CALC(10-4-3)"), "9");
    EXPECT_EQ(Eval("CALC(-5)"), "-5");
    EXPECT_EQ(Eval("CALC(1)+CALC(2)"), "12");     // "+" outside CALC joins texts
    EXPECT_EQ(Eval("CALC(1,5+2)"), "1.00000");    // digits after the comma stop at "+"
    EXPECT_EQ(Eval("CALC(Orders.Price, 2)"), "3");  // a blank after the comma: 0 decimals
    EXPECT_EQ(Eval("CALC(Orders.Ratio*2)"), "7");  // a decimal comma in field text counts as point
    EXPECT_EQ(Eval("CALC(Orders.Nothing+1)"), "1");  // DBERROR is not a number: 0
}

TEST_F(CalcFormulaTest, GroupedOperandsAreSubExpressions) {
    EXPECT_EQ(Eval("CALC((2+3)*4)"), "20");
    EXPECT_EQ(Eval("CALC(2*(3))"), "6");
}

TEST_F(CalcFormulaTest, CopyCutsTexts) {
    EXPECT_EQ(Eval("COPY('abcdef',2,3)"), "bcd");
    EXPECT_EQ(Eval("COPY(Orders.Name,1,3)"), "Mil");
    EXPECT_EQ(Eval("COPY('abc',9,3)"), "");
    EXPECT_EQ(Eval("COPY('abc',2,99)"), "bc");
    EXPECT_EQ(Eval("COPY('abc',2)"), "ERROR");
    EXPECT_EQ(Eval("'x' + COPY('abc')"), "ERROR");
}

TEST_F(CalcFormulaTest, LongFormulasAreCutToTheirFirstHundredCharacters) {
    const QString longText = "'" + QString(120, u'a') + "'";
    // The piece is cut to 100 characters first, so the closing quote is lost and the opening one
    // and the last character of the cut piece are dropped.
    EXPECT_EQ(Eval(longText), QString(98, u'a'));
}

TEST_F(CalcFormulaTest, ArithmeticFailuresReachTheCaller) {
    EXPECT_THROW(Eval("CALC(1/0)"), EMathError);
    EXPECT_THROW(Eval("CALC(2*COPY('abc',1,2))"), EConvertError);
}

TEST_F(CalcFormulaTest, UsesTheLocaleDecimalSeparator) {
    FormatSettings.DecimalSeparator = u',';
    EXPECT_EQ(Eval("CALC(7/2)"), "3,5");
    EXPECT_EQ(Eval("CALC(Orders.Price,1)"), "2,5");
}
