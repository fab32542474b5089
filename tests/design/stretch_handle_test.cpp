// The selection handle: attaching and releasing elements, its bounds, grab squares, pointer
// zones and the drag rectangle.
#include "design_fixture.h"

#include "host/property_access.h"

#include <QImage>
#include <QRubberBand>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QRect Fitted(QWidget *e) { return QRect(e->x() - 2, e->y() - 2, e->width() + 5, e->height() + 5); }

// Pixels of one colour in the handle's own drawing over white.
int CountColour(TStretch_Handle *h, TColor colour) {
    QImage img(h->size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    h->render(&img, QPoint(), QRegion(), QWidget::RenderFlags());
    const QRgb want = ColorToQColor(colour).rgb();
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) == want;
    return n;
}

}  // namespace

TEST(StretchHandle, StartsSmallHiddenAndDisabledInItsColours) {
    TDesignForm f;
    TStretch_Handle *h = f.Handle;
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->size(), QSize(24, 24));
    EXPECT_FALSE(h->isEnabled());
    EXPECT_TRUE(h->isHidden());
    EXPECT_FALSE(h->IsAttached());
    EXPECT_EQ(h->parentWidget(), f.Report);  // never a window of its own
    EXPECT_EQ(GetIntegerProperty(h, QStringLiteral("Color")), clBlack);
    EXPECT_EQ(GetIntegerProperty(h, QStringLiteral("SecondaryColor")), clGray);
    EXPECT_EQ(GetIntegerProperty(h, QStringLiteral("DragCursor")), crDrag);
    EXPECT_FALSE(GetBooleanProperty(h, QStringLiteral("Locked")));
    EXPECT_TRUE(PropertyExists(h, QStringLiteral("OnKeyPress")));
}

TEST(StretchHandle, AttachFitsTheSelectionWithItsMarginsAndTellsTheDesigner) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"));
    auto *a = f.AddLabel(QStringLiteral("A"), band, 10, 20, 50, 15);
    auto *b = f.AddLabel(QStringLiteral("B"), band, 100, 5, 30, 40);
    a->SetHint(QStringLiteral("first"));
    QList<int> counts;
    f.Designer->SetOnSelectionChanged(Handler<TVDMDesigner *, int>([&](TVDMDesigner *, int n) { counts << n; }));

    f.Handle->Attach(a);
    EXPECT_EQ(f.Handle->parentWidget(), band);
    EXPECT_EQ(f.Handle->geometry(), QRect(8, 18, 55, 20));
    EXPECT_TRUE(f.Handle->isEnabled());
    EXPECT_FALSE(f.Handle->isHidden());
    EXPECT_EQ(f.Handle->Hint(), QStringLiteral("first"));

    f.Handle->Attach(b);
    f.Handle->Attach(b);  // already selected: nothing
    // Left 8, top 3, right edge max(60, 130) + 3, bottom max(35, 45) + 3.
    EXPECT_EQ(f.Handle->geometry(), QRect(8, 3, 125, 45));
    EXPECT_EQ(f.Handle->Hint(), QString());
    EXPECT_EQ(counts, (QList<int>{1, 2}));
    EXPECT_EQ(f.Handle->IndexOf(b), 1);
    EXPECT_EQ(f.Designer->GetSelectedElement(), a);

    const QRect before = f.Handle->geometry();
    f.Handle->setGeometry(0, 0, 24, 24);
    f.Handle->RecalcSize();
    EXPECT_EQ(f.Handle->geometry(), before);

    f.Handle->ReleaseChild(a);
    EXPECT_EQ(f.Handle->geometry(), Fitted(b));
    f.Handle->ReleaseChild(b);
    EXPECT_FALSE(f.Handle->IsAttached());
    EXPECT_TRUE(f.Handle->isHidden());
    EXPECT_EQ(f.Handle->parentWidget(), band);
    EXPECT_EQ(counts.last(), 0);
}

