// Arrange and format commands, and the host's menu items, speed buttons and font combo boxes
// bound to them.
#include "design_fixture.h"

#include "host/button_controls.h"
#include "host/list_controls.h"
#include "host/menu_controls.h"
#include "host/property_access.h"
#include "host/scripted_interaction.h"
#include "host/stream.h"

#include <QPointer>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace {

struct TArrangeForm : TDesignForm {
    TArrangeForm() { band = AddBand(QStringLiteral("Band1"), 200); }
    TVendamoLabel *Label(const QString &name, int left, int top, int width, int height = 20) {
        return AddLabel(name, band, left, top, width, height);
    }
    void Select(const QList<QWidget *> &elements) {
        Designer->SelectElement(true, nullptr);
        for (QWidget *e : elements) Designer->SelectElement(false, e);
    }
    TVendamoBand *band;
};

}  // namespace

TEST(Arrange, AlignmentFollowsTheFirstSelectedElementEvenThroughBlockMove) {
    TArrangeForm f;
    auto *r = f.Label(QStringLiteral("R"), 10, 10, 100);
    auto *e = f.Label(QStringLiteral("E"), 300, 90, 40, 30);
    e->SetBlockMove(true);
    f.Select({r, e});
    f.Designer->RightAlignSelectedElements();
    EXPECT_EQ(e->x(), 70);
    f.Designer->BottomAlignSelectedElements();
    EXPECT_EQ(e->y(), 0);  // 10 + 20 - 30
    f.Designer->LeftAlignSelectedElements();
    f.Designer->TopAlignSelectedElements();
    EXPECT_EQ(e->pos(), QPoint(10, 10));
    EXPECT_TRUE(f.Designer->HasChanged());
    EXPECT_EQ(f.Handle->geometry(), QRect(8, 8, 105, 35));  // refitted

    auto *ref = f.Label(QStringLiteral("Ref"), 0, 100, 60, 40);
    auto *odd = f.Label(QStringLiteral("Odd"), 200, 150, 31, 15);
    f.Select({ref, odd});
    f.Designer->HorizontalCenterSelectedElements();
    f.Designer->VerticalCenterSelectedElements();
    EXPECT_EQ(odd->pos(), QPoint(15, 100 + 20 - 7));
    // One element alone is not aligned.
    f.Select({odd});
    f.Designer->SetHasChanged(false);
    f.Designer->LeftAlignSelectedElements();
    EXPECT_EQ(odd->x(), 15);
    EXPECT_FALSE(f.Designer->HasChanged());
}

TEST(Arrange, EqualSpacingKeepsSelectionOrderAndTruncatesTheStep) {
    TArrangeForm f;
    auto *a = f.Label(QStringLiteral("A"), 100, 10, 20);
    auto *b = f.Label(QStringLiteral("B"), 0, 40, 20);
    auto *c = f.Label(QStringLiteral("C"), 50, 70, 20);
    f.Select({a, b, c});
    f.Designer->HorizontalSpaceEqualSelectedElements();
    EXPECT_EQ(a->x(), 0);
    EXPECT_EQ(b->x(), 50);
    EXPECT_EQ(c->x(), 100);

    auto *d = f.Label(QStringLiteral("D"), 5, 0, 20);
    a->SetBounds(0, 0, 20, 20);
    b->SetBounds(4, 10, 20, 20);
    c->SetBounds(7, 3, 20, 20);
    d->SetBounds(1, 7, 20, 20);
    f.Select({a, b, c, d});
    f.Designer->VerticalSpaceEqualSelectedElements();  // min 0, max 10: step 3
    EXPECT_EQ(QList<int>({a->y(), b->y(), c->y(), d->y()}), QList<int>({0, 3, 6, 9}));
}

