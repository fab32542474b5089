// The property dialogs driven as a user does: controls filled from the element, changed with
// keys and clicks, and written back on OK only.
#include "design_fixture.h"

#include "dialogs/property_dialogs.h"
#include "dialogs/property_form.h"

#include "design/designer_dialogs.h"
#include "model/vendamo_picture_elements.h"
#include "reportlib/rep_frame.h"

#include "dblib/query.h"
#include "host/button_controls.h"
#include "host/list_controls.h"
#include "host/pen_brush.h"
#include "host/scripted_interaction.h"
#include "host/text_controls.h"
#include "test_paths.h"

#include <QImage>
#include <QTextCursor>
#include <QTest>
#include <gtest/gtest.h>

namespace {

template <class T>
T *Control(QDialog &dialog, const char *name) {
    for (T *c : dialog.findChildren<T *>())
        if (c->Name() == QLatin1String(name)) return c;
    ADD_FAILURE() << "no control " << name;
    return nullptr;
}

class PropertyDialogTest : public ::testing::Test {
protected:
    TScriptedInteraction Script;
    TDesignForm F;
    TVendamoBand *Band = F.AddBand(QStringLiteral("Band1"));
};

}  // namespace

TEST(PropertyLists, ShapeBrushAndPenModeItemsFollowTheStatedOrder) {
    using namespace PropertyLists;
    EXPECT_EQ(ShapeItem(0), 2);  // rectangle
    EXPECT_EQ(ShapeItem(1), 0);  // circle
    EXPECT_EQ(ShapeItem(5), 3);  // left and right lines
    EXPECT_EQ(BrushItem(0), 1);  // solid
    EXPECT_EQ(BrushItem(7), 3);  // diagonal cross
    EXPECT_EQ(PenMode(0), int(TPen::pmCopy));   // "PenMode1"
    EXPECT_EQ(PenMode(1), int(TPen::pmBlack));  // "PenMode2"
    EXPECT_EQ(PenModeItem(TPen::pmXor), 14);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(ShapeKind(ShapeItem(i)), i);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(BrushStyle(BrushItem(i)), i);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(PenMode(PenModeItem(i)), i);
    EXPECT_EQ(ShapeItem(9), -1);  // a damaged ordinal selects nothing
}