TEST(StretchHandle, AnElementOnAnotherBandReplacesTheSelectionAndGroupsComeAlong) {
    TDesignForm f;
    auto *band1 = f.AddBand(QStringLiteral("Band1"));
    auto *band2 = f.AddBand(QStringLiteral("Band2"));
    auto *a = f.AddLabel(QStringLiteral("A"), band1, 10, 10, 40, 10);
    auto *b = f.AddLabel(QStringLiteral("B"), band2, 10, 10, 40, 10);
    auto *c = f.AddLabel(QStringLiteral("C"), band2, 80, 30, 40, 10);
    auto *d = f.AddLabel(QStringLiteral("D"), band2, 150, 30, 40, 10);
    // Groups compare as 16-bit numbers: 65537 and 1 are the same group.
    b->SetGroupID(65537);
    d->SetGroupID(1);
    c->SetGroupID(2);

    f.Handle->Attach(a);
    f.Handle->Attach(b);
    EXPECT_EQ(f.Handle->Children(), (QList<QWidget *>{b, d}));
    EXPECT_EQ(f.Handle->parentWidget(), band2);

    f.Handle->Detach();
    EXPECT_FALSE(f.Handle->IsAttached());
    EXPECT_EQ(f.Handle->size(), QSize(24, 24));
    EXPECT_FALSE(f.Handle->isEnabled());
}

TEST(StretchHandle, FreedElementsAndBandsLeaveTheHandleSound) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"));
    auto *a = f.AddLabel(QStringLiteral("A"), band, 10, 10, 40, 10);
    auto *b = f.AddLabel(QStringLiteral("B"), band, 100, 10, 40, 10);
    f.Handle->Attach(a);
    f.Handle->Attach(b);
    delete a;
    EXPECT_EQ(f.Handle->Children(), (QList<QWidget *>{b}));
    EXPECT_EQ(f.Handle->geometry(), Fitted(b));
    // Qt frees a widget's children with it; the handle survives its band, hidden on the report.
    delete band;
    ASSERT_NE(f.Designer->Handle(), nullptr);
    EXPECT_FALSE(f.Handle->IsAttached());
    EXPECT_EQ(f.Handle->parentWidget(), f.Report);
}

TEST(StretchHandle, PaintsEightSquaresForOneElementAndFourEachForSeveral) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"));
    auto *a = f.AddLabel(QStringLiteral("A"), band, 10, 10, 60, 30);
    auto *b = f.AddLabel(QStringLiteral("B"), band, 100, 50, 60, 30);
    f.Handle->SetColors(clRed, clBlue);
    f.Handle->Attach(a);
    EXPECT_EQ(CountColour(f.Handle, clRed), 8 * 25);
    EXPECT_EQ(CountColour(f.Handle, clBlue), 0);
    f.Handle->Attach(b);
    EXPECT_EQ(CountColour(f.Handle, clBlue), 2 * 4 * 25);
    EXPECT_EQ(CountColour(f.Handle, clRed), 0);
}

TEST(StretchHandle, PointerZonesPickTheDragStyleAndCursor) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 200);
    auto *a = f.AddLabel(QStringLiteral("A"), band, 20, 20, 95, 55);  // handle 100 x 60
    f.Show();
    f.Handle->Attach(a);
    ASSERT_EQ(f.Handle->size(), QSize(100, 60));
    struct Zone {
        QPoint At;
        TDragStyle Style;
        int Cursor;
    };
    const QList<Zone> zones = {
        {{2, 2}, dsSizeTopLeft, crSizeNWSE},   {{97, 57}, dsSizeBottomRight, crSizeNWSE},
        {{97, 2}, dsSizeTopRight, crSizeNESW}, {{2, 57}, dsSizeBottomLeft, crSizeNESW},
        {{50, 2}, dsSizeTop, crSizeNS},        {{47, 57}, dsSizeBottom, crSizeNS},
        {{2, 30}, dsSizeLeft, crSizeWE},       {{97, 26}, dsSizeRight, crSizeWE},
        {{50, 30}, dsMove, crDefault},         {{20, 2}, dsMove, crDefault},
    };
    for (const Zone &z : zones) {
        QTest::mouseMove(f.Handle, z.At);
        EXPECT_EQ(f.Handle->DragStyle(), z.Style) << z.At.x() << "," << z.At.y();
        EXPECT_EQ(f.Handle->Cursor(), z.Cursor) << z.At.x() << "," << z.At.y();
        EXPECT_EQ(f.Handle->cursor().shape(), CursorShapeFor(z.Cursor));
    }
    f.Handle->SetLocked(true);
    QTest::mouseMove(f.Handle, QPoint(97, 57));
    EXPECT_EQ(f.Handle->Cursor(), crNoDrop);
}