TEST(Arrange, CentringInTheBandGoesThroughTheHandleWithEvenRounding) {
    TArrangeForm f;
    f.Show();
    // A handle 299 pixels narrower than the band: 149.5 goes to 150.
    const int handleWidth = f.band->width() - 299;
    auto *e = f.Label(QStringLiteral("E"), 3, 30, handleWidth - 5);
    f.Select({e});
    f.Designer->SetHasChanged(false);
    f.Designer->HorizontalParentCenterSelectedElements();
    EXPECT_EQ(f.Handle->x(), 150);
    EXPECT_EQ(e->x(), 152);
    EXPECT_TRUE(f.Designer->HasChanged());
    f.Designer->VerticalParentCenterSelectedElements();
    EXPECT_EQ(f.Handle->y(), f.band->height() / 2 - f.Handle->height() / 2);
    // Locks apply: a BlockMove element is not centred.
    e->SetBlockMove(true);
    const QPoint kept = e->pos();
    f.Designer->VerticalParentCenterSelectedElements();
    f.Designer->HorizontalParentCenterSelectedElements();
    e->SetBounds(0, 0, e->width(), e->height());
    f.Designer->RedrawSelection();
    f.Designer->HorizontalParentCenterSelectedElements();
    EXPECT_EQ(e->pos(), QPoint(0, 0));
    EXPECT_NE(kept, QPoint(0, 0));
    // A band is not centred horizontally.
    f.Select({f.band});
    const int bandLeft = f.band->x();
    f.Designer->HorizontalParentCenterSelectedElements();
    EXPECT_EQ(f.band->x(), bandLeft);
}

TEST(Arrange, FontCommandsSkipBlockEditAndFallBackToTheReportFont) {
    TArrangeForm f;
    auto *a = f.Label(QStringLiteral("A"), 10, 10, 50);
    auto *locked = f.Label(QStringLiteral("Locked"), 100, 10, 50);
    locked->SetBlockEdit(true);
    a->Font()->SetSize(10);
    locked->Font()->SetSize(10);
    f.Select({a, locked});
    f.Designer->SetSelectedElementsFontSize(16);
    f.Designer->SetSelectedElementsFont(QStringLiteral("Courier New"));
    f.Designer->SetSelectedElementsFontStyle(1, 0, 1);
    EXPECT_EQ(a->Font()->Size(), 16);
    EXPECT_EQ(a->Font()->Name(), QStringLiteral("Courier New"));
    EXPECT_EQ(a->Font()->Style(), fsBold | TFont::fsItalic);
    EXPECT_EQ(locked->Font()->Size(), 10);
    f.Designer->SetSelectedElementsFontStyle(-1, 1, 0);
    EXPECT_EQ(a->Font()->Style(), TFont::fsUnderline | TFont::fsItalic);

    // With nothing selected the bold button makes the report's own font bold.
    auto *bold = new TSpeedButton(f.Form.get());
    f.Designer->SpeedButtons()->SetFontBold(bold);
    f.Designer->SelectElement(true, nullptr);
    f.Report->Font()->SetStyle(0);
    bold->click();
    EXPECT_TRUE(bold->isChecked());
    EXPECT_EQ(f.Report->Font()->Style(), fsBold);
    bold->click();  // all up again: a toggle of its own
    EXPECT_FALSE(bold->isChecked());
    EXPECT_EQ(f.Report->Font()->Style(), 0);
    EXPECT_EQ(bold->GroupIndex(), 29998);
}

TEST(Arrange, TextAlignmentButtonsExcludeEachOtherAndWriteTheSelection) {
    TArrangeForm f;
    auto *a = f.Label(QStringLiteral("A"), 10, 10, 50);
    TVDMSpeedButtons *buttons = f.Designer->SpeedButtons();
    const QStringList names = {"TextLeftAlign", "TextRightAlign", "TextCenter"};
    QList<TSpeedButton *> list;
    for (const QString &n : names) {
        auto *b = new TSpeedButton(f.Form.get());
        b->SetGroupIndex(5);
        SetPointerProperty(buttons, n, b);
        list << b;
    }
    f.Select({a});
    f.Designer->SetHasChanged(false);
    list[2]->click();
    EXPECT_EQ(GetIntegerProperty(a, QStringLiteral("Alignment")), 2);
    EXPECT_TRUE(f.Designer->HasChanged());
    list[1]->click();
    EXPECT_EQ(GetIntegerProperty(a, QStringLiteral("Alignment")), 1);
    EXPECT_FALSE(list[2]->isChecked());
    EXPECT_TRUE(list[1]->isChecked());
    list[0]->click();
    EXPECT_EQ(GetIntegerProperty(a, QStringLiteral("Alignment")), 0);
}

