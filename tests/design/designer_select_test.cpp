// Selecting with the mouse and the keyboard: clicks on elements and bands, Shift+click, the
// rubber band, the report's own properties, and Tab order.
#include "design_fixture.h"

#include "host/property_access.h"

#include <QRubberBand>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A point of a band's element in the report's coordinates.
QPoint InReport(TDesignForm &f, QWidget *w, QPoint local) { return w->mapTo(f.Report, local); }

}  // namespace

TEST(DesignerSelect, ClicksSelectAndShiftAddsOnlyOnTheSameBand) {
    TDesignForm f;
    auto *top = f.AddBand(QStringLiteral("Top"), 100);
    auto *bottom = f.AddBand(QStringLiteral("Bottom"), 100);
    auto *a = f.AddLabel(QStringLiteral("A"), top, 10, 10, 40, 15);
    auto *b = f.AddLabel(QStringLiteral("B"), top, 100, 10, 40, 15);
    auto *c = f.AddLabel(QStringLiteral("C"), bottom, 10, 10, 40, 15);
    f.Show();
    Click(a, QPoint(5, 5));
    EXPECT_EQ(f.Designer->GetSelectedElements(), (QList<QWidget *>{a}));
    Click(b, QPoint(5, 5), Qt::ShiftModifier);
    EXPECT_EQ(f.Designer->GetSelectedElements(), (QList<QWidget *>{a, b}));
    // An element on another band replaces the selection even with Shift.
    Click(c, QPoint(5, 5), Qt::ShiftModifier);
    EXPECT_EQ(f.Designer->GetSelectedElements(), (QList<QWidget *>{c}));
    // A click on empty band area selects the band.
    Click(top, QPoint(300, 50));
    EXPECT_EQ(f.Designer->GetSelectedElements(), (QList<QWidget *>{top}));
}

TEST(DesignerSelect, PressingAnUnselectedElementAndDraggingMovesItAtOnce) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 200);
    auto *a = f.AddLabel(QStringLiteral("A"), band, 20, 20, 40, 20);
    f.Show();
    // The handle takes over the pointer from the press that selected the element.
    QTest::mouseMove(a, QPoint(10, 10));
    QTest::mousePress(a, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    ASSERT_EQ(f.Designer->GetSelectedElement(), a);
    QTest::mouseMove(f.Handle, QPoint(12, 12));
    QTest::mouseMove(f.Handle, QPoint(42, 32));
    QTest::mouseRelease(f.Handle, Qt::LeftButton, Qt::NoModifier, QPoint(42, 32));
    EXPECT_EQ(a->pos(), QPoint(50, 40));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    // A plain click selects and leaves the pointer free for the rest of the window.
    auto *b = f.AddLabel(QStringLiteral("B"), band, 120, 20, 40, 20);
    QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    ASSERT_EQ(f.Designer->GetSelectedElement(), b);
    QTest::mouseRelease(f.Handle, Qt::LeftButton, Qt::NoModifier, b->pos() - f.Handle->pos() + QPoint(5, 5));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(b->pos(), QPoint(120, 20));
}

TEST(DesignerSelect, TheRubberBandSelectsWhatItTouchesOnTheBandOfTheLastHit) {
    TDesignForm f;
    auto *top = f.AddBand(QStringLiteral("Top"), 100);
    auto *bottom = f.AddBand(QStringLiteral("Bottom"), 100);
    auto *a = f.AddLabel(QStringLiteral("A"), top, 10, 10, 40, 15);
    auto *b = f.AddLabel(QStringLiteral("B"), top, 100, 60, 40, 15);
    auto *far = f.AddLabel(QStringLiteral("Far"), top, 400, 60, 40, 15);
    auto *c = f.AddLabel(QStringLiteral("C"), bottom, 10, 10, 40, 15);
    f.Show();
    f.Designer->SelectElement(true, far);

    // Started on empty report area: from the left of A to inside B (touching counts).
    const QPoint from = InReport(f, top, QPoint(0, 0)) - QPoint(top->x(), 0);
    const QPoint to = InReport(f, b, QPoint(0, 0));
    QWidget *start = f.Report->childAt(from) ? f.Report->childAt(from) : f.Report;
    ASSERT_EQ(start, f.Report) << "the report needs a free margin left of the bands";
    QTest::mouseMove(f.Report, from);
    QTest::mousePress(f.Report, Qt::LeftButton, Qt::NoModifier, from);
    EXPECT_FALSE(f.Handle->IsAttached());
    EXPECT_TRUE(f.Designer->RubberBandActive());
    QTest::mouseMove(f.Report, to);
    auto *outline = f.Report->findChild<QRubberBand *>();
    ASSERT_NE(outline, nullptr);
    EXPECT_TRUE(outline->isVisible());
    QTest::mouseRelease(f.Report, Qt::LeftButton, Qt::NoModifier, to);
    EXPECT_FALSE(outline->isVisible());
    EXPECT_FALSE(f.Designer->RubberBandActive());
    EXPECT_EQ(f.Designer->GetSelectedElements(), (QList<QWidget *>{a, b}));

    // Across both bands: only the hits on the band of the last hit stay selected.
    const QPoint below = InReport(f, c, QPoint(5, 5));
    QTest::mousePress(f.Report, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(f.Report, below);
    QTest::mouseRelease(f.Report, Qt::LeftButton, Qt::NoModifier, below);
    EXPECT_EQ(f.Designer->GetSelectedElements(), (QList<QWidget *>{c}));

    // Ctrl+press on an element starts a rubber band there too.
    QTest::mousePress(a, Qt::LeftButton, Qt::ControlModifier, QPoint(2, 2));
    EXPECT_TRUE(f.Designer->RubberBandActive());
    QTest::mouseMove(a, QPoint(100, 60));
    QTest::mouseRelease(a, Qt::LeftButton, Qt::ControlModifier, QPoint(100, 60));
    EXPECT_EQ(f.Designer->GetSelectedElements(), (QList<QWidget *>{a, b}));
}

TEST(DesignerSelect, ARightClickOnEmptyReportAreaEditsTheReportOnlyWhenNothingIsSelected) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 100);
    auto *a = f.AddLabel(QStringLiteral("A"), band, 10, 10, 40, 15);
    f.Show();
    QList<TComponent *> edited;
    f.Designer->SetOnEditProperties(Handler<TVDMDesigner *, TComponent *, bool &>(
        [&](TVDMDesigner *, TComponent *c, bool &r) {
            edited << c;
            r = false;
        }));
    const QPoint free(band->x() + 5, band->y() + band->height() + 20);
    f.Designer->SelectElement(true, a);
    Click(f.Report, free, Qt::NoModifier, Qt::RightButton);
    EXPECT_TRUE(edited.isEmpty());
    f.Designer->SelectElement(true, nullptr);
    Click(f.Report, free, Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(edited, (QList<TComponent *>{f.Report}));
}