TEST(StretchHandle, LaterZonesWinOnATinyElementAndSeveralElementsAlwaysMove) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 200);
    auto *tiny = f.AddLabel(QStringLiteral("Tiny"), band, 20, 20, 5, 5);  // handle 10 x 10
    auto *other = f.AddLabel(QStringLiteral("Other"), band, 60, 60, 40, 20);
    f.Show();
    f.Handle->Attach(tiny);
    QTest::mouseMove(f.Handle, QPoint(5, 5));
    EXPECT_EQ(f.Handle->DragStyle(), dsSizeRight);
    EXPECT_EQ(f.Handle->Cursor(), crSizeWE);

    f.Handle->Attach(other);
    QTest::mouseMove(f.Handle, QPoint(1, 1));
    EXPECT_EQ(f.Handle->DragStyle(), dsMove);
    EXPECT_EQ(f.Handle->Cursor(), crDefault);
}

TEST(StretchHandle, ModifiedRectSnapsToTheGridUnlessShiftAndKeepsTheMinimumSize) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 200);
    auto *a = f.AddLabel(QStringLiteral("A"), band, 22, 22, 40, 20);  // handle (20, 20, 45, 25)
    f.Handle->Attach(a);
    f.Designer->SetGridSizeX(4);
    f.Designer->SetGridSizeY(4);
    f.Handle->SetDragStart(QPoint(10, 10));
    QRect r;

    // A move that would put the handle's left at 13: XGridAdjust(11) + 2 = 10; with Shift 13.
    f.Handle->SetDragStyle(dsMove);
    f.Handle->GetModifiedRect(3, 17, r, false);
    EXPECT_EQ(r, QRect(10, 26, 45, 25));
    f.Handle->GetModifiedRect(3, 17, r, true);
    EXPECT_EQ(r, QRect(13, 27, 45, 25));
    EXPECT_EQ(f.Designer->GridSizeX(), 4);  // the grid is back after a Shift drag

    // Bottom-right: XGridAdjust(45 + 3 + 7) - 3 = 49, YGridAdjust(25 + 3 + 3) - 3 = 25.
    f.Handle->SetDragStyle(dsSizeBottomRight);
    f.Handle->GetModifiedRect(17, 13, r, false);
    EXPECT_EQ(r, QRect(20, 20, 49, 25));

    // The left edge dragged past the right edge gives the minimum width, never a negative one.
    f.Handle->SetDragStyle(dsSizeLeft);
    f.Handle->GetModifiedRect(200, 10, r, false);
    EXPECT_EQ(r.width(), 5);
    f.Designer->SetMinElementWidth(12);
    f.Handle->GetModifiedRect(200, 10, r, false);
    EXPECT_EQ(r.width(), 12);

    // Snapping truncates toward zero, also left of the band.
    EXPECT_EQ(f.Handle->XGridAdjust(-5), -4);
    EXPECT_EQ(f.Handle->YGridAdjust(9), 8);
}

TEST(StretchHandle, PointOverChildUsesTheWidenedRectangleWithExclusiveEdges) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 200);
    auto *a = f.AddLabel(QStringLiteral("A"), band, 10, 10, 40, 20);
    auto *b = f.AddLabel(QStringLiteral("B"), band, 45, 25, 40, 20);
    f.Handle->Attach(a);
    f.Handle->Attach(b);
    QWidget *hit = nullptr;
    EXPECT_TRUE(f.Handle->PointOverChild(QPoint(8, 8), hit));
    EXPECT_EQ(hit, a);
    EXPECT_TRUE(f.Handle->PointOverChild(QPoint(10, 33), hit));  // bottom margin is 4
    EXPECT_FALSE(f.Handle->PointOverChild(QPoint(10, 34), hit));
    EXPECT_EQ(hit, nullptr);
    EXPECT_TRUE(f.Handle->PointOverChild(QPoint(51, 12), hit));  // right edge 52 is outside
    EXPECT_EQ(hit, a);
    EXPECT_FALSE(f.Handle->PointOverChild(QPoint(52, 12), hit));
    // Where both overlap, the first selected wins.
    EXPECT_TRUE(f.Handle->PointOverChild(QPoint(46, 26), hit));
    EXPECT_EQ(hit, a);
}

