// Undo and redo after every kind of command, one step per command, what undo keeps and what it
// leaves alone; and the clipboard between two designers and two reports.
#include "design_fixture.h"

#include "host/property_access.h"
#include "host/scripted_interaction.h"
#include "host/stream.h"
#include "persist/element_streams.h"
#include "persist/report_writer.h"
#include "test_paths.h"

#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

// The report as the writer stores it: equal images mean equal reports.
QByteArray Image(TDesignForm &f) {
    TMemoryStream s;
    EXPECT_TRUE(Save_Report_To_Stream(s, nullptr, f.Designer, false, f.Form.get()));
    return s.Data();
}

QWidget *Named(TDesignForm &f, const char *name) {
    TComponent *c = f.Form->FindComponent(QString::fromLatin1(name));
    return c ? qobject_cast<QWidget *>(c->Object()) : nullptr;
}

struct TUndoForm : TDesignForm {
    TUndoForm() {
        band = AddBand(QStringLiteral("Band1"), 200);
        AddLabel(QStringLiteral("A"), band, 20, 20, 60, 20);
        AddLabel(QStringLiteral("B"), band, 120, 60, 60, 20);
        AddLabel(QStringLiteral("C"), band, 220, 40, 60, 20);
        Designer->SetUndoEnabled(true);
        Designer->SetUndoLimit(5);
        Designer->SetOnEditProperties(Handler<TVDMDesigner *, TComponent *, bool &>(
            [](TVDMDesigner *, TComponent *c, bool &r) {
                if (auto *l = qobject_cast<TVendamoLabel *>(c->Object())) l->SetCaption(QStringLiteral("edited"));
                r = true;
            }));
        Show();
    }
    void Select(std::initializer_list<const char *> names) {
        Designer->SelectElement(true, nullptr);
        for (const char *n : names) Designer->SelectElement(false, Named(*this, n));
    }
    TVendamoBand *band;
};

}  // namespace

TEST(UndoCommands, EveryKindOfCommandIsOneStepThatUndoesAndRedoes) {
    using Step = std::function<void(TUndoForm &)>;
    const struct {
        const char *Name;
        Step Prepare;  // not part of the command
        Step Run;
    } commands[] = {
        {"arrow move", {}, [](TUndoForm &f) { f.Select({"A"}); QTest::keyClick(f.Handle, Qt::Key_Right); }},
        {"drag", {}, [](TUndoForm &f) { f.Select({"A"}); Drag(f.Handle, QPoint(20, 10), QPoint(50, 40)); }},
        {"align", {}, [](TUndoForm &f) { f.Select({"A", "B", "C"}); f.Designer->BottomAlignSelectedElements(); }},
        {"centre", {}, [](TUndoForm &f) { f.Select({"B"}); f.Designer->HorizontalParentCenterSelectedElements(); }},
        {"spacing", {}, [](TUndoForm &f) { f.Select({"C", "A", "B"}); f.Designer->HorizontalSpaceEqualSelectedElements(); }},
        {"delete", {}, [](TUndoForm &f) { f.Select({"A", "B"}); QTest::keyClick(f.Handle, Qt::Key_Delete); }},
        {"cut", {}, [](TUndoForm &f) { f.Select({"C"}); QTest::keyClick(f.Handle, Qt::Key_X, Qt::ControlModifier); }},
        // A paste that sticks out of its band is moved in: still one step.
        {"paste",
         [](TUndoForm &f) {
             f.Select({"B"});
             f.Designer->CopyToVDMClipboard();
             f.band->SetHeight(30);
         },
         [](TUndoForm &f) {
             f.Designer->SelectElement(true, f.band);
             f.Designer->PasteFromVDMClipboard();
         }},
        {"insert label", {},
         [](TUndoForm &f) {
             f.Designer->SetVendamoState(3);
             f.Designer->_MouseDown(Qt::LeftButton, Qt::NoModifier, f.band->x() + 300, f.band->y() + 100, nullptr);
         }},
        {"insert band", {},
         [](TUndoForm &f) {
             f.Designer->SetVendamoState(2);
             f.Designer->_MouseDown(Qt::LeftButton, Qt::NoModifier, 5, 5, nullptr);
         }},
        {"text alignment", {}, [](TUndoForm &f) { f.Select({"A"}); f.Designer->TextCenter(); }},
        {"font", {}, [](TUndoForm &f) { f.Select({"A", "B"}); f.Designer->SetSelectedElementsFontSize(22); }},
        {"group", {}, [](TUndoForm &f) { f.Select({"A", "B"}); f.Designer->GroupSelectedElements(); }},
        {"edit by Enter", {}, [](TUndoForm &f) { f.Select({"B"}); QTest::keyClick(f.Handle, Qt::Key_Return); }},
        {"z-order", {}, [](TUndoForm &f) { f.Select({"A"}); f.Designer->BringToFrontSelectedElements(); }},
    };
    for (const auto &c : commands) {
        SCOPED_TRACE(c.Name);
        TUndoForm f;
        if (c.Prepare) c.Prepare(f);
        f.Designer->ClearUndo();
        const QByteArray before = Image(f);
        c.Run(f);
        const QByteArray after = Image(f);
        EXPECT_NE(after, before);
        ASSERT_TRUE(f.Designer->CanUndo());
        f.Designer->DoUndo();
        EXPECT_EQ(Image(f), before);
        EXPECT_FALSE(f.Designer->CanUndo()) << "the command took more than one step";
        ASSERT_TRUE(f.Designer->CanRedo());
        f.Designer->DoRedo();
        EXPECT_EQ(Image(f), after);
    }
}

