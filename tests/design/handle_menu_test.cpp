// The selection handle's context menu, options dialog, property editing by double click and
// Enter, all answered through the interaction service.
#include "design_fixture.h"

#include "design/block_form.h"

#include "host/button_controls.h"
#include "host/conversions.h"
#include "host/property_access.h"
#include "host/scripted_interaction.h"
#include "host/text_controls.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// A point inside element e, in the handle's coordinates.
QPoint On(TStretch_Handle *h, QWidget *e) { return e->pos() - h->pos() + QPoint(5, 5); }

struct TMenuForm : TDesignForm {
    TMenuForm() {
        band = AddBand(QStringLiteral("Band1"), 200);
        a = AddLabel(QStringLiteral("A"), band, 20, 20, 40, 20);
        b = AddLabel(QStringLiteral("B"), band, 100, 20, 40, 20);
        Show();
    }
    TVendamoBand *band;
    TVendamoLabel *a, *b;
};

}  // namespace

TEST(HandleMenu, ItemsDependOnGroupAndSelectionAndCaptionsComeFromTheMessages) {
    TMenuForm f;
    TScriptedInteraction ui;
    f.Handle->Attach(f.a);
    ui.AnswerPopup(-1);
    Click(f.Handle, On(f.Handle, f.a), Qt::NoModifier, Qt::RightButton);
    ASSERT_EQ(ui.Questions().size(), 1);
    EXPECT_EQ(ui.Questions().last().Kind, QStringLiteral("popup"));
    EXPECT_EQ(ui.Questions().last().Text, QStringLiteral("Edit|Options|-|Bring to front|Send to back"));

    f.Handle->Attach(f.b);
    ui.AnswerPopup(6);  // group
    Click(f.Handle, On(f.Handle, f.a), Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(ui.Questions().last().Text, QStringLiteral("Edit|Options|-|Bring to front|Send to back|-|Group elements"));
    EXPECT_EQ(f.a->GroupID(), 1);
    EXPECT_EQ(f.b->GroupID(), 1);
    EXPECT_TRUE(f.Designer->HasChanged());

    // A grouped element offers ungrouping; clicking one selects its whole group.
    f.Designer->SelectElement(true, f.a);
    EXPECT_EQ(f.Handle->ChildCount(), 2);
    f.Designer->SelectElement(true, nullptr);
    f.Handle->AttachWithoutEvents(f.a);
    f.Handle->ReleaseChild(f.b);
    ui.AnswerPopup(7);  // ungroup the clicked element
    Click(f.Handle, On(f.Handle, f.a), Qt::NoModifier, Qt::RightButton);
    EXPECT_TRUE(ui.Questions().last().Text.endsWith(QStringLiteral("|Group elements|Ungroup element|Ungroup all elements")));
    EXPECT_EQ(f.a->GroupID(), 0);
    EXPECT_EQ(f.b->GroupID(), 1);
    EXPECT_FALSE(f.Handle->IsAttached());

    f.Designer->SelectElement(true, f.b);
    f.a->SetGroupID(1);
    f.Designer->SelectElement(true, f.b);
    ASSERT_EQ(f.Handle->ChildCount(), 2);
    ui.AnswerPopup(8);  // ungroup all
    Click(f.Handle, On(f.Handle, f.b), Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(f.a->GroupID(), 0);
    EXPECT_EQ(f.b->GroupID(), 0);
    EXPECT_FALSE(f.Handle->IsAttached());
    EXPECT_EQ(ui.Pending(), 0);
}

TEST(HandleMenu, ZOrderAndPropertyEditingByMenuDoubleClickAndEnter) {
    TMenuForm f;
    TScriptedInteraction ui;
    QStringList edited;
    bool accept = true;
    f.Designer->SetOnEditProperties(Handler<TVDMDesigner *, TComponent *, bool &>([&](TVDMDesigner *, TComponent *c, bool &r) {
        edited << c->Name();
        r = accept;
    }));
    f.Handle->Attach(f.a);
    ui.AnswerPopup(4);  // send to back
    Click(f.Handle, On(f.Handle, f.a), Qt::NoModifier, Qt::RightButton);
    EXPECT_LT(f.band->children().indexOf(f.a), f.band->children().indexOf(f.b));
    ui.AnswerPopup(3);  // bring to front
    Click(f.Handle, On(f.Handle, f.a), Qt::NoModifier, Qt::RightButton);
    EXPECT_GT(f.band->children().indexOf(f.a), f.band->children().indexOf(f.b));
    EXPECT_EQ(f.band->children().last(), f.Handle);

    ui.AnswerPopup(0);
    Click(f.Handle, On(f.Handle, f.a), Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(edited, QStringList{"A"});
    DoubleClick(f.Handle, On(f.Handle, f.a));
    EXPECT_EQ(edited.size(), 2);
    QTest::keyClick(f.Handle, Qt::Key_Return);
    EXPECT_EQ(edited.size(), 3);
    EXPECT_EQ(f.Designer->GetSelectedElements(), (QList<QWidget *>{f.a}));
    // BlockEdit keeps every path out; several selected: Enter edits nothing.
    f.a->SetBlockEdit(true);
    DoubleClick(f.Handle, On(f.Handle, f.a));
    QTest::keyClick(f.Handle, Qt::Key_Return);
    EXPECT_EQ(edited.size(), 3);
    f.a->SetBlockEdit(false);
    f.Handle->Attach(f.b);
    QTest::keyClick(f.Handle, Qt::Key_Return);
    EXPECT_EQ(edited.size(), 3);
    EXPECT_EQ(ui.Pending(), 0);
}

TEST(HandleOptions, ShowsTheElementAndWritesNameHintFlagsAndPosition) {
    TMenuForm f;
    TScriptedInteraction ui;
    f.Designer->SetAllowBlockEdit(true);
    f.a->SetHint(QStringLiteral("old hint"));
    f.a->SetBlockMove(true);
    f.Handle->Attach(f.a);
    TBlockForm *seen = nullptr;
    ui.AnswerDialog([&](QDialog &d) {
        auto &form = dynamic_cast<TBlockForm &>(d);
        seen = &form;
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Options"));
        EXPECT_EQ(form.NameEdit->text(), QStringLiteral("A"));
        EXPECT_EQ(form.HintEdit->text(), QStringLiteral("old hint"));
        EXPECT_EQ(form.FlagBoxes[3]->State(), cbChecked);   // no moving
        EXPECT_EQ(form.FlagBoxes[0]->State(), cbUnchecked);  // no deletion
        EXPECT_TRUE(form.FlagBoxes[0]->isEnabled());
        EXPECT_TRUE(form.FlagBoxes[5]->isEnabled());
        EXPECT_EQ(form.LeftEdit->text(), FormatFloat(QStringLiteral("0.00"), f.a->Size()->Left()));
        // Letters typed into a position field are dropped.
        form.WidthEdit->clear();
        QTest::keyClicks(form.WidthEdit, QStringLiteral("2x5"));
        EXPECT_EQ(form.WidthEdit->text(), QStringLiteral("25"));
        form.NameEdit->setText(QStringLiteral("Renamed"));
        form.HintEdit->setText(QStringLiteral("new hint"));
        form.FlagBoxes[3]->setChecked(false);
        form.FlagBoxes[0]->setChecked(true);
        form.LeftEdit->setText(QStringLiteral("1"));
        form.OKButton->click();
        return form.result();
    });
    Click(f.Handle, On(f.Handle, f.a), Qt::ShiftModifier, Qt::RightButton);
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(f.a->Name(), QStringLiteral("Renamed"));
    EXPECT_EQ(f.a->Hint(), QStringLiteral("new hint"));
    EXPECT_FALSE(f.a->BlockMove());
    EXPECT_TRUE(f.a->BlockDelete());
    EXPECT_NEAR(f.a->Size()->Left(), 1.0, 0.3);
    EXPECT_NEAR(f.a->Size()->Width(), 25.0, 0.3);
    EXPECT_TRUE(f.Designer->HasChanged());
    EXPECT_EQ(f.Designer->GetSelectedElements(), (QList<QWidget *>{f.a}));
    EXPECT_EQ(ui.Pending(), 0);
}

TEST(HandleOptions, BadNamesAndNumbersAreReportedAndTheRestStillApplies) {
    TMenuForm f;
    TScriptedInteraction ui;
    f.Designer->SetAllowBlockEdit(true);
    f.Handle->Attach(f.a);
    const double width = f.a->Size()->Width();
    ui.AnswerDialog([&](QDialog &d) {
        auto &form = dynamic_cast<TBlockForm &>(d);
        form.NameEdit->setText(QStringLiteral("B"));  // taken
        form.FlagBoxes[4]->setChecked(true);
        form.LeftEdit->setText(QStringLiteral("2"));
        form.TopEdit->setText(QStringLiteral("1..2"));
        form.WidthEdit->setText(QStringLiteral("30"));
        return int(QDialog::Accepted);
    });
    f.Handle->ShowOptions(f.a);
    EXPECT_EQ(ui.Errors(), (QStringList{"Invalid componentname!", "Invalid top, left, width or height value!"}));
    EXPECT_EQ(f.a->Name(), QStringLiteral("A"));
    EXPECT_TRUE(f.a->BlockResize());
    EXPECT_NEAR(f.a->Size()->Left(), 2.0, 0.3);
    EXPECT_DOUBLE_EQ(f.a->Size()->Width(), width);
}

TEST(HandleOptions, SeveralElementsShowMixedLocksAndOnlyChangedBoxesAreWritten) {
    TMenuForm f;
    TScriptedInteraction ui;
    f.Designer->SetAllowBlockEdit(true);
    f.a->SetBlockMove(true);
    f.a->SetBlockEdit(true);
    f.b->SetBlockEdit(true);
    f.Handle->Attach(f.a);
    f.Handle->Attach(f.b);
    ui.AnswerDialog([&](QDialog &d) {
        auto &form = dynamic_cast<TBlockForm &>(d);
        EXPECT_EQ(form.FlagBoxes[3]->State(), cbGrayed);
        EXPECT_EQ(form.FlagBoxes[2]->State(), cbChecked);
        EXPECT_TRUE(form.NameEdit->text().isEmpty());
        EXPECT_FALSE(form.NameEdit->isEnabled());
        form.FlagBoxes[2]->setChecked(false);  // changed: written to both
        form.TopEdit->setText(QStringLiteral("3"));
        return int(QDialog::Accepted);
    });
    const double topB = f.b->Size()->Top();
    ASSERT_NE(topB, 3.0);
    f.Handle->ShowOptions(f.b);
    EXPECT_TRUE(f.a->BlockMove());  // mixed and untouched: kept
    EXPECT_FALSE(f.b->BlockMove());
    EXPECT_FALSE(f.a->BlockEdit());
    EXPECT_FALSE(f.b->BlockEdit());
    // The top goes to every element its lock lets move.
    EXPECT_NEAR(f.b->Size()->Top(), 3.0, 0.3);
    EXPECT_NE(f.a->Size()->Top(), 3.0);
    EXPECT_TRUE(ui.Errors().isEmpty());
}

TEST(HandleOptions, WithoutBlockEditShiftRightClickAsksNothingAndLocksAreOffLimits) {
    TMenuForm f;
    TScriptedInteraction ui;
    f.Handle->Attach(f.a);
    Click(f.Handle, On(f.Handle, f.a), Qt::ShiftModifier, Qt::RightButton);
    EXPECT_TRUE(ui.Questions().isEmpty());

    ui.AnswerPopup(1);
    ui.AnswerDialog([&](QDialog &d) {
        auto &form = dynamic_cast<TBlockForm &>(d);
        EXPECT_FALSE(form.NameEdit->isEnabled());
        for (int i = 0; i < 5; ++i) EXPECT_FALSE(form.FlagBoxes[i]->isEnabled());
        form.FlagBoxes[1]->setChecked(true);  // disabled: never written
        return int(QDialog::Accepted);
    });
    Click(f.Handle, On(f.Handle, f.a), Qt::NoModifier, Qt::RightButton);
    EXPECT_FALSE(f.a->BlockChange());

    // A band: only its height, and no design-mode flags.
    f.Designer->SelectElement(true, f.band);
    ui.AnswerDialog([&](QDialog &d) {
        auto &form = dynamic_cast<TBlockForm &>(d);
        EXPECT_FALSE(form.LeftEdit->isEnabled());
        EXPECT_FALSE(form.WidthEdit->isEnabled());
        EXPECT_FALSE(form.FlagBoxes[5]->isEnabled());
        EXPECT_FALSE(form.FlagBoxes[6]->isEnabled());
        form.HeightEdit->setText(QStringLiteral("30"));
        return int(QDialog::Accepted);
    });
    f.Handle->ShowOptions(f.band);
    EXPECT_NEAR(f.band->Size()->Height(), 30.0, 0.3);
    EXPECT_EQ(ui.Pending(), 0);
}