TEST(StretchHandle, BringToFrontAndSendToBackReorderTheSelectionAndKeepTheHandleOnTop) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 200);
    auto *a = f.AddLabel(QStringLiteral("A"), band, 10, 10, 40, 20);
    auto *b = f.AddLabel(QStringLiteral("B"), band, 60, 10, 40, 20);
    auto *c = f.AddLabel(QStringLiteral("C"), band, 110, 10, 40, 20);
    auto order = [&] {
        QList<QWidget *> widgets;
        for (QObject *o : band->children())
            if (auto *w = qobject_cast<QWidget *>(o)) widgets << w;
        return widgets;
    };
    f.Handle->Attach(a);
    f.Handle->BringToFront();
    EXPECT_EQ(order(), (QList<QWidget *>{b, c, a, f.Handle}));
    f.Handle->DetachWithoutEvents();
    f.Handle->Attach(c);
    f.Handle->SendToBack();
    EXPECT_EQ(order(), (QList<QWidget *>{c, b, a, f.Handle}));
    // A locked handle leaves the order alone.
    f.Handle->SetLocked(true);
    f.Handle->BringToFront();
    EXPECT_EQ(order(), (QList<QWidget *>{c, b, a, f.Handle}));
}

TEST(StretchHandleBounds, MoveAndResizeCarryEverySelectedElementAndMarkTheReportChanged) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 200);
    auto *a = f.AddLabel(QStringLiteral("A"), band, 10, 10, 40, 20);
    auto *b = f.AddLabel(QStringLiteral("B"), band, 60, 40, 30, 20);
    f.Handle->Attach(a);
    f.Handle->Attach(b);
    const QRect h = f.Handle->geometry();
    f.Handle->SetBounds(h.x() + 10, h.y() + 5, h.width(), h.height());
    EXPECT_EQ(a->geometry(), QRect(20, 15, 40, 20));
    EXPECT_EQ(b->geometry(), QRect(70, 45, 30, 20));
    EXPECT_EQ(f.Handle->geometry(), h.translated(10, 5));
    EXPECT_TRUE(f.Designer->HasChanged());

    // Shrinking below the minimum stops at the minimum size; an auto-sized label stops
    // sizing itself.
    a->SetAutoSize(true);
    f.Designer->SelectElement(true, a);
    const QRect ha = f.Handle->geometry();
    f.Handle->SetBounds(ha.x(), ha.y(), ha.width() - 100, ha.height());
    EXPECT_EQ(a->width(), 5);
    EXPECT_FALSE(a->AutoSize());
    EXPECT_EQ(f.Handle->width(), 11);
}

TEST(StretchHandleBounds, ALockedElementRefusesTheWholeChangeWithoutMarkingTheReportChanged) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 200);
    auto *a = f.AddLabel(QStringLiteral("A"), band, 10, 10, 40, 20);
    auto *b = f.AddLabel(QStringLiteral("B"), band, 60, 40, 30, 20);
    b->SetBlockMove(true);
    f.Handle->Attach(a);
    f.Handle->Attach(b);
    const QRect h = f.Handle->geometry();
    f.Handle->SetBounds(h.x() + 4, h.y(), h.width(), h.height());
    EXPECT_EQ(a->geometry(), QRect(10, 10, 40, 20));
    EXPECT_EQ(f.Handle->geometry(), h);
    EXPECT_FALSE(f.Designer->HasChanged());
    EXPECT_FALSE(f.Handle->Locked());

    // A BlockMove selection can still be resized, unless one is BlockResize.
    f.Handle->SetBounds(h.x(), h.y(), h.width() + 6, h.height());
    EXPECT_EQ(a->width(), 46);
    EXPECT_EQ(b->width(), 36);
    EXPECT_TRUE(f.Designer->HasChanged());
    f.Designer->SetHasChanged(false);
    a->SetBlockResize(true);
    f.Handle->SetBounds(h.x(), h.y(), h.width(), h.height());
    EXPECT_EQ(a->width(), 46);
    EXPECT_FALSE(f.Designer->HasChanged());
}

