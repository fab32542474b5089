// The ruler's marks in every unit and at the zooms where their kinds change, the scroll box's
// events, and the list box's moves within one list and between two.
#include "env/enhanced_listbox.h"
#include "env/event_scrollbox.h"
#include "env/ruler_panel.h"

#include "host/method.h"

#include <QScrollBar>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>
#include <gtest/gtest.h>

namespace {

QList<int> XsOf(const QList<TRulerMark> &marks, std::function<bool(const TRulerMark &)> keep) {
    QList<int> xs;
    for (const TRulerMark &m : marks)
        if (keep(m)) xs << m.X;
    return xs;
}

QStringList NumbersOf(const QList<TRulerMark> &marks) {
    QStringList numbers;
    for (const TRulerMark &m : marks)
        if (!m.Number.isEmpty()) numbers << m.Number;
    return numbers;
}

}  // namespace

TEST(RulerPanel, MillimetresAtFullZoomMarkEveryMillimetreAndNumberEveryCentimetre) {
    // 200 pixels at 96 per inch are 52.9 mm: 53 marks, numbers 1 to 5 at 37.8 pixels per cm.
    const QList<TRulerMark> marks = TRulerPanel::Marks(0, 100, 200, 15);
    ASSERT_EQ(marks.size(), 53);
    EXPECT_EQ(NumbersOf(marks), (QStringList{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(marks[9].X, 38);  // round(10 / 0.26458)
    EXPECT_TRUE(marks[9].Major);
    EXPECT_EQ(marks[9].Top, 2);
    EXPECT_EQ(marks[9].NumberTop, 1);
    EXPECT_EQ(marks[4].Top, 7);   // half-centimetre: from half the height
    EXPECT_EQ(marks[0].Top, 11);  // millimetre: the last 4 pixels
    EXPECT_EQ(marks[0].X, 4);
}

TEST(RulerPanel, MillimetreMarksDependOnZoom) {
    // At 40 % the millimetres go and the half-centimetre marks stay long; at 25 % they are short.
    const QList<TRulerMark> at40 = TRulerPanel::Marks(0, 40, 400, 15);
    EXPECT_TRUE(XsOf(at40, [](const TRulerMark &m) { return !m.Major && m.Top == 11; }).isEmpty());
    const QList<int> half40 = XsOf(at40, [](const TRulerMark &m) { return !m.Major && m.Top == 7; });
    ASSERT_FALSE(half40.isEmpty());
    EXPECT_EQ(half40.first(), 8);  // 5 mm at 40 %: round(5 / 0.66146) = 8

    const QList<TRulerMark> at25 = TRulerPanel::Marks(0, 25, 400, 15);
    EXPECT_TRUE(XsOf(at25, [](const TRulerMark &m) { return !m.Major && m.Top == 7; }).isEmpty());
    EXPECT_FALSE(XsOf(at25, [](const TRulerMark &m) { return !m.Major && m.Top == 11; }).isEmpty());
    // Numbers every centimetre at 37.8 pixels times the zoom.
    EXPECT_EQ(XsOf(TRulerPanel::Marks(0, 200, 100, 15), [](const TRulerMark &m) { return m.Major; }),
              (QList<int>{76}));
}

TEST(RulerPanel, InchesMarkQuartersWhenDenseAndNumberWholeInches) {
    const QList<TRulerMark> dense = TRulerPanel::Marks(1, 100, 200, 15);
    // 200 pixels are 2.08 inches: 8 quarter marks, 2 of them whole inches.
    ASSERT_EQ(dense.size(), 8);
    EXPECT_EQ(dense[0].X, 24);
    EXPECT_EQ(dense[0].Top, 7);
    EXPECT_EQ(NumbersOf(dense), (QStringList{"1", "2"}));
    EXPECT_EQ(dense[3].X, 96);
    // At 49 % only whole inches and their numbers are drawn.
    const QList<TRulerMark> sparse = TRulerPanel::Marks(1, 49, 200, 15);
    EXPECT_EQ(XsOf(sparse, [](const TRulerMark &) { return true; }), (QList<int>{47, 94, 141, 188}));
    EXPECT_EQ(NumbersOf(sparse), (QStringList{"1", "2", "3", "4"}));
}

TEST(RulerPanel, CharactersIgnoreZoomAndOtherUnitsDrawNothing) {
    const QList<TRulerMark> chars = TRulerPanel::Marks(3, 100, 400, 15);
    EXPECT_EQ(chars, TRulerPanel::Marks(3, 300, 400, 15));
    // Every ten characters 148.8 pixels, numbered by tens.
    EXPECT_EQ(XsOf(chars, [](const TRulerMark &) { return true; }), (QList<int>{149, 298, 446}));
    EXPECT_EQ(NumbersOf(chars), (QStringList{"10", "20", "30"}));
    EXPECT_TRUE(TRulerPanel::DottedMarks(3));
    EXPECT_TRUE(TRulerPanel::Marks(2, 100, 400, 15).isEmpty());  // pixels
    EXPECT_TRUE(TRulerPanel::Marks(4, 100, 400, 15).isEmpty());  // native
    EXPECT_TRUE(TRulerPanel::Marks(0, 100, 0, 15).isEmpty());    // no width
}

TEST(RulerPanel, StartsSmallWithDefaultsAndPaintsWithoutWidth) {
    TRulerPanel ruler;
    EXPECT_EQ(ruler.height(), 15);
    EXPECT_EQ(ruler.Units(), 0);
    EXPECT_EQ(ruler.Zoom(), 100);
    EXPECT_EQ(ruler.font().pointSize(), 6);
    ruler.SetUnit(1);
    ruler.SetZoom(50);
    ruler.resize(0, 15);
    ruler.grab();  // nothing to draw, and nothing goes wrong
    ruler.resize(300, 15);
    const QImage image = ruler.grab().toImage();
    // Whole inches at 50 %: a major black line at x = 48 from the top margin down.
    EXPECT_EQ(image.pixelColor(48, 10), QColor(Qt::black));
}

TEST(EventScrollbox, ReportsScrollingAfterTheBoxHasScrolled) {
    TEventScrollbox box;
    auto *content = new QWidget;
    content->resize(2000, 2000);
    box.setWidget(content);
    box.resize(200, 200);
    box.show();
    int horizontal = -1, vertical = -1;
    static const char tag = 0;
    box.SetOnScrollHorz(TMethod::FromFunction<QObject *>(
        std::function<void(QObject *)>([&](QObject *s) { horizontal = static_cast<TEventScrollbox *>(s)->HorzScrollPosition(); }),
        &tag));
    box.SetOnScrollVert(TMethod::FromFunction<QObject *>(
        std::function<void(QObject *)>([&](QObject *s) { vertical = static_cast<TEventScrollbox *>(s)->VertScrollPosition(); }),
        &tag));
    box.horizontalScrollBar()->setValue(120);
    EXPECT_EQ(horizontal, 120);
    EXPECT_EQ(vertical, -1);
    QTest::keyClick(box.viewport(), Qt::Key_PageDown);
    EXPECT_GT(vertical, 0);
}

namespace {

TEnhancedListbox *List(std::vector<std::unique_ptr<TEnhancedListbox>> &keep, const QStringList &items,
                       const QList<int> &selected) {
    auto *list = new TEnhancedListbox;
    keep.emplace_back(list);
    list->SetMultiSelect(true);
    list->Items()->SetStringList(items);
    for (int i : selected) list->SetSelected(i, true);
    return list;
}

QStringList Selection(TListBox *list) {
    QStringList s;
    for (int i = 0; i < list->count(); ++i)
        if (list->Selected(i)) s << list->item(i)->text();
    return s;
}

}  // namespace

TEST(EnhancedListbox, MovesSelectedEntriesUpAndDownButNotPastTheEnds) {
    std::vector<std::unique_ptr<TEnhancedListbox>> keep;
    TEnhancedListbox *list = List(keep, {"a", "b", "c", "d", "e"}, {1, 3});
    list->MoveUp();
    EXPECT_EQ(list->Items()->ToStringList(), (QStringList{"b", "a", "d", "c", "e"}));
    EXPECT_EQ(Selection(list), (QStringList{"b", "d"}));
    list->MoveUp();  // b is first: nothing moves
    EXPECT_EQ(list->Items()->ToStringList(), (QStringList{"b", "a", "d", "c", "e"}));

    TEnhancedListbox *down = List(keep, {"a", "b", "c"}, {0, 2});
    down->MoveDown();  // c is last: the whole move stops before anything changes
    EXPECT_EQ(down->Items()->ToStringList(), (QStringList{"a", "b", "c"}));
    TEnhancedListbox *down2 = List(keep, {"a", "b", "c", "d"}, {0, 2});
    down2->MoveDown();
    EXPECT_EQ(down2->Items()->ToStringList(), (QStringList{"b", "a", "d", "c"}));
    EXPECT_EQ(Selection(down2), (QStringList{"a", "c"}));
}

TEST(EnhancedListbox, MovesTheSelectedBlockToAPositionKeepingItsOrder) {
    std::vector<std::unique_ptr<TEnhancedListbox>> keep;
    TEnhancedListbox *list = List(keep, {"a", "b", "c", "d", "e"}, {0, 3});
    list->MoveItems(1);
    EXPECT_EQ(list->Items()->ToStringList(), (QStringList{"b", "a", "d", "c", "e"}));
    EXPECT_EQ(Selection(list), (QStringList{"a", "d"}));
}

TEST(EnhancedListbox, CopiesAndMovesEntriesBetweenLists) {
    std::vector<std::unique_ptr<TEnhancedListbox>> keep;
    TEnhancedListbox *source = List(keep, {"x", "y", "z"}, {0, 2});
    TEnhancedListbox *target = List(keep, {"a", "b"}, {});
    target->CopyFromListbox(source, 1);
    EXPECT_EQ(target->Items()->ToStringList(), (QStringList{"a", "x", "z", "b"}));
    EXPECT_EQ(source->Items()->ToStringList(), (QStringList{"x", "y", "z"}));
    target->MoveFromListbox(source, -1);
    EXPECT_EQ(target->Items()->ToStringList(), (QStringList{"a", "x", "z", "b", "x", "z"}));
    EXPECT_EQ(source->Items()->ToStringList(), (QStringList{"y"}));
    // Nothing selected in the source, or the list itself as the source: no change anywhere.
    target->MoveFromListbox(source, 0);
    target->MoveFromListbox(target, 0);
    EXPECT_EQ(target->Items()->ToStringList(), (QStringList{"a", "x", "z", "b", "x", "z"}));
    EXPECT_EQ(source->Items()->ToStringList(), (QStringList{"y"}));
}

TEST(EnhancedListbox, ChangeFiresOncePerNewCurrentEntry) {
    TEnhancedListbox list;
    list.Items()->SetStringList({"a", "b", "c"});
    list.resize(100, 100);
    list.show();
    int changes = 0;
    static const char tag = 0;
    list.SetOnChange(TMethod::FromFunction<QObject *>(std::function<void(QObject *)>([&](QObject *) { ++changes; }), &tag));
    const QRect second = list.visualItemRect(list.item(1));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(changes, 1);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(changes, 1);
    QTest::keyClick(list.viewport(), Qt::Key_Down);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(list.currentRow(), 2);
}
