// Inserting elements and bands with the mouse: the target band, the set-up of every kind, the
// data-source choice, names, the property dialog's answer and the repeat flag.
#include "design_fixture.h"

#include "dblib/query.h"
#include "host/property_access.h"
#include "host/scripted_interaction.h"
#include "model/vendamo_picture_elements.h"
#include "model/vendamo_rich_elements.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Clicks at a point of the report, in report coordinates, on whatever lies there.
void ClickReport(TDesignForm &f, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QWidget *target = f.Report->childAt(at);
    if (!target) target = f.Report;
    Click(target, target->mapFrom(f.Report, at), Qt::NoModifier, button);
}

// The one new component of a class that a step created.
template <class T>
QList<T *> All(TDesignForm &f) {
    QList<T *> list;
    for (TComponent *c : f.Form->Components())
        if (auto *t = dynamic_cast<T *>(c)) list << t;
    return list;
}

// Counts the property dialogs the host was asked for, answering each with Accept.
struct TEditRecorder {
    QStringList Asked;
    bool Accept = true;
    void Install(TVDMDesigner *d) {
        d->SetOnEditProperties(Handler<TVDMDesigner *, TComponent *, bool &>(
            [this](TVDMDesigner *, TComponent *c, bool &result) {
                Asked << c->Name();
                result = Accept;
            }));
    }
};

}  // namespace

TEST(DesignerInsert, EveryElementKindIsSetUpOnTheClickedBandAndSelected) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 300);
    f.Show();
    TEditRecorder edits;
    edits.Install(f.Designer);
    const QPoint at = band->pos() + QPoint(30, 40);
    struct Case {
        quint16 State;
        const char *Class;
        QSize Size;
    };
    const Case cases[] = {{3, "TVendamoLabel", {60, 20}},  {5, "TVendamoExpr", {60, 20}},
                          {6, "TVendamoSysdata", {60, 20}}, {7, "TVendamoShape", {50, 50}},
                          {8, "TVendamoImage", {60, 60}},   {10, "TVendamoMemo", {150, 40}},
                          {11, "TVendamoRichtext", {50, 50}}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Class);
        f.Designer->SetVendamoState(c.State);
        f.Designer->SetHasChanged(false);
        ClickReport(f, at);
        QWidget *inserted = f.Designer->GetSelectedElement();
        ASSERT_NE(inserted, nullptr);
        EXPECT_STREQ(inserted->metaObject()->className(), c.Class);
        EXPECT_EQ(inserted->parentWidget(), band);
        EXPECT_EQ(inserted->geometry(), QRect(QPoint(30, 40), c.Size));
        EXPECT_EQ(f.Designer->VendamoState(), 0);
        EXPECT_TRUE(f.Designer->HasChanged());
        EXPECT_EQ(edits.Asked.last(), TComponent::FromObject(inserted)->Name());
        f.Designer->SelectElement(true, nullptr);
        delete inserted;
    }
    // Texts, auto-size switches (set without resizing) and the kind's own set-up.
    f.Designer->SetVendamoState(3);
    ClickReport(f, at);
    auto *label = qobject_cast<TVendamoLabel *>(f.Designer->GetSelectedElement());
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Caption(), QStringLiteral("ReportLabel"));
    EXPECT_TRUE(label->AutoSize());
    EXPECT_EQ(label->Name(), QStringLiteral("Label1"));
    f.Designer->SetVendamoState(3);
    ClickReport(f, band->pos() + QPoint(200, 100));
    EXPECT_EQ(TComponent::FromObject(f.Designer->GetSelectedElement())->Name(), QStringLiteral("Label2"));

    f.Designer->SetVendamoState(10);
    ClickReport(f, band->pos() + QPoint(300, 200));
    auto *memo = qobject_cast<TVendamoMemo *>(f.Designer->GetSelectedElement());
    ASSERT_NE(memo, nullptr);
    EXPECT_FALSE(memo->AutoSize());
    EXPECT_EQ(memo->Color(), clWhite);
    EXPECT_EQ(memo->Lines()->Count(), 0);
    EXPECT_EQ(memo->focusPolicy(), Qt::NoFocus);

    f.Designer->SetVendamoState(8);
    ClickReport(f, band->pos() + QPoint(400, 200));
    auto *image = qobject_cast<TVendamoImage *>(f.Designer->GetSelectedElement());
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(image->AutoSize());
    EXPECT_FALSE(image->Stretch());
    EXPECT_TRUE(image->Filename().endsWith(QStringLiteral("*.BMP")));
    EXPECT_TRUE(image->Filename().startsWith(QCoreApplication::applicationDirPath()));

    // A chart is a state that inserts nothing.
    const int before = f.Form->ComponentCount();
    f.Designer->SetVendamoState(16);
    ClickReport(f, at);
    EXPECT_EQ(f.Form->ComponentCount(), before);
}