TEST(UndoCommands, LoadingForgetsTheHistoryAndUndoKeepsDesignSettingsQuietly) {
    TUndoForm f;
    TMemoryStream saved;
    ASSERT_TRUE(f.Designer->SaveReport_ToStream(saved));
    f.Select({"A"});
    QTest::keyClick(f.Handle, Qt::Key_Right);
    ASSERT_TRUE(f.Designer->CanUndo());
    saved.SetPosition(0);
    ASSERT_TRUE(f.Designer->LoadReport_FromStream(saved));
    EXPECT_FALSE(f.Designer->CanUndo());

    // Design settings that report files do not keep survive an undo; the application hears of
    // no save or load.
    int saves = 0, loads = 0;
    f.Designer->SetOnSaveReport(Handler<TStream *>([&](TStream *) { ++saves; }));
    f.Designer->SetOnLoadReport(Handler<TStream *>([&](TStream *) { ++loads; }));
    auto *band = qobject_cast<TVendamoBand *>(Named(f, "Band1"));
    ASSERT_NE(band, nullptr);
    band->SetBlockSelection(true);
    band->SetDesignBackgroundDX(7);
    f.Designer->SelectElement(true, Named(f, "B"));
    QTest::keyClick(f.Handle, Qt::Key_Down);
    f.Designer->DoUndo();
    band = qobject_cast<TVendamoBand *>(Named(f, "Band1"));
    EXPECT_TRUE(band->BlockSelection());
    EXPECT_EQ(band->DesignBackgroundDX(), 7);
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(loads, 0);
}

TEST(UndoCommands, NewGroupsStayApartFromLoadedOnes) {
    TUndoForm f;
    SetIntegerProperty(Named(f, "C"), QStringLiteral("GroupID"), 4);
    f.Select({"A", "B"});
    f.Designer->GroupSelectedElements();
    EXPECT_EQ(GetIntegerProperty(Named(f, "A"), QStringLiteral("GroupID")), 5);
    f.Designer->SelectElement(true, Named(f, "A"));
    EXPECT_EQ(f.Designer->GetSelectedElements().size(), 2);
}

TEST(ClipboardBetween, TwoDesignersOfOneProcessShareTheClipboardAndItsBandsFlag) {
    TDesignForm first, second;
    auto *band1 = first.AddBand(QStringLiteral("Band1"), 100);
    first.AddLabel(QStringLiteral("Price"), band1, 10, 10, 50, 20);
    auto *target = second.AddBand(QStringLiteral("Target"), 100);
    auto *label = second.AddLabel(QStringLiteral("Other"), target, 200, 10, 50, 20);

    first.Designer->SelectElement(true, band1);
    first.Designer->CopyToVDMClipboard();
    // The second designer never copied: the bands still go onto its report.
    second.Designer->SelectElement(true, label);
    second.Designer->PasteFromVDMClipboard();
    QWidget *pasted = second.Designer->GetSelectedElement();
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->parentWidget(), second.Report);
    EXPECT_NE(second.Form->FindComponent(QStringLiteral("Price")), nullptr);
}

TEST(ClipboardBetween, AnElementFileOfOneReportIsReadIntoAnother) {
    TestDir dir;
    const QString file = dir.Path(QStringLiteral("block.vde"));
    {
        TDesignForm source;
        auto *band = source.AddBand(QStringLiteral("Band1"), 100);
        auto *a = source.AddLabel(QStringLiteral("Heading"), band, 10, 10, 80, 20);
        a->SetCaption(QStringLiteral("Total"));
        ASSERT_TRUE(SaveElementsToFile(source.Designer, {a}, file));
    }
    TDesignForm target;
    auto *band = target.AddBand(QStringLiteral("Detail"), 100);
    target.Designer->SelectElement(true, band);
    ASSERT_TRUE(ReadElementsFromFile(target.Designer, file));
    auto *read = qobject_cast<TVendamoLabel *>(target.Form->FindComponent(QStringLiteral("Heading"))->Object());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->parentWidget(), band);
    EXPECT_EQ(read->Caption(), QStringLiteral("Total"));
    EXPECT_EQ(read->pos(), QPoint(18, 18));
}
