// Cut, copy and paste through the process clipboard (keys and calls), element files, and undo
// with one or several levels.
#include "design_fixture.h"

#include "host/property_access.h"
#include "host/scripted_interaction.h"
#include "host/stream.h"
#include "persist/element_streams.h"
#include "test_paths.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QList<TVendamoLabel *> LabelsOn(QWidget *band) {
    QList<TVendamoLabel *> list;
    for (QObject *o : band->children())
        if (auto *l = qobject_cast<TVendamoLabel *>(o)) list << l;
    return list;
}

}  // namespace

TEST(Clipboard, APasteLandsOnTheSelectedBandEightPixelsOnAndUngrouped) {
    TDesignForm f;
    auto *source = f.AddBand(QStringLiteral("Source"), 100);
    auto *target = f.AddBand(QStringLiteral("Target"), 100);
    auto *a = f.AddLabel(QStringLiteral("A"), source, 20, 30, 40, 15);
    auto *b = f.AddLabel(QStringLiteral("B"), source, 80, 30, 40, 15);
    a->SetGroupID(4);
    b->SetGroupID(4);
    a->SetCaption(QStringLiteral("first"));
    f.Show();
    f.Designer->SelectElement(true, a);  // selects the group
    ASSERT_EQ(f.Handle->ChildCount(), 2);
    QTest::keyClick(f.Handle, Qt::Key_C, Qt::ControlModifier);

    f.Designer->SelectElement(true, target);
    f.Designer->SetHasChanged(false);
    QTest::keyClick(f.Handle, Qt::Key_V, Qt::ControlModifier);
    const QList<TVendamoLabel *> pasted = LabelsOn(target);
    ASSERT_EQ(pasted.size(), 2);
    EXPECT_EQ(pasted[0]->pos(), QPoint(28, 38));
    EXPECT_EQ(pasted[0]->Caption(), QStringLiteral("first"));
    EXPECT_EQ(pasted[0]->GroupID(), 0);
    EXPECT_EQ(pasted[1]->GroupID(), 0);
    // Names the form already has become unique ones.
    EXPECT_EQ(pasted[0]->Name(), QStringLiteral("A1"));
    EXPECT_EQ(pasted[1]->Name(), QStringLiteral("B1"));
    EXPECT_EQ(f.Designer->GetSelectedElements(), (QList<QWidget *>{pasted[0], pasted[1]}));
    EXPECT_TRUE(f.Designer->HasChanged());

    // Shift+Insert pastes the same copy again, onto the band of the selected elements.
    QTest::keyClick(f.Handle, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(LabelsOn(target).size(), 4);
}

TEST(Clipboard, APasteThatSticksOutIsMovedInAndBandsGoOntoTheReport) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 100);
    auto *flat = f.AddBand(QStringLiteral("Flat"), 10);
    auto *a = f.AddLabel(QStringLiteral("A"), band, 20, 30, 40, 15);
    f.Show();
    f.Designer->SelectElement(true, a);
    f.Designer->CopyToVDMClipboard();
    f.Designer->SelectElement(true, flat);
    f.Designer->PasteFromVDMClipboard();
    auto *pasted = LabelsOn(flat).value(0);
    ASSERT_NE(pasted, nullptr);
    // Top 30 + 8 is beyond the band: 10 - 8 = 2; then the handle sticks out and goes to top 5.
    EXPECT_EQ(f.Handle->y(), 5);
    EXPECT_EQ(pasted->y(), 7);
    EXPECT_EQ(pasted->x(), 28);

    // Copied bands with an element selected still land on the report, named afresh.
    f.Designer->SelectElement(true, band);
    QTest::keyClick(f.Handle, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_TRUE(TVDMDesigner::ClipboardHasBands());
    f.Designer->SelectElement(true, a);
    f.Designer->PasteFromVDMClipboard();
    QWidget *copy = f.Designer->GetSelectedElement();
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, band);
    EXPECT_EQ(copy->parentWidget(), f.Report);
    EXPECT_EQ(LabelsOn(copy).size(), 1);
}