TEST(StretchHandleBounds, ABandCarriesItsStretchingAndBottomFixedElements) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 100);
    auto *stretch = f.AddLabel(QStringLiteral("Stretch"), band, 10, 10, 40, 50);
    auto *fixed = f.AddLabel(QStringLiteral("Fixed"), band, 60, 30, 40, 20);
    auto *plain = f.AddLabel(QStringLiteral("Plain"), band, 110, 30, 40, 20);
    stretch->SetStretchHeightWithBand(true);
    fixed->SetFixBottomPosition(true);
    f.Handle->Attach(band);
    ASSERT_EQ(f.Handle->parentWidget(), f.Report);

    QRect h = f.Handle->geometry();
    f.Handle->SetBounds(h.x(), h.y(), h.width(), h.height() + 20);
    EXPECT_EQ(band->height(), 120);
    EXPECT_EQ(stretch->height(), 70);
    EXPECT_EQ(fixed->y(), 50);
    EXPECT_EQ(plain->geometry(), QRect(110, 30, 40, 20));

    // Shrinking moves the fixed element up, but never above the band's top.
    h = f.Handle->geometry();
    f.Handle->SetBounds(h.x(), h.y(), h.width(), h.height() - 60);
    EXPECT_EQ(band->height(), 60);
    EXPECT_EQ(stretch->height(), 10);
    EXPECT_EQ(fixed->y(), 0);
}

TEST(StretchHandleKeys, ArrowsMoveBySteppingAndSizeWithShiftByTheGridWithShiftCtrl) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 200);
    auto *a = f.AddLabel(QStringLiteral("A"), band, 40, 40, 60, 30);
    f.Designer->SetGridSizeX(8);
    f.Designer->SetGridSizeY(4);
    SetIntegerProperty(f.Designer, QStringLiteral("KeyboardMoveX"), 3);
    SetIntegerProperty(f.Designer, QStringLiteral("KeyboardMoveY"), 2);
    f.Show();
    f.Handle->Attach(a);
    struct Step {
        Qt::Key Key;
        Qt::KeyboardModifiers Mods;
        QRect After;
    };
    const QList<Step> steps = {
        {Qt::Key_Left, Qt::NoModifier, {37, 40, 60, 30}},
        {Qt::Key_Right, Qt::NoModifier, {40, 40, 60, 30}},
        {Qt::Key_Up, Qt::ControlModifier, {40, 38, 60, 30}},  // Ctrl alone still moves
        {Qt::Key_Down, Qt::NoModifier, {40, 40, 60, 30}},
        {Qt::Key_Right, Qt::ShiftModifier, {40, 40, 63, 30}},
        {Qt::Key_Left, Qt::ShiftModifier, {40, 40, 60, 30}},
        {Qt::Key_Down, Qt::ShiftModifier, {40, 40, 60, 32}},
        {Qt::Key_Up, Qt::ShiftModifier | Qt::ControlModifier, {40, 40, 60, 28}},
        {Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier, {40, 40, 68, 28}},
        {Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier, {40, 40, 60, 28}},
        {Qt::Key_Down, Qt::ShiftModifier | Qt::ControlModifier, {40, 40, 60, 32}},
    };
    for (const Step &s : steps) {
        QTest::keyClick(f.Handle, s.Key, s.Mods);
        EXPECT_EQ(a->geometry(), s.After) << int(s.Key) << " " << int(s.Mods);
    }
    EXPECT_EQ(f.Handle->geometry(), QRect(38, 38, 65, 37));

    // A BlockMove element does not move by keys either.
    a->SetBlockMove(true);
    QTest::keyClick(f.Handle, Qt::Key_Left);
    EXPECT_EQ(a->x(), 40);
}