TEST_F(PropertyDialogTest, ShapeDialogWritesKindBrushAndPenOnOkOnly) {
    auto *shape = new TVendamoShape(F.Form.get());
    shape->SetName(QStringLiteral("Shape1"));
    shape->SetParent(Band);
    shape->Pen()->SetWidth(2);
    Script.AnswerDialog([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Shape"));
        TComboBox *kind = Control<TComboBox>(d, "ShapeComboBox");
        EXPECT_EQ(kind->currentIndex(), 2);  // rectangle
        EXPECT_TRUE(kind->isEnabled());
        kind->setFocus();
        QTest::keyClick(kind, Qt::Key_Up);  // horizontal line
        TComboBox *mode = Control<TComboBox>(d, "PenModeComboBox");
        QTest::keyClick(mode, Qt::Key_Up);  // from copy (item 0) nothing above
        mode->SetItemIndex(1);              // "PenMode2": black
        TEdit *width = Control<TEdit>(d, "PenWidthSpinEdit");
        width->selectAll();
        QTest::keyClicks(width, QStringLiteral("1x"));  // the letter is refused
        EXPECT_EQ(width->text(), QStringLiteral("1"));
        QTest::mouseClick(Control<TSpeedButton>(d, "PenWidthSpinEditDown"), Qt::LeftButton);
        EXPECT_EQ(width->text(), QStringLiteral("1"));  // not below 1
        for (int i = 0; i < 3; ++i) QTest::mouseClick(Control<TSpeedButton>(d, "PenWidthSpinEditUp"), Qt::LeftButton);
        EXPECT_EQ(width->text(), QStringLiteral("4"));
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(EditShapeProps(F.Designer, nullptr, shape));
    EXPECT_EQ(shape->Shape(), TRepShape::stHorLine);
    EXPECT_EQ(shape->Pen()->Mode(), TPen::pmBlack);
    EXPECT_EQ(shape->Pen()->Width(), 4);

    Script.AnswerDialog([](QDialog &d) {
        Control<TComboBox>(d, "ShapeComboBox")->SetItemIndex(0);
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(EditShapeProps(F.Designer, nullptr, shape));
    EXPECT_EQ(shape->Shape(), TRepShape::stHorLine);

    // A shape whose kind is locked shows it but does not offer to change it.
    shape->SetBlockChange(true);
    Script.AnswerDialog([](QDialog &d) {
        EXPECT_FALSE(Control<TComboBox>(d, "ShapeComboBox")->isEnabled());
        EXPECT_EQ(Control<TComboBox>(d, "ShapeComboBox")->currentIndex(), 1);
        return int(QDialog::Accepted);
    });
    EXPECT_TRUE(EditShapeProps(F.Designer, nullptr, shape));
}

TEST_F(PropertyDialogTest, LabelDialogKeepsTenthsOfADegreeWithinAFullTurn) {
    TVendamoLabel *label = F.AddLabel(QStringLiteral("Label1"), Band, 10, 10, 80, 20);
    label->SetDegree(455);
    auto run = [&](const QString &typed, bool wrap) {
        Script.AnswerDialog([&](QDialog &d) {
            TEdit *degree = Control<TEdit>(d, "DegreeEdit");
            degree->selectAll();
            QTest::keyClicks(degree, typed);
            Control<TCheckBox>(d, "WordwrapCheckBox")->setChecked(wrap);
            Control<TEdit>(d, "CaptionEdit")->setText(QStringLiteral("Total"));
            return int(QDialog::Accepted);
        });
        return EditLabelProps(F.Designer, nullptr, label);
    };
    Script.AnswerDialog([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Label"));
        EXPECT_EQ(Control<TEdit>(d, "DegreeEdit")->text(), QStringLiteral("45.5"));
        QTest::mouseClick(Control<TSpeedButton>(d, "DegreeUpButton"), Qt::LeftButton);
        EXPECT_EQ(Control<TEdit>(d, "DegreeEdit")->text(), QStringLiteral("46"));
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(EditLabelProps(F.Designer, nullptr, label));
    EXPECT_EQ(label->Degree(), 455);

    ASSERT_TRUE(run(QStringLiteral("12,25"), true));  // "," becomes the separator
    EXPECT_EQ(label->Degree(), 122);                  // 122.5 rounds to even
    EXPECT_EQ(label->Caption(), QStringLiteral("Total"));
    EXPECT_TRUE(label->WordWrap());
    ASSERT_TRUE(run(QStringLiteral("7000"), false));  // beyond a full turn: 7000 - 19 x 360 degrees
    EXPECT_EQ(label->Degree(), 1600);
    EXPECT_FALSE(label->WordWrap());
    ASSERT_TRUE(run(QString(), false));  // no number: the degree stays
    EXPECT_EQ(label->Degree(), 1600);
}

TEST_F(PropertyDialogTest, FrameDialogStartsFromTheFirstElementAndAppliesToTheSelection) {
    TVendamoLabel *a = F.AddLabel(QStringLiteral("A"), Band, 10, 10, 80, 20);
    TVendamoLabel *b = F.AddLabel(QStringLiteral("B"), Band, 100, 10, 80, 20);
    a->Frame()->SetDrawTop(true);
    a->Frame()->SetWidth(3);
    F.Designer->SelectElement(true, a);
    F.Handle->Attach(b);
    Script.AnswerDialog([](QDialog &d) {
        d.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&d));
        EXPECT_TRUE(Control<TCheckBox>(d, "TopCheckBox")->isChecked());
        EXPECT_EQ(Control<TEdit>(d, "PenWidthSpinEdit")->text(), QStringLiteral("3"));
        TCheckBox *left = Control<TCheckBox>(d, "LeftCheckBox");
        QTest::mouseClick(left, Qt::LeftButton, {}, QPoint(8, left->height() / 2));  // on the box itself
        return int(QDialog::Accepted);
    });
    bool accepted = false;
    ASSERT_TRUE(DesignerDialogs::Run(QStringLiteral("Frame"), F.Designer, a, accepted));
    EXPECT_TRUE(accepted);
    for (TVendamoLabel *l : {a, b}) {
        EXPECT_TRUE(l->Frame()->DrawTop());
        EXPECT_TRUE(l->Frame()->DrawLeft());
        EXPECT_FALSE(l->Frame()->DrawRight());
        EXPECT_EQ(l->Frame()->Width(), 3);
    }
}

TEST_F(PropertyDialogTest, ImageDialogTakesThePicturesNaturalSizeOnceThenStretches) {
    TestDir dir;
    const QString picture = dir.Path(QStringLiteral("logo.bmp"));
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(picture));
    auto *element = new TVendamoImage(F.Form.get());
    element->SetName(QStringLiteral("Image1"));
    element->SetParent(Band);
    Script.AnswerCancel();
    EXPECT_FALSE(EditImageProps(F.Designer, nullptr, element));
    EXPECT_TRUE(element->Filename().isEmpty());
    Script.AnswerFile(picture);
    ASSERT_TRUE(EditImageProps(F.Designer, nullptr, element));
    EXPECT_EQ(element->Filename(), picture);
    EXPECT_NEAR(element->SizeValue(3), 40 * 25.4 / 96, 0.01);  // the picture's natural size in mm
    EXPECT_NEAR(element->SizeValue(0), 30 * 25.4 / 96, 0.01);
    EXPECT_TRUE(element->Stretch());
    EXPECT_FALSE(element->AutoSize());
    // A file that is no picture: said so, and the name stays set.
    const QString broken = dir.Path(QStringLiteral("broken.jpg"));
    WriteWholeFile(broken, "not a picture");
    Script.AnswerFile(broken);
    EXPECT_TRUE(EditImageProps(F.Designer, nullptr, element));
    EXPECT_EQ(element->Filename(), broken);
    EXPECT_EQ(Script.Errors().size(), 1) << Script.Errors().join(QStringLiteral(" | ")).toStdString();
}

TEST_F(PropertyDialogTest, BandDialogOffersPageConditionsByKindAndClearsThemAgain) {
    TVendamoBand *other = F.AddBand(QStringLiteral("Band2"));
    auto *unnamed = new TVendamoBand(F.Form.get());
    unnamed->SetParent(F.Report);
    Band->SetBandType(TRepBand::rbPageHeader);
    Band->SetStartPageNum(1);
    Band->SetPageStep(2);  // odd pages
    Band->SetForceNewPage(true);
    Script.AnswerDialog([&](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Band"));
        TComboBox *kind = Control<TComboBox>(d, "BandTypeComboBox");
        EXPECT_EQ(kind->currentIndex(), 1);
        EXPECT_EQ(Control<TComboBox>(d, "LinkBandComboBox")->Items()->ToStringList(),
                  (QStringList{"(NONE)", "Band2", "-?-"}));  // the text of "None" first
        EXPECT_TRUE(Control<TCheckBox>(d, "OddPagesCheckBox")->isChecked());
        EXPECT_TRUE(Control<TCheckBox>(d, "OddPagesCheckBox")->isEnabled());
        // A page header never breaks: the break boxes are cleared and disabled.
        EXPECT_FALSE(Control<TCheckBox>(d, "ForceNewPageCheckBox")->isChecked());
        EXPECT_FALSE(Control<TCheckBox>(d, "ForceNewPageCheckBox")->isEnabled());
        EXPECT_FALSE(Control<TCheckBox>(d, "NotOnLastPageCheckBox")->isEnabled());
        // Clearing the odd pages again: every page.
        Control<TCheckBox>(d, "OddPagesCheckBox")->setChecked(false);
        Control<TComboBox>(d, "LinkBandComboBox")->SetItemIndex(1);
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(EditBandProps(F.Designer, nullptr, Band));
    EXPECT_EQ(Band->StartPageNum(), 0);
    EXPECT_EQ(Band->PageStep(), 0);
    EXPECT_FALSE(Band->ForceNewPage());
    EXPECT_EQ(Band->LinkBand(), other);

    // A detail band: page conditions disabled and its page settings left alone; even pages
    // chosen on a page footer.
    Band->SetBandType(TRepBand::rbDetail);
    Band->SetStartPageNum(3);
    Script.AnswerDialog([&](QDialog &d) {
        EXPECT_FALSE(Control<TCheckBox>(d, "EvenPagesCheckBox")->isEnabled());
        Control<TComboBox>(d, "BandTypeComboBox")->SetItemIndex(7);  // page footer, still 3 pages apart
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(EditBandProps(F.Designer, nullptr, Band));
    EXPECT_EQ(Band->BandType(), TRepBand::rbPageFooter);
    EXPECT_EQ(Band->StartPageNum(), 3);
    Band->SetStartPageNum(0);
    Script.AnswerDialog([&](QDialog &d) {
        EXPECT_TRUE(Control<TCheckBox>(d, "NotOnLastPageCheckBox")->isEnabled());
        Control<TCheckBox>(d, "EvenPagesCheckBox")->setChecked(true);
        Control<TCheckBox>(d, "NotOnLastPageCheckBox")->setChecked(true);
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(EditBandProps(F.Designer, nullptr, Band));
    EXPECT_EQ(Band->StartPageNum(), 2);
    EXPECT_EQ(Band->PageStep(), 2);
    EXPECT_TRUE(Band->NotOnLastPage());
}

TEST_F(PropertyDialogTest, DataFieldDialogTakesTheOnlySourceAndInterlocksTheReprintSwitches) {
    TQuery *customers = F.AddDataSet(QStringLiteral("Customers"), {"CustNo=Number", "Company", "City=Town"});
    auto *text = new TVendamoDBText(F.Form.get());
    text->SetName(QStringLiteral("DBText1"));
    text->SetParent(Band);
    Script.AnswerDialog([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Customers Data field"));
        EXPECT_TRUE(Control<TComboBox>(d, "DataSetComboBox")->isHidden());
        TComboBox *fields = Control<TComboBox>(d, "DataFieldComboBox");
        EXPECT_EQ(fields->Items()->ToStringList(), (QStringList{"Number", "Company", "Town"}));
        EXPECT_EQ(fields->currentIndex(), 0);
        fields->SetItemIndex(2);
        TCheckBox *suppress = Control<TCheckBox>(d, "SuppressCheckBox");
        TCheckBox *page = Control<TCheckBox>(d, "ReprintPageCheckBox");
        EXPECT_FALSE(page->isEnabled());
        suppress->setChecked(true);
        EXPECT_TRUE(page->isEnabled());
        page->setChecked(true);
        Control<TEdit>(d, "FormatEdit")->setText(QStringLiteral("#,##0.00"));
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(EditDBTextProps(F.Designer, nullptr, text));
    EXPECT_EQ(text->DataSet(), customers);
    EXPECT_EQ(text->DataField(), QStringLiteral("City"));
    EXPECT_TRUE(text->SuppressRepeatedValues());
    EXPECT_TRUE(text->ReprintOnNewPage());
    EXPECT_FALSE(text->ReprintOnNewGroup());
    EXPECT_EQ(text->Mask(), QStringLiteral("#,##0.00"));

    // A second source: the dataset box lists both and switching it refills the fields.
    TQuery *orders = F.AddDataSet(QStringLiteral("Orders"), {"OrderNo", "Amount"});
    Script.AnswerDialog([](QDialog &d) {
        TComboBox *sets = Control<TComboBox>(d, "DataSetComboBox");
        EXPECT_FALSE(sets->isHidden());
        EXPECT_EQ(sets->Items()->ToStringList(), (QStringList{"Customers", "Orders"}));
        EXPECT_EQ(Control<TComboBox>(d, "DataFieldComboBox")->currentText(), QStringLiteral("Town"));
        sets->setFocus();
        QTest::keyClick(sets, Qt::Key_Down);
        EXPECT_EQ(Control<TComboBox>(d, "DataFieldComboBox")->Items()->ToStringList(),
                  (QStringList{"OrderNo", "Amount"}));
        Control<TComboBox>(d, "DataFieldComboBox")->SetItemIndex(1);
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(EditDBTextProps(F.Designer, nullptr, text));
    EXPECT_EQ(text->DataSet(), orders);
    EXPECT_EQ(text->DataField(), QStringLiteral("Amount"));
}

TEST_F(PropertyDialogTest, DataFieldDialogWithoutAnySourceOffersNone) {
    auto *text = new TVendamoDBText(F.Form.get());
    text->SetParent(Band);
    Script.AnswerDialog([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Data field"));
        EXPECT_EQ(Control<TComboBox>(d, "DataFieldComboBox")->count(), 0);
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(EditDBTextProps(F.Designer, nullptr, text));
    EXPECT_EQ(text->DataSet(), nullptr);
    EXPECT_TRUE(text->DataField().isEmpty());
}

TEST_F(PropertyDialogTest, SystemFieldDialogChoosesTheKindAndItsText) {
    auto *sysdata = new TVendamoSysdata(F.Form.get());
    sysdata->SetParent(Band);
    Script.AnswerDialog([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Systemfield"));
        TComboBox *kind = Control<TComboBox>(d, "DataComboBox");
        EXPECT_EQ(kind->count(), 7);
        kind->SetItemIndex(3);  // page number
        Control<TEdit>(d, "TextEdit")->setText(QStringLiteral("Page "));
        Control<TComboBox>(d, "AlignmentComboBox")->SetItemIndex(2);
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(EditSysDataProps(F.Designer, nullptr, sysdata));
    EXPECT_EQ(sysdata->Data(), TRepSysData::sdPageNumber);
    EXPECT_EQ(sysdata->Text(), QStringLiteral("Page "));
    EXPECT_EQ(sysdata->Alignment(), TRepPrintable::taCenter);
}

TEST_F(PropertyDialogTest, ExpressionDialogSetsExpressionMasterAndReset) {
    auto *expr = new TVendamoExpr(F.Form.get());
    expr->SetParent(Band);
    expr->SetExpression(QStringLiteral("COUNT"));
    Script.AnswerDialog([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Expression field"));
        EXPECT_EQ(Control<TEdit>(d, "ExpressionEdit")->text(), QStringLiteral("COUNT"));
        EXPECT_EQ(Control<TComboBox>(d, "MasterComboBox")->Items()->ToStringList(), QStringList{"Report"});
        Control<TEdit>(d, "ExpressionEdit")->setText(QStringLiteral("SUM(1)"));
        Control<TComboBox>(d, "MasterComboBox")->SetItemIndex(0);
        Control<TCheckBox>(d, "ResetCheckBox")->setChecked(true);
        Control<TEdit>(d, "DegreeEdit")->setText(QStringLiteral("90"));
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(EditExpressionProps(F.Designer, nullptr, expr));
    EXPECT_EQ(expr->Expression(), QStringLiteral("SUM(1)"));
    EXPECT_EQ(expr->Master(), F.Report);
    EXPECT_TRUE(expr->ResetAfterPrint());
    EXPECT_EQ(expr->Degree(), 900);
}

TEST(MemoEditing, ExpressionsGoBetweenBracketsAndNumbersThroughStr) {
    EXPECT_EQ(MemoEditing::ExpressionInsert(QStringLiteral("1+2"), true), QStringLiteral("%%STR(1+2)%%"));
    EXPECT_EQ(MemoEditing::ExpressionInsert(QStringLiteral("'a'"), false), QStringLiteral("%%'a'%%"));
    EXPECT_EQ(MemoEditing::ToggleRemoveMarker(QStringLiteral("Street")), QStringLiteral("%DELStreet"));
    EXPECT_EQ(MemoEditing::ToggleRemoveMarker(QStringLiteral("%DELStreet")), QStringLiteral("Street"));
    TDesignForm f;
    EXPECT_TRUE(MemoEditing::ExpressionIsNumeric(f.Report, QStringLiteral("1+2")));
    EXPECT_FALSE(MemoEditing::ExpressionIsNumeric(f.Report, QStringLiteral("'a'+'b'")));
    EXPECT_FALSE(MemoEditing::ExpressionIsNumeric(f.Report, QStringLiteral("1+")));  // does not parse
}

TEST_F(PropertyDialogTest, MemoDialogTogglesTheRemoveMarkerOfTheCaretLine) {
    auto *memo = new TVendamoMemo(F.Form.get());
    memo->SetParent(Band);
    memo->Lines()->SetText(QStringLiteral("Name\nStreet\nCity"));
    Script.AnswerDialog([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Memo"));
        TMemo *lines = Control<TMemo>(d, "LinesMemo");
        QTextCursor cursor = lines->textCursor();
        cursor.setPosition(7);  // within "Street"
        lines->setTextCursor(cursor);
        QTest::mouseClick(Control<TButton>(d, "RemoveLineButton"), Qt::LeftButton);
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(EditMemoProps(F.Designer, nullptr, memo));
    EXPECT_EQ(memo->Lines()->ToStringList(), (QStringList{"Name", "%DELStreet", "City"}));
    Script.AnswerDialog([](QDialog &d) {
        TMemo *lines = Control<TMemo>(d, "LinesMemo");
        QTextCursor cursor = lines->textCursor();
        cursor.setPosition(6);
        lines->setTextCursor(cursor);
        QTest::mouseClick(Control<TButton>(d, "RemoveLineButton"), Qt::LeftButton);
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(EditMemoProps(F.Designer, nullptr, memo));
    EXPECT_EQ(memo->Lines()->ToStringList(), (QStringList{"Name", "%DELStreet", "City"}));
}