TEST(Clipboard, AVetoedCopyKeepsTheClipboardAndCutDeletesNothing) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 100);
    QPointer<QWidget> a = f.AddLabel(QStringLiteral("A"), band, 20, 30, 40, 15);
    QPointer<QWidget> b = f.AddLabel(QStringLiteral("B"), band, 90, 30, 40, 15);
    f.Show();
    f.Designer->SelectElement(true, a);
    f.Designer->CopyToVDMClipboard();
    const QByteArray before = VDMClipboard().Data();
    int asked = 0;
    f.Designer->SetOnBeforeCopyToClipboard(Handler<QList<QWidget *> *, bool &>([&](QList<QWidget *> *list, bool &go) {
        ++asked;
        EXPECT_EQ(list->size(), 1);
        go = false;
    }));
    f.Designer->SelectElement(true, b);
    QTest::keyClick(f.Handle, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(b.isNull());  // what did not reach the clipboard is not lost
    EXPECT_EQ(VDMClipboard().Data(), before);

    // The host gets the selection list itself: what it takes out is not copied.
    f.Designer->SelectElement(false, a);
    ASSERT_EQ(f.Designer->GetSelectedElements().size(), 2);
    f.Designer->SetOnBeforeCopyToClipboard(Handler<QList<QWidget *> *, bool &>([&](QList<QWidget *> *list, bool &) {
        list->removeAll(b.data());
    }));
    QTest::keyClick(f.Handle, Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(a.isNull());
    EXPECT_FALSE(b.isNull());
}

TEST(Clipboard, ElementsFromAnotherProcessArriveThroughTheSystemClipboard) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 100);
    auto *a = f.AddLabel(QStringLiteral("A"), band, 20, 30, 40, 15);
    a->SetCaption(QStringLiteral("from afar"));
    f.Show();
    f.Designer->SelectElement(true, a);
    f.Designer->CopyToVDMClipboard();
    const QMimeData *mine = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mine, nullptr);
    ASSERT_TRUE(mine->hasFormat(QStringLiteral("application/x-vendamo-elements")));
    const QByteArray elements = mine->data(QStringLiteral("application/x-vendamo-elements"));

    // The process clipboard is emptied; another process puts the elements on the system one.
    VDMClipboard().Clear();
    auto *data = new QMimeData;
    data->setData(QStringLiteral("application/x-vendamo-elements"), elements);
    data->setData(QStringLiteral("application/x-vendamo-process"), QByteArray("-1"));
    QGuiApplication::clipboard()->setMimeData(data);
    f.Designer->SelectElement(true, band);
    f.Designer->PasteFromVDMClipboard();
    ASSERT_EQ(LabelsOn(band).size(), 2);
    EXPECT_EQ(LabelsOn(band).last()->Caption(), QStringLiteral("from afar"));

    // Damaged bytes from outside are refused whole, with a message.
    TScriptedInteraction ui;
    auto *bad = new QMimeData;
    QByteArray broken = elements;
    broken.chop(elements.size() / 2);
    bad->setData(QStringLiteral("application/x-vendamo-elements"), broken);
    bad->setData(QStringLiteral("application/x-vendamo-process"), QByteArray("-1"));
    QGuiApplication::clipboard()->setMimeData(bad);
    f.Designer->SelectElement(true, band);
    f.Designer->PasteFromVDMClipboard();
    EXPECT_EQ(LabelsOn(band).size(), 2);
    EXPECT_EQ(ui.Errors().size(), 1);
}

TEST(Clipboard, AnElementFileIsPastedAndGrouped) {
    TestDir dir;
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 100);
    auto *a = f.AddLabel(QStringLiteral("A"), band, 20, 30, 40, 15);
    auto *b = f.AddLabel(QStringLiteral("B"), band, 90, 30, 40, 15);
    const QString file = dir.Path(QStringLiteral("block.vde"));
    ASSERT_TRUE(SaveElementsToFile(f.Designer, {a, b}, file));
    f.Designer->SelectElement(true, band);
    ASSERT_TRUE(ReadElementsFromFile(f.Designer, file));
    const QList<TVendamoLabel *> labels = LabelsOn(band);
    ASSERT_EQ(labels.size(), 4);
    EXPECT_NE(labels[2]->GroupID(), 0);
    EXPECT_EQ(labels[2]->GroupID(), labels[3]->GroupID());
    EXPECT_EQ(f.Designer->GetSelectedElements().size(), 2);
    // A file of another kind changes nothing.
    QFile other(dir.Path(QStringLiteral("other.vde")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("\x04\x04 not elements");
    other.close();
    EXPECT_FALSE(ReadElementsFromFile(f.Designer, other.fileName()));
    EXPECT_EQ(LabelsOn(band).size(), 4);
}

TEST(Undo, OneLevelRestoresTheStateBeforeTheLastStepAndOnlyOnce) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 100);
    f.AddLabel(QStringLiteral("A"), band, 20, 30, 40, 15);
    f.Show();
    auto label = [&] { return qobject_cast<QWidget *>(f.Form->FindComponent(QStringLiteral("A"))->Object()); };
    // Without UndoEnabled nothing is kept.
    f.Designer->SelectElement(true, label());
    QTest::keyClick(f.Handle, Qt::Key_Right);
    EXPECT_FALSE(f.Designer->CanUndo());
    f.Designer->DoUndo();
    EXPECT_EQ(label()->x(), 21);

    f.Designer->SetUndoEnabled(true);
    f.Designer->SelectElement(true, label());
    for (int i = 0; i < 3; ++i) QTest::keyClick(f.Handle, Qt::Key_Right);
    EXPECT_EQ(label()->x(), 24);
    EXPECT_TRUE(f.Designer->CanUndo());
    f.Designer->DoUndo();
    EXPECT_EQ(label()->x(), 23);
    EXPECT_FALSE(f.Handle->IsAttached());
    f.Designer->DoUndo();
    EXPECT_EQ(label()->x(), 23);
    // Redo takes the undo back.
    f.Designer->DoRedo();
    EXPECT_EQ(label()->x(), 24);
}