TEST(DesignerInsert, DataElementsTakeThePickedDataSourceAndNothingIsInsertedWithoutOne) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 300);
    f.Show();
    const QPoint at = band->pos() + QPoint(10, 10);
    {
        // No dataset at all: a message that says so, not an unknown-error key.
        TScriptedInteraction ui;
        f.Designer->SetVendamoState(4);
        ClickReport(f, at);
        ASSERT_EQ(ui.Errors().size(), 1);
        EXPECT_FALSE(ui.Errors().first().contains(QStringLiteral("Unknown Error")));
        EXPECT_TRUE(All<TVendamoDBText>(f).isEmpty());
    }
    TQuery *customers = f.AddDataSet(QStringLiteral("Customers"), {QStringLiteral("Name")});
    const struct {
        quint16 State;
        QSize Size;
    } cases[] = {{4, {60, 20}}, {9, {60, 60}}, {12, {50, 50}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.State);
        f.Designer->SetVendamoState(c.State);
        ClickReport(f, at);
        QWidget *inserted = f.Designer->GetSelectedElement();
        ASSERT_NE(inserted, nullptr);
        EXPECT_EQ(GetPointerProperty(inserted, QStringLiteral("DataSet")), customers);
        EXPECT_EQ(inserted->size(), c.Size);
    }
    auto *text = All<TVendamoDBText>(f).value(0);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Caption(), QStringLiteral("ReportDBText"));
    EXPECT_FALSE(All<TVendamoDBImage>(f).value(0)->Stretch());

    // With two data sources the user picks; cancelling inserts nothing.
    f.AddDataSet(QStringLiteral("Orders"), {QStringLiteral("Total")});
    TScriptedInteraction ui;
    ui.AnswerCancel();
    f.Designer->SetVendamoState(4);
    f.Designer->SelectElement(true, nullptr);
    ClickReport(f, band->pos() + QPoint(200, 200));
    EXPECT_EQ(All<TVendamoDBText>(f).size(), 1);
    EXPECT_EQ(f.Designer->GetSelectedElement(), nullptr);
    EXPECT_EQ(ui.Pending(), 0);
}

TEST(DesignerInsert, TheTargetIsTheFirstBandHoldingThePointEdgesIncludedElseTheReport) {
    TDesignForm f;
    auto *first = f.AddBand(QStringLiteral("First"), 100);
    auto *second = f.AddBand(QStringLiteral("Second"), 100);
    f.Show();
    ASSERT_EQ(first->y() + first->height(), second->y()) << "the bands must share an edge";
    f.Designer->SetHasChanged(false);
    // On the shared edge the first band in component order wins.
    f.Designer->SetVendamoState(3);
    f.Designer->_MouseDown(Qt::LeftButton, Qt::NoModifier, first->x() + 15, second->y(), nullptr);
    QWidget *onEdge = f.Designer->GetSelectedElement();
    ASSERT_NE(onEdge, nullptr);
    EXPECT_EQ(onEdge->parentWidget(), first);
    EXPECT_EQ(onEdge->pos(), QPoint(15, first->height()));

    // Beside every band but on the report: the report itself, without offset.
    const QPoint free(first->x() + 5, second->y() + second->height() + 30);
    ASSERT_LT(free.y(), f.Report->height());
    f.Designer->SetVendamoState(3);
    f.Designer->_MouseDown(Qt::LeftButton, Qt::NoModifier, free.x(), free.y(), nullptr);
    ASSERT_NE(f.Designer->GetSelectedElement(), nullptr);
    EXPECT_EQ(f.Designer->GetSelectedElement()->parentWidget(), f.Report);
    EXPECT_EQ(f.Designer->GetSelectedElement()->pos(), free);

    // Beyond the report nothing is inserted and the insertion stays pending.
    const int before = f.Form->ComponentCount();
    f.Designer->SetVendamoState(3);
    f.Designer->SetHasChanged(false);
    f.Designer->_MouseDown(Qt::LeftButton, Qt::NoModifier, f.Report->width() + 10, 5, nullptr);
    EXPECT_EQ(f.Form->ComponentCount(), before);
    EXPECT_EQ(f.Designer->VendamoState(), 3);
    EXPECT_FALSE(f.Designer->HasChanged());
}

