// The child, sub-detail and group band dialogs, opened through the registry the designer window
// uses, changed and confirmed or cancelled; and the pen width edit's conversion error.
#include "design_fixture.h"
#include "dialog_test_support.h"

#include "dialogs/property_dialogs.h"

#include "design/designer_dialogs.h"
#include "reportlib/rep_frame.h"

#include "dblib/query.h"
#include "host/button_controls.h"
#include "host/list_controls.h"
#include "host/scripted_interaction.h"
#include "host/text_controls.h"

#include <QTest>

namespace {

class BandDialogTest : public ::testing::Test {
protected:
    bool Open(QObject *element) {
        bool accepted = false;
        EXPECT_TRUE(DesignerDialogs::Run(QString::fromLatin1(element->metaObject()->className()), F.Designer,
                                         TComponent::FromObject(element), accepted));
        return accepted;
    }
    template <class T>
    T *Add(const QString &name) {
        auto *band = new T(F.Form.get());
        band->SetName(name);
        band->SetParent(F.Report);
        return band;
    }
    TScriptedInteraction Script;
    TDesignForm F;
    TVendamoBand *Detail = F.AddBand(QStringLiteral("Detail1"));
};

}  // namespace

TEST_F(BandDialogTest, ChildBandTakesParentLinkAndPageConditionsOnOkOnly) {
    auto *child = Add<TVendamoChildBand>(QStringLiteral("Child1"));
    TVendamoBand *other = F.AddBand(QStringLiteral("Footer1"));
    Script.AnswerDialog([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Childband"));
        EXPECT_EQ(Control<TComboBox>(d, "ParentBandComboBox")->Items()->ToStringList(),
                  (QStringList{"(NONE)", "Detail1", "Footer1"}));
        EXPECT_EQ(Control<TComboBox>(d, "ParentBandComboBox")->currentIndex(), 0);
        EXPECT_EQ(d.findChildren<TCheckBox *>().size(), 10);  // four frame sides, six printing switches
        for (TCheckBox *b : d.findChildren<TCheckBox *>()) EXPECT_NE(b->Name(), QStringLiteral("NotOnLastPageCheckBox"));
        Control<TComboBox>(d, "ParentBandComboBox")->SetItemIndex(1);
        Control<TComboBox>(d, "LinkBandComboBox")->SetItemIndex(2);
        Control<TEdit>(d, "ExpressionEdit")->setText(QStringLiteral("1=1"));
        Control<TCheckBox>(d, "OddPagesCheckBox")->setChecked(true);
        Control<TCheckBox>(d, "NotOnFirstPageCheckBox")->setChecked(true);
        Control<TCheckBox>(d, "FrameBottomCheckBox")->setChecked(true);
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(Open(child));
    EXPECT_EQ(child->ParentBand(), Detail);
    EXPECT_EQ(child->LinkBand(), other);
    EXPECT_EQ(child->Expression(), QStringLiteral("1=1"));
    EXPECT_EQ(child->StartPageNum(), 1);
    EXPECT_EQ(child->PageStep(), 2);
    EXPECT_TRUE(child->NotOnFirstPage());
    EXPECT_TRUE(child->Frame()->DrawBottom());

    Script.AnswerDialog([](QDialog &d) {
        EXPECT_TRUE(Control<TCheckBox>(d, "OddPagesCheckBox")->isChecked());
        Control<TComboBox>(d, "ParentBandComboBox")->SetItemIndex(0);
        Control<TCheckBox>(d, "OddPagesCheckBox")->setChecked(false);
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(Open(child));
    EXPECT_EQ(child->ParentBand(), Detail);
    EXPECT_EQ(child->PageStep(), 2);

    // Both page boxes cleared again: every page.
    Script.AnswerDialog([](QDialog &d) {
        Control<TCheckBox>(d, "OddPagesCheckBox")->setChecked(false);
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(Open(child));
    EXPECT_EQ(child->StartPageNum(), 0);
    EXPECT_EQ(child->PageStep(), 0);
}

TEST_F(BandDialogTest, SubdetailBandTakesDatasetMasterBandsAndSwitches) {
    TQuery *orders = F.AddDataSet(QStringLiteral("Orders"), {"OrderNo", "Amount"});
    auto *header = F.AddBand(QStringLiteral("Header1"));
    auto *sub = Add<TVendamoSubdetail>(QStringLiteral("Sub1"));
    auto *inner = Add<TVendamoSubdetail>(QStringLiteral("Sub2"));
    Script.AnswerDialog([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Subdetailband"));
        EXPECT_EQ(Control<TComboBox>(d, "DataSetComboBox")->Items()->ToStringList(), (QStringList{"(NONE)", "Orders"}));
        // Masters: the report ("None") or another sub-detail band.
        EXPECT_EQ(Control<TComboBox>(d, "MasterComboBox")->Items()->ToStringList(), (QStringList{"(NONE)", "Sub2"}));
        EXPECT_TRUE(Control<TCheckBox>(d, "PrintIfEmptyCheckBox")->isChecked());
        Control<TComboBox>(d, "DataSetComboBox")->SetItemIndex(1);
        Control<TComboBox>(d, "MasterComboBox")->SetItemIndex(1);
        Control<TComboBox>(d, "HeaderBandComboBox")->SetItemIndex(2);  // None, Detail1, Header1, Sub2
        Control<TCheckBox>(d, "PrintBeforeCheckBox")->setChecked(true);
        Control<TCheckBox>(d, "PrintIfEmptyCheckBox")->setChecked(false);
        Control<TCheckBox>(d, "ForceNewPageCheckBox")->setChecked(true);
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(Open(sub));
    EXPECT_EQ(sub->DataSet(), orders);
    EXPECT_EQ(sub->Master(), inner);
    EXPECT_EQ(sub->HeaderBand(), header);
    EXPECT_EQ(sub->FooterBand(), nullptr);
    EXPECT_TRUE(sub->PrintBefore());
    EXPECT_FALSE(sub->PrintIfEmpty());
    EXPECT_TRUE(sub->ForceNewPage());
}

TEST_F(BandDialogTest, GroupBandTakesMasterFooterAndGroupExpression) {
    auto *footer = F.AddBand(QStringLiteral("GroupFooter1"));
    auto *group = Add<TVendamoGroup>(QStringLiteral("Group1"));
    group->SetExpression(QStringLiteral("Customers.City"));
    Script.AnswerDialog([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Groupband"));
        EXPECT_EQ(Control<TEdit>(d, "ExpressionEdit")->text(), QStringLiteral("Customers.City"));
        EXPECT_EQ(Control<TCheckBox>(d, "AtBottomCheckBox")->text(), QStringLiteral("Bottom of page"));
        Control<TComboBox>(d, "FooterBandComboBox")->SetItemIndex(2);
        Control<TEdit>(d, "ExpressionEdit")->setText(QStringLiteral("Customers.Country"));
        Control<TCheckBox>(d, "AtBottomCheckBox")->setChecked(true);
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(Open(group));
    EXPECT_EQ(group->FooterBand(), footer);
    EXPECT_EQ(group->Expression(), QStringLiteral("Customers.Country"));
    EXPECT_TRUE(group->PrintAtBottom());
    EXPECT_EQ(group->Master(), nullptr);
}

TEST_F(BandDialogTest, AnEmptyPenWidthIsAConversionErrorAndTheDialogStaysOpen) {
    Detail->Frame()->SetWidth(3);
    Script.AnswerDialog([](QDialog &d) {
        Control<TEdit>(d, "PenWidthSpinEdit")->clear();
        Control<TCheckBox>(d, "FrameTopCheckBox")->setChecked(true);
        QTest::mouseClick(Control<TButton>(d, "OKButton"), Qt::LeftButton);  // refused, stays open
        EXPECT_EQ(d.result(), int(QDialog::Rejected));
        return int(QDialog::Accepted);  // accepted without the button: checked again
    });
    Script.AnswerDialog([](QDialog &d) {
        TEdit *width = Control<TEdit>(d, "PenWidthSpinEdit");
        EXPECT_TRUE(width->text().isEmpty());  // the same dialog, as the user left it
        QTest::keyClicks(width, QStringLiteral("2"));
        QTest::mouseClick(Control<TButton>(d, "OKButton"), Qt::LeftButton);
        return d.result();
    });
    ASSERT_TRUE(EditBandProps(F.Designer, nullptr, Detail));
    EXPECT_EQ(Script.Errors(), (QStringList{"'' is not a valid integer value", "'' is not a valid integer value"}));
    EXPECT_EQ(Detail->Frame()->Width(), 2);
    EXPECT_TRUE(Detail->Frame()->DrawTop());
}