TEST(Bindings, HandlersAreFoundByNameAndControlsFollowTheSelectionCount) {
    TArrangeForm f;
    auto *a = f.Label(QStringLiteral("A"), 10, 10, 50);
    auto *b = f.Label(QStringLiteral("B"), 100, 10, 50);
    auto *c = f.Label(QStringLiteral("C"), 200, 10, 50);
    TVDMSpeedButtons *buttons = f.Designer->SpeedButtons();
    TVDMMenuItems *items = f.Designer->MenuItems();
    QHash<QString, TSpeedButton *> sb;
    for (const QString &n : TVDMSpeedButtons::Names()) {
        sb[n] = new TSpeedButton(f.Form.get());
        SetPointerProperty(buttons, n, sb[n]);
    }
    QHash<QString, TMenuItem *> mi;
    for (const QString &n : TVDMMenuItems::Names()) {
        mi[n] = new TMenuItem(f.Form.get());
        SetPointerProperty(items, n, mi[n]);
    }
    EXPECT_EQ(TVDMMenuItems::Names().size(), 17);
    EXPECT_EQ(TVDMSpeedButtons::Names().size(), 24);
    EXPECT_TRUE(GetMethodProperty(sb["AlignLeft"], QStringLiteral("OnClick")) == buttons->MethodAddress("OnLeftAlign"));
    EXPECT_FALSE(GetMethodProperty(sb["Ruler"], QStringLiteral("OnClick")).Assigned());
    EXPECT_FALSE(buttons->MethodAddress(QStringLiteral("NoSuchHandler")).Assigned());
    EXPECT_EQ(sb["FontItalic"]->GroupIndex(), 29999);
    EXPECT_EQ(sb["FontUnderline"]->GroupIndex(), 29997);
    EXPECT_TRUE(sb["FontUnderline"]->AllowAllUp());

    auto enabled = [&](const QString &n) { return sb[n]->isEnabled(); };
    f.Designer->SelectElement(true, nullptr);
    EXPECT_FALSE(enabled("Delete"));
    EXPECT_FALSE(mi["CopyToClipboard"]->isEnabled());
    f.Select({a});
    EXPECT_TRUE(enabled("Delete"));
    EXPECT_TRUE(enabled("AlignParentCenterVertical"));
    EXPECT_FALSE(enabled("AlignLeft"));
    EXPECT_FALSE(mi["AlignLeft"]->isEnabled());
    f.Select({a, b});
    EXPECT_TRUE(enabled("AlignLeft"));
    EXPECT_TRUE(mi["CenterVertical"]->isEnabled());
    EXPECT_FALSE(enabled("AlignEqualSpaceHorizontal"));
    EXPECT_FALSE(mi["EqualSpaceVertical"]->isEnabled());
    f.Select({a, b, c});
    EXPECT_TRUE(enabled("AlignEqualSpaceHorizontal"));
    EXPECT_TRUE(mi["EqualSpaceVertical"]->isEnabled());

    // A click on a bound button or menu item runs its command.
    b->SetBounds(100, 40, 50, 20);
    f.Select({a, b});
    sb["AlignTop"]->click();
    EXPECT_EQ(b->y(), 10);
    b->SetBounds(100, 40, 50, 20);
    mi["AlignBottom"]->trigger();
    EXPECT_EQ(b->y(), 10);
    sb["NormalDesign"]->SetGroupIndex(7);
    f.Designer->SetVendamoState(3);
    sb["NormalDesign"]->click();
    EXPECT_EQ(f.Designer->VendamoState(), 0);
    EXPECT_TRUE(sb["NormalDesign"]->isChecked());

    // A control that goes is forgotten.
    delete sb["Delete"];
    EXPECT_EQ(buttons->Delete(), nullptr);
    f.Select({a});
}