TEST(StretchHandleKeys, EscapeSelectsTheBandOfTheSelectedElements) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 200);
    auto *a = f.AddLabel(QStringLiteral("A"), band, 40, 40, 60, 30);
    f.Show();
    f.Handle->Attach(a);
    QTest::keyClick(f.Handle, Qt::Key_Escape);
    EXPECT_EQ(f.Handle->Children(), (QList<QWidget *>{band}));
    EXPECT_EQ(f.Handle->parentWidget(), f.Report);
    // On a band Escape has nowhere further to go.
    QTest::keyClick(f.Handle, Qt::Key_Escape);
    EXPECT_EQ(f.Handle->Children(), (QList<QWidget *>{band}));
}

namespace {

// A left-button drag on the handle from one point to another, in handle coordinates.

QRubberBand *Outline(QWidget *parent) { return parent->findChild<QRubberBand *>(); }

}  // namespace

TEST(StretchHandleDrag, MovesSnapToTheGridUnlessShiftIsHeld) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 200);
    auto *a = f.AddLabel(QStringLiteral("A"), band, 22, 22, 40, 20);  // handle (20, 20, 45, 25)
    f.Designer->SetGridSizeX(4);
    f.Designer->SetGridSizeY(4);
    f.Show();
    f.Handle->Attach(a);

    // The handle's left would become 13: XGridAdjust(11) + 2 = 10.
    QTest::mouseMove(f.Handle, QPoint(10, 10));
    QTest::mousePress(f.Handle, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_TRUE(f.Handle->Dragging());
    QTest::mouseMove(f.Handle, QPoint(3, 17));
    ASSERT_NE(Outline(band), nullptr);
    EXPECT_TRUE(Outline(band)->isVisible());
    EXPECT_EQ(f.Handle->Cursor(), crDrag);
    QTest::mouseRelease(f.Handle, Qt::LeftButton, Qt::NoModifier, QPoint(3, 17));
    EXPECT_FALSE(f.Handle->Dragging());
    EXPECT_FALSE(Outline(band)->isVisible());
    EXPECT_EQ(f.Handle->geometry().topLeft(), QPoint(10, 26));
    EXPECT_EQ(a->geometry(), QRect(12, 28, 40, 20));
    EXPECT_TRUE(f.Designer->HasChanged());

    // The same drag with Shift held: 13.
    f.Designer->SelectElement(true, a);
    a->SetBounds(22, 22, 40, 20);
    f.Designer->RedrawSelection();
    Drag(f.Handle, QPoint(10, 10), QPoint(3, 17), Qt::ShiftModifier);
    EXPECT_EQ(a->geometry(), QRect(15, 29, 40, 20));
}

TEST(StretchHandleDrag, TheCornerResizesAndThePointerIsClampedToTheBand) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 200);
    auto *a = f.AddLabel(QStringLiteral("A"), band, 22, 22, 40, 20);  // handle (20, 20, 45, 25)
    f.Show();
    f.Handle->Attach(a);
    Drag(f.Handle, QPoint(43, 23), QPoint(53, 33));
    EXPECT_EQ(a->geometry(), QRect(22, 22, 50, 30));

    // Far beyond the band's left edge the pointer counts as on the edge: the handle moves by
    // at most its own left (20) plus the press offset.
    f.Handle->RecalcSize();
    Drag(f.Handle, QPoint(20, 15), QPoint(-300, 15));
    EXPECT_EQ(a->x(), 22 - 20 - 20);
}

TEST(StretchHandleDrag, LockedSelectionsStayAndShiftClickReleasesOneOfSeveral) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 200);
    auto *a = f.AddLabel(QStringLiteral("A"), band, 20, 20, 40, 20);
    auto *b = f.AddLabel(QStringLiteral("B"), band, 100, 20, 40, 20);
    f.Show();
    b->SetBlockMove(true);
    f.Handle->Attach(a);
    f.Handle->Attach(b);
    Drag(f.Handle, QPoint(10, 10), QPoint(30, 30));
    EXPECT_EQ(a->geometry(), QRect(20, 20, 40, 20));
    EXPECT_EQ(b->geometry(), QRect(100, 20, 40, 20));
    EXPECT_FALSE(f.Designer->HasChanged());

    // Shift+click on b (handle coordinates: b lies at 100 - 18) takes it out of the selection.
    QTest::mouseClick(f.Handle, Qt::LeftButton, Qt::ShiftModifier, QPoint(100 - 18 + 5, 5));
    EXPECT_EQ(f.Handle->Children(), (QList<QWidget *>{a}));
    // With a single element Shift+click starts a drag instead.
    QTest::mousePress(f.Handle, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 10));
    EXPECT_TRUE(f.Handle->Dragging());
    QTest::mouseRelease(f.Handle, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 10));
    EXPECT_EQ(f.Handle->Children(), (QList<QWidget *>{a}));
}