TEST(Undo, SeveralLevelsMergeArrowStepsOfOneSelectionAndUndoDeletesAndPastes) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 100);
    f.AddLabel(QStringLiteral("A"), band, 20, 30, 40, 15);
    f.Show();
    auto label = [&]() -> QWidget * {
        TComponent *c = f.Form->FindComponent(QStringLiteral("A"));
        return c ? qobject_cast<QWidget *>(c->Object()) : nullptr;
    };
    f.Designer->SetUndoEnabled(true);
    f.Designer->SetUndoLimit(10);
    f.Designer->SelectElement(true, label());
    for (int i = 0; i < 3; ++i) QTest::keyClick(f.Handle, Qt::Key_Right);
    f.Designer->SelectElement(true, label());
    QTest::keyClick(f.Handle, Qt::Key_Down);
    f.Designer->SelectElement(true, label());
    f.Designer->DeleteSelectedElements();
    ASSERT_EQ(label(), nullptr);

    f.Designer->DoUndo();  // the delete
    ASSERT_NE(label(), nullptr);
    EXPECT_EQ(label()->pos(), QPoint(23, 31));
    f.Designer->DoUndo();  // the down step
    EXPECT_EQ(label()->pos(), QPoint(23, 30));
    f.Designer->DoUndo();  // the three right steps at once
    EXPECT_EQ(label()->pos(), QPoint(20, 30));
    EXPECT_FALSE(f.Designer->CanUndo());
    f.Designer->DoRedo();
    f.Designer->DoRedo();
    EXPECT_EQ(label()->pos(), QPoint(23, 31));
}

TEST(Clipboard, TheReportsOwnKeysReachTheDesigner) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 100);
    auto *a = f.AddLabel(QStringLiteral("A"), band, 20, 30, 40, 15);
    f.Show();
    f.Designer->SelectElement(true, a);
    VDMClipboard().Clear();
    QTest::keyClick(f.Report, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_GT(VDMClipboard().Size(), 0);
    f.Designer->SelectElement(true, band);
    QTest::keyClick(f.Report, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(LabelsOn(band).size(), 2);
    f.Designer->SelectElement(true, LabelsOn(band).last());
    QTest::keyClick(f.Report, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(LabelsOn(band).size(), 1);
}

// Readers set an element's size one value at a time and show it once it is complete; whatever
// way the elements arrive, they end up shown, not hidden, at their stored place and size.
TEST(Clipboard, PastedAndUndoneElementsAreShownAtTheirStoredGeometry) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 100);
    auto *a = f.AddLabel(QStringLiteral("A"), band, 20, 30, 40, 15);
    f.AddLabel(QStringLiteral("B"), band, 90, 50, 60, 20);
    f.Show();
    const auto expectShown = [](QWidget *parent, const QList<QRect> &geometries) {
        QList<QRect> seen;
        for (TVendamoLabel *l : LabelsOn(parent)) {
            EXPECT_TRUE(l->isVisible() && !l->isHidden()) << l->Name().toStdString();
            seen << l->geometry();
        }
        EXPECT_EQ(seen, geometries);
    };
    f.Designer->SelectElement(true, band);
    f.Designer->CopyToVDMClipboard();
    f.Designer->SelectElement(true, a);
    f.Designer->PasteFromVDMClipboard();  // bands land on the report
    QWidget *copy = f.Designer->GetSelectedElement();
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy, band);
    EXPECT_TRUE(copy->isVisible() && !copy->isHidden());
    expectShown(copy, {QRect(20, 30, 40, 15), QRect(90, 50, 60, 20)});

    // Elements pasted onto a shown band.
    f.Designer->SelectElement(true, a);
    f.Designer->CopyToVDMClipboard();
    f.Designer->SelectElement(true, copy);
    f.Designer->PasteFromVDMClipboard();
    expectShown(copy, {QRect(20, 30, 40, 15), QRect(90, 50, 60, 20), QRect(28, 38, 40, 15)});

    // Undo reads the whole report back from its image.
    f.Designer->SetUndoEnabled(true);
    f.Designer->SaveUndoData();
    f.Designer->DoUndo();
    QWidget *restored = qobject_cast<QWidget *>(f.Form->FindComponent(QStringLiteral("Band1"))->Object());
    ASSERT_NE(restored, nullptr);
    expectShown(restored, {QRect(20, 30, 40, 15), QRect(90, 50, 60, 20)});
}