TEST(Bindings, PasteWaitsForACopyAndUndoForAChange) {
    VDMClipboard().Clear();
    TArrangeForm f;
    auto *a = f.Label(QStringLiteral("A"), 10, 10, 50);
    auto *paste = new TMenuItem(f.Form.get());
    auto *pasteButton = new TSpeedButton(f.Form.get());
    auto *undo = new TMenuItem(f.Form.get());
    f.Designer->MenuItems()->SetPasteFromClipboard(paste);
    f.Designer->SpeedButtons()->SetPasteFromClipboard(pasteButton);
    f.Designer->MenuItems()->SetUndo(undo);
    EXPECT_FALSE(paste->isEnabled());
    EXPECT_FALSE(pasteButton->isEnabled());
    f.Select({a});
    f.Designer->CopyToVDMClipboard();
    EXPECT_TRUE(paste->isEnabled());
    EXPECT_TRUE(pasteButton->isEnabled());
    f.Select({f.band});
    paste->trigger();
    int labels = 0;
    for (QObject *o : f.band->children()) labels += qobject_cast<TVendamoLabel *>(o) != nullptr;
    EXPECT_EQ(labels, 2);

    undo->setEnabled(false);
    f.Designer->SetUndoEnabled(true);
    f.Select({a});
    f.Designer->LeftAlignSelectedElements();  // one element: no change, no snapshot
    EXPECT_FALSE(undo->isEnabled());
    f.Handle->SetBounds(f.Handle->x() + 5, f.Handle->y(), f.Handle->width(), f.Handle->height());
    EXPECT_TRUE(undo->isEnabled());
    undo->trigger();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(qobject_cast<QWidget *>(f.Form->FindComponent(QStringLiteral("A"))->Object())->x(), 10);
}

TEST(Bindings, FontComboBoxesFollowTheSelectionAndChangeTheFont) {
    TArrangeForm f;
    TScriptedInteraction ui;
    auto *a = f.Label(QStringLiteral("A"), 10, 10, 50);
    a->Font()->SetSize(12);
    auto *fonts = new TComboBox(f.Form.get());
    auto *sizes = new TComboBox(f.Form.get());
    auto *bold = new TSpeedButton(f.Form.get());
    for (QWidget *w : {static_cast<QWidget *>(fonts), static_cast<QWidget *>(sizes)}) {
        w->setParent(f.Form.get());
        w->move(700, w == fonts ? 10 : 40);
    }
    f.Designer->SetFontComboBox(fonts);
    f.Designer->SetFontSizeComboBox(sizes);
    f.Designer->SpeedButtons()->SetFontBold(bold);
    EXPECT_GT(fonts->Items()->Count(), 0);  // the installed fonts
    a->Font()->SetStyle(fsBold);
    f.Show();
    f.Select({a});
    EXPECT_EQ(sizes->currentText(), QStringLiteral("12"));
    EXPECT_TRUE(bold->isChecked());

    sizes->setFocus();
    sizes->lineEdit()->selectAll();
    QTest::keyClicks(sizes, QStringLiteral("9"));
    QTest::keyClick(sizes, Qt::Key_Return);
    EXPECT_EQ(a->Font()->Size(), 9);
    // Not a number: the conversion error is shown and nothing changes.
    sizes->lineEdit()->selectAll();
    QTest::keyClicks(sizes, QStringLiteral("x"));
    EXPECT_EQ(ui.Errors().size(), 1);
    EXPECT_EQ(a->Font()->Size(), 9);
    fonts->SetItemIndex(fonts->Items()->Count() - 1);
    QTest::keyClick(fonts, Qt::Key_Up);
    EXPECT_EQ(a->Font()->Name(), fonts->currentText());
}