namespace {

// Records the presses a widget receives, at their positions.
class TPressRecorder : public QObject {
public:
    QList<QPoint> Presses;
    bool eventFilter(QObject *, QEvent *e) override {
        if (e->type() == QEvent::MouseButtonPress) Presses << static_cast<QMouseEvent *>(e)->position().toPoint();
        return false;
    }
};

}  // namespace

TEST(StretchHandleDrag, PressesBesideTheSelectionOrDuringAnInsertionReachWhatLiesBeneath) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 200);
    auto *a = f.AddLabel(QStringLiteral("A"), band, 20, 20, 40, 20);
    auto *b = f.AddLabel(QStringLiteral("B"), band, 100, 60, 40, 20);
    f.Show();
    f.Handle->Attach(a);
    f.Handle->Attach(b);
    TPressRecorder onBand, onB;
    band->installEventFilter(&onBand);
    b->installEventFilter(&onB);
    // (80, 40) on the band lies inside the handle but beside both elements.
    QTest::mousePress(f.Handle, Qt::LeftButton, Qt::NoModifier, QPoint(80 - 18, 40 - 18));
    EXPECT_FALSE(f.Handle->Dragging());
    EXPECT_EQ(onBand.Presses, (QList<QPoint>{{80, 40}}));
    QTest::mouseRelease(f.Handle, Qt::LeftButton, Qt::NoModifier, QPoint(80 - 18, 40 - 18));
    // The band got the press and is selected now.
    EXPECT_EQ(f.Handle->Children(), (QList<QWidget *>{band}));
    f.Handle->DetachWithoutEvents();
    f.Handle->Attach(a);
    f.Handle->Attach(b);

    // While an insertion is pending even a press on a selected element goes to it, in its
    // own coordinates.
    f.Designer->SetVendamoState(3);
    QTest::mousePress(f.Handle, Qt::LeftButton, Qt::NoModifier, QPoint(110 - 18, 65 - 18));
    EXPECT_FALSE(f.Handle->Dragging());
    EXPECT_EQ(onB.Presses, (QList<QPoint>{{10, 5}}));
    QTest::mouseRelease(f.Handle, Qt::LeftButton, Qt::NoModifier, QPoint(110 - 18, 65 - 18));
}

TEST(StretchHandleDrag, EscapeOrLosingTheFocusDropsADragWithoutMovingAnything) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"), 200);
    auto *a = f.AddLabel(QStringLiteral("A"), band, 22, 22, 40, 20);
    f.Show();
    f.Handle->Attach(a);
    f.Handle->setFocus();
    QTest::mouseMove(f.Handle, QPoint(10, 10));
    QTest::mousePress(f.Handle, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseMove(f.Handle, QPoint(30, 30));
    ASSERT_TRUE(f.Handle->Dragging());
    QTest::keyClick(f.Handle, Qt::Key_Escape);
    EXPECT_FALSE(f.Handle->Dragging());
    QTest::mouseRelease(f.Handle, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
    EXPECT_EQ(a->pos(), QPoint(22, 22));
    EXPECT_EQ(f.Designer->GetSelectedElements(), (QList<QWidget *>{a}));  // Esc did not select the band

    QTest::mousePress(f.Handle, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseMove(f.Handle, QPoint(30, 30));
    ASSERT_TRUE(f.Handle->Dragging());
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(f.Handle, &out);
    EXPECT_FALSE(f.Handle->Dragging());
    QTest::mouseRelease(f.Handle, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
    EXPECT_EQ(a->pos(), QPoint(22, 22));
}