TEST(DesignerInsert, RepeatKeepsTheStateAndACancelledDialogFreesTheNewElement) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 300);
    f.Show();
    TEditRecorder edits;
    edits.Install(f.Designer);
    f.Designer->RepeatInsertion = true;
    f.Designer->SetVendamoState(3);
    ClickReport(f, band->pos() + QPoint(10, 10));
    ClickReport(f, band->pos() + QPoint(10, 100));
    EXPECT_EQ(All<TVendamoLabel>(f).size(), 2);
    EXPECT_EQ(f.Designer->VendamoState(), 3);

    f.Designer->RepeatInsertion = false;
    edits.Accept = false;
    ClickReport(f, band->pos() + QPoint(200, 10));
    EXPECT_EQ(All<TVendamoLabel>(f).size(), 2);
    EXPECT_EQ(edits.Asked.size(), 3);
    EXPECT_EQ(f.Designer->VendamoState(), 0);
}

TEST(DesignerInsert, BandsAreNamedFromBand1OnWithoutCaptionAndFreedWhenTheirDialogIsCancelled) {
    TDesignForm f;
    f.AddBand(QStringLiteral("BAND1"));
    f.Show();
    TEditRecorder edits;
    edits.Install(f.Designer);
    const struct {
        quint16 State;
        const char *Class;
    } cases[] = {{2, "TVendamoBand"}, {13, "TVendamoSubdetail"}, {14, "TVendamoGroup"}, {15, "TVendamoChildBand"}};
    QStringList names;
    for (const auto &c : cases) {
        f.Designer->SetVendamoState(c.State);
        // The click position plays no part: the report arranges its bands.
        f.Designer->_MouseDown(Qt::LeftButton, Qt::NoModifier, 5, 5, nullptr);
        QWidget *band = f.Designer->GetSelectedElement();
        ASSERT_NE(band, nullptr);
        EXPECT_STREQ(band->metaObject()->className(), c.Class);
        EXPECT_EQ(band->parentWidget(), f.Report);
        EXPECT_TRUE(qobject_cast<TRepBand *>(band)->Caption().isEmpty());
        EXPECT_EQ(f.Designer->VendamoState(), 0);
        names << TComponent::FromObject(band)->Name();
    }
    EXPECT_EQ(names, (QStringList{"BAND2", "BAND3", "BAND4", "BAND5"}));

    // A cancelled dialog frees the band; without AutoEditAfterInsert no dialog is shown.
    edits.Accept = false;
    f.Designer->SetVendamoState(2);
    f.Designer->_MouseDown(Qt::LeftButton, Qt::NoModifier, 5, 5, nullptr);
    EXPECT_EQ(f.Form->FindComponent(QStringLiteral("BAND6")), nullptr);
    EXPECT_EQ(f.Designer->VendamoState(), 0);
    const int asked = int(edits.Asked.size());
    SetBooleanProperty(f.Designer, QStringLiteral("AutoEditAfterInsert"), false);
    f.Designer->SetVendamoState(2);
    f.Designer->_MouseDown(Qt::LeftButton, Qt::NoModifier, 5, 5, nullptr);
    EXPECT_NE(f.Form->FindComponent(QStringLiteral("BAND6")), nullptr);
    EXPECT_EQ(edits.Asked.size(), asked);
}

TEST(DesignerInsert, TheInsertionCursorCoversBandsTheirElementsAndTheHandle) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"));
    auto *label = f.AddLabel(QStringLiteral("A"), band, 5, 5, 40, 10);
    f.Designer->SetAddCursor(crSizeNS);
    f.Designer->SetVendamoState(3);
    EXPECT_EQ(band->cursor().shape(), Qt::SizeVerCursor);
    EXPECT_EQ(label->cursor().shape(), Qt::SizeVerCursor);
    EXPECT_EQ(f.Handle->Cursor(), crSizeNS);
    f.Designer->SetVendamoState(0);
    EXPECT_EQ(band->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(f.Handle->Cursor(), crDefault);
}