TEST(DesignerSelect, TabFollowsReadingOrderThenTheNextBandAndWrapsAround) {
    TDesignForm f;
    auto *first = f.AddBand(QStringLiteral("First"), 100);
    auto *blocked = f.AddBand(QStringLiteral("Blocked"), 50);
    auto *last = f.AddBand(QStringLiteral("Last"), 100);
    auto *right = f.AddLabel(QStringLiteral("Right"), first, 100, 10, 40, 15);
    auto *left = f.AddLabel(QStringLiteral("Left"), first, 10, 10, 40, 15);
    auto *lower = f.AddLabel(QStringLiteral("Lower"), first, 5, 50, 40, 15);
    auto *only = f.AddLabel(QStringLiteral("Only"), last, 30, 30, 40, 15);
    SetBooleanProperty(blocked, QStringLiteral("BlockSelection"), true);
    f.Show();

    f.Designer->SelectElement(true, first);
    QList<QWidget *> order;
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(f.Handle, Qt::Key_Tab);
        order << f.Designer->GetSelectedElement();
    }
    EXPECT_EQ(order, (QList<QWidget *>{left, right, lower, last, only, first, left}));

    // Backwards: the previous element, from the first element its band, from a band the last
    // element of the band above (wrapping to the lowest band).
    order.clear();
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(f.Handle, Qt::Key_Tab, Qt::ShiftModifier);
        order << f.Designer->GetSelectedElement();
    }
    EXPECT_EQ(order, (QList<QWidget *>{first, only, last, lower, right}));
    EXPECT_EQ(f.Designer->GetSelectedElements().size(), 1);
}

TEST(DesignerSelect, TabOnTheReportItselfStaysAndNothingSelectedDoesNothing) {
    TDesignForm f;
    f.AddBand(QStringLiteral("Band1"), 100);
    auto *loose = new TVendamoLabel(f.Form.get());
    loose->SetParent(f.Report);
    loose->SetBounds(5, 400, 30, 10);
    f.Designer->SelectNextElement();
    EXPECT_EQ(f.Designer->GetSelectedElement(), nullptr);
    f.Designer->SelectElement(true, loose);
    f.Designer->SelectNextElement();
    EXPECT_EQ(f.Designer->GetSelectedElement(), loose);
    f.Designer->SelectPreviousElement();
    EXPECT_EQ(f.Designer->GetSelectedElement(), loose);
}

TEST(DesignerSelect, ARubberBandOnAReportThatReplacedAFreedOne) {
    TDesignForm f;
    f.Show();
    QTest::mousePress(f.Report, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseMove(f.Report, QPoint(60, 60));
    QTest::mouseRelease(f.Report, Qt::LeftButton, Qt::NoModifier, QPoint(60, 60));
    delete f.Report;  // takes the outline drawn on it along
    f.Report = new TDesignReport(f.Form.get());
    f.Report->setParent(f.Form.get());
    f.Report->show();
    f.Designer->SetReport(f.Report);
    QTest::mousePress(f.Report, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseMove(f.Report, QPoint(60, 60));
    auto *outline = f.Report->findChild<QRubberBand *>();
    ASSERT_NE(outline, nullptr);
    EXPECT_TRUE(outline->isVisible());
    QTest::mouseRelease(f.Report, Qt::LeftButton, Qt::NoModifier, QPoint(60, 60));
    EXPECT_FALSE(f.Designer->RubberBandActive());
}
