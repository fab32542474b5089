// The standard controls: properties reached by name show in the widget and back, Items and
// Lines follow the widget both ways, and clicks and keys fire the event properties.
#include "host/class_registry.h"
#include "host/forms.h"
#include "host/property_access.h"
#include "host/standard_controls.h"

#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

namespace {

// Records the senders of a notify event.
struct EventLog {
    QList<QObject *> Senders;
    TMethod Handler() {
        return TMethod::FromFunction<QObject *>(std::function<void(QObject *)>([this](QObject *s) { Senders << s; }),
                                                this);
    }
    int Count() const { return int(Senders.size()); }
};

// A shown form whose controls sit in a vertical layout.
struct FormFixture {
    FormFixture() : Form(std::make_unique<TForm>()) {
        Form->SetName("TestForm");
        new QVBoxLayout(Form.get());
    }
    template <class T>
    T *Add(const QString &name) {
        auto *control = new T(Form.get());
        control->SetName(name);
        Form->layout()->addWidget(control);
        return control;
    }
    void Show() {
        Form->resize(400, 600);
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    }
    std::unique_ptr<TForm> Form;
};

// Clicks a check box or radio button on its indicator (the middle of a wide box is empty).
void ClickBox(QWidget *box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }

TStrings *List(QObject *object, const char *name) { return qobject_cast<TStrings *>(GetPointerProperty(object, name)); }

const char *const kWidgetControls[] = {"TLabel",       "TEdit",     "TMemo",       "TSpinEdit",  "TButton",
                                       "TSpeedButton", "TCheckBox", "TRadioButton", "TComboBox", "TListBox",
                                       "TRadioGroup",  "TPanel",    "TGroupBox",   "TPageControl", "TTabSheet"};

}  // namespace

// Registered before main by the host library's start-up code.
TEST(StandardControls, EveryClassIsCreatedByNameAndPublishesTheSharedProperties) {
    TForm form;
    for (const char *className : kWidgetControls) {
        SCOPED_TRACE(className);
        const TComponentClass *cls = FindComponentClass(QString::fromLatin1(className).toLower());
        ASSERT_NE(cls, nullptr);
        TComponent *control = cls->Create(&form);
        QObject *object = control->Object();
        auto *widget = qobject_cast<QWidget *>(object);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(control->ClassName(), className);
        SetStringProperty(object, "name", QStringLiteral("Ctl%1").arg(form.ComponentCount()));
        EXPECT_EQ(form.FindComponent(control->Name()), control);
        SetIntegerProperty(object, "Tag", 7);
        EXPECT_EQ(control->Tag(), 7);
        SetStringProperty(object, "Hint", "Tip");
        EXPECT_EQ(widget->toolTip(), "Tip");
        SetBooleanProperty(object, "Enabled", false);
        EXPECT_FALSE(widget->isEnabled());
        SetBooleanProperty(object, "Visible", false);
        EXPECT_TRUE(widget->isHidden());
        SetIntegerProperty(object, "Left", 11);
        SetIntegerProperty(object, "Top", 12);
        SetIntegerProperty(object, "Width", 113);
        SetIntegerProperty(object, "Height", 54);
        EXPECT_EQ(widget->geometry(), QRect(11, 12, 113, 54));
        EXPECT_EQ(GetIntegerProperty(object, "Width"), 113);
    }
    for (const char *className : {"TMainMenu", "TPopupMenu", "TMenuItem"})
        EXPECT_NE(FindComponentClass(className), nullptr) << className;
}

TEST(StandardControls, CaptionIsTheWidgetsOwnText) {
    FormFixture f;
    auto *label = f.Add<TLabel>("Label1");
    auto *button = f.Add<TButton>("Button1");
    auto *check = f.Add<TCheckBox>("Check1");
    auto *group = f.Add<TGroupBox>("Group1");
    auto *panel = f.Add<TPanel>("Panel1");
    for (QObject *o : std::initializer_list<QObject *>{label, button, check, group, panel})
        SetStringProperty(o, "Caption", "&Text");
    EXPECT_EQ(label->text(), "&Text");
    EXPECT_EQ(button->text(), "&Text");
    EXPECT_EQ(check->text(), "&Text");
    EXPECT_EQ(group->title(), "&Text");
    EXPECT_EQ(GetStringProperty(panel, "Caption"), "&Text");
    button->setText("Changed by Qt");
    EXPECT_EQ(GetStringProperty(button, "Caption"), "Changed by Qt");
}

TEST(StandardControls, LabelFocusesItsControlAndReportsClicks) {
    FormFixture f;
    auto *label = f.Add<TLabel>("NameLabel");
    auto *edit = f.Add<TEdit>("NameEdit");
    auto *other = f.Add<TEdit>("OtherEdit");
    SetStringProperty(label, "Caption", "&Name");
    SetPointerProperty(label, "FocusControl", edit);
    EXPECT_EQ(GetPointerProperty(label, "FocusControl"), edit);
    EventLog clicks;
    SetMethodProperty(label, "OnClick", clicks.Handler());
    f.Show();
    other->setFocus();
    QTest::keyClick(f.Form.get(), Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(edit->hasFocus());
    QTest::mouseClick(label, Qt::LeftButton);
    ASSERT_EQ(clicks.Count(), 1);
    EXPECT_EQ(clicks.Senders[0], label);
}

TEST(StandardControls, ButtonsFireOnClickForTheUserOnly) {
    FormFixture f;
    auto *button = f.Add<TButton>("OkButton");
    auto *check = f.Add<TCheckBox>("Check");
    EventLog clicks, checkClicks;
    SetMethodProperty(button, "OnClick", clicks.Handler());
    SetMethodProperty(check, "OnClick", checkClicks.Handler());
    f.Show();
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(clicks.Count(), 1);
    EXPECT_EQ(clicks.Senders[0], button);
    button->setEnabled(false);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks.Count(), 1);

    SetBooleanProperty(check, "Checked", true);
    EXPECT_EQ(checkClicks.Count(), 0);
    ClickBox(check);
    EXPECT_FALSE(GetBooleanProperty(check, "Checked"));
    EXPECT_EQ(checkClicks.Count(), 1);
}

TEST(StandardControls, CheckBoxStatesAndTheClickCycle) {
    FormFixture f;
    auto *check = f.Add<TCheckBox>("Check");
    f.Show();
    // A mixed box set from code (several objects shown at once) becomes checked on a click,
    // and without AllowGrayed the user never clicks back into the mixed state.
    SetIntegerProperty(check, "State", cbGrayed);
    EXPECT_FALSE(GetBooleanProperty(check, "Checked"));
    ClickBox(check);
    EXPECT_EQ(GetIntegerProperty(check, "State"), cbChecked);
    ClickBox(check);
    ClickBox(check);
    EXPECT_EQ(GetIntegerProperty(check, "State"), cbChecked);

    SetBooleanProperty(check, "AllowGrayed", true);
    QList<int> seen;
    for (int i = 0; i < 3; ++i) {
        ClickBox(check);
        seen << int(GetIntegerProperty(check, "State"));
    }
    EXPECT_EQ(seen, (QList<int>{cbUnchecked, cbGrayed, cbChecked}));
}

TEST(StandardControls, RadioButtonsAndSpeedButtonsExcludeTheirGroup) {
    FormFixture f;
    auto *first = f.Add<TRadioButton>("First");
    auto *second = f.Add<TRadioButton>("Second");
    auto *left = f.Add<TSpeedButton>("AlignLeft");
    auto *right = f.Add<TSpeedButton>("AlignRight");
    auto *single = f.Add<TSpeedButton>("Single");
    f.Show();
    SetBooleanProperty(first, "Checked", true);
    ClickBox(second);
    EXPECT_FALSE(first->isChecked());
    EXPECT_TRUE(GetBooleanProperty(second, "Checked"));

    SetIntegerProperty(left, "GroupIndex", 1);
    SetIntegerProperty(right, "GroupIndex", 1);
    EventLog clicks;
    SetMethodProperty(right, "OnClick", clicks.Handler());
    SetBooleanProperty(left, "Down", true);
    QTest::mouseClick(right, Qt::LeftButton);
    EXPECT_TRUE(GetBooleanProperty(right, "Down"));
    EXPECT_FALSE(GetBooleanProperty(left, "Down"));
    QTest::mouseClick(right, Qt::LeftButton);  // the last one down stays down...
    EXPECT_TRUE(GetBooleanProperty(right, "Down"));
    SetBooleanProperty(right, "AllowAllUp", true);
    QTest::mouseClick(right, Qt::LeftButton);  // ...unless all may be up
    EXPECT_FALSE(GetBooleanProperty(right, "Down"));
    EXPECT_EQ(clicks.Count(), 3);
    // A one-button group that may be all up is a toggle (the font style buttons).
    auto *bold = f.Add<TSpeedButton>("FontBold");
    SetIntegerProperty(bold, "GroupIndex", 29998);
    SetBooleanProperty(bold, "AllowAllUp", true);
    QTest::mouseClick(bold, Qt::LeftButton);
    EXPECT_TRUE(GetBooleanProperty(bold, "Down"));
    QTest::mouseClick(bold, Qt::LeftButton);
    EXPECT_FALSE(GetBooleanProperty(bold, "Down"));
    // Without a group a speed button does not stay down.
    SetBooleanProperty(single, "Down", true);
    QTest::mouseClick(single, Qt::LeftButton);
    EXPECT_FALSE(GetBooleanProperty(single, "Down"));
}

TEST(StandardControls, EditAndSpinEditFireOnChangeAndOnKeyDownCanConsumeKeys) {
    FormFixture f;
    auto *edit = f.Add<TEdit>("NameEdit");
    auto *spin = f.Add<TSpinEdit>("GridSpin");
    EventLog changes, spinChanges;
    SetMethodProperty(edit, "OnChange", changes.Handler());
    SetMethodProperty(spin, "OnChange", spinChanges.Handler());
    QList<int> keys;
    SetMethodProperty(edit, "OnKeyDown",
                      TMethod::FromFunction<QObject *, int &, Qt::KeyboardModifiers>(
                          std::function<void(QObject *, int &, Qt::KeyboardModifiers)>(
                              [&](QObject *, int &key, Qt::KeyboardModifiers) {
                                  keys << key;
                                  if (key == Qt::Key_X) key = 0;  // swallowed
                              }),
                          &keys));
    f.Show();
    edit->setFocus();
    QTest::keyClicks(edit, "axb");
    EXPECT_EQ(GetStringProperty(edit, "Text"), "ab");
    EXPECT_EQ(changes.Count(), 2);
    EXPECT_EQ(keys, (QList<int>{Qt::Key_A, Qt::Key_X, Qt::Key_B}));
    SetStringProperty(edit, "Text", "set");
    EXPECT_EQ(changes.Count(), 3);

    SetIntegerProperty(spin, "MinValue", 1);
    SetIntegerProperty(spin, "MaxValue", 32);
    SetIntegerProperty(spin, "Value", 40);
    EXPECT_EQ(GetIntegerProperty(spin, "Value"), 32);
    SetIntegerProperty(spin, "Value", 4);
    SetIntegerProperty(spin, "Increment", 2);
    const int before = spinChanges.Count();
    spin->setFocus();
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(GetIntegerProperty(spin, "Value"), 6);
    EXPECT_EQ(spinChanges.Count(), before + 1);
}

TEST(StandardControls, MemoLinesFollowTheTextBothWays) {
    FormFixture f;
    auto *memo = f.Add<TMemo>("Notes");
    TStrings *lines = List(memo, "Lines");
    ASSERT_NE(lines, nullptr);
    lines->SetText("one\ntwo\n");
    EXPECT_EQ(memo->toPlainText(), "one\ntwo");
    lines->Put(1, "zwei");
    EXPECT_EQ(memo->toPlainText(), "one\nzwei");
    EventLog changes;
    SetMethodProperty(memo, "OnChange", changes.Handler());
    f.Show();
    memo->setFocus();
    memo->moveCursor(QTextCursor::End);
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "three");
    EXPECT_EQ(lines->ToStringList(), (QStringList{"one", "zwei", "three"}));
    EXPECT_EQ(changes.Count(), 6);
    memo->clear();
    EXPECT_EQ(lines->Count(), 0);
}

TEST(StandardControls, ComboBoxItemsIndexAndUserChanges) {
    FormFixture f;
    auto *combo = f.Add<TComboBox>("Units");
    TStrings *items = List(combo, "Items");
    ASSERT_NE(items, nullptr);
    items->SetText("mm\ninch\npoints");
    ASSERT_EQ(combo->count(), 3);
    SetIntegerProperty(combo, "ItemIndex", 1);
    // Renaming entries (a translation) keeps the choice.
    items->Put(1, "Zoll");
    EXPECT_EQ(GetIntegerProperty(combo, "ItemIndex"), 1);
    EXPECT_EQ(GetStringProperty(combo, "Text"), "Zoll");
    SetIntegerProperty(combo, "ItemIndex", 9);
    EXPECT_EQ(GetIntegerProperty(combo, "ItemIndex"), -1);
    // Entries the widget gains show in Items.
    combo->addItem("pixels");
    EXPECT_EQ(items->Count(), 4);
    EXPECT_EQ(items->Get(3), "pixels");

    SetIntegerProperty(combo, "Style", csDropDownList);
    EXPECT_FALSE(combo->isEditable());
    SetStringProperty(combo, "Text", "POINTS");
    EXPECT_EQ(combo->currentIndex(), 2);
    EventLog changes;
    SetMethodProperty(combo, "OnChange", changes.Handler());
    SetIntegerProperty(combo, "ItemIndex", 0);
    EXPECT_EQ(changes.Count(), 0);
    f.Show();
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(GetIntegerProperty(combo, "ItemIndex"), 1);
    EXPECT_EQ(changes.Count(), 1);

    SetIntegerProperty(combo, "Style", csDropDown);
    combo->lineEdit()->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), "cm");
    EXPECT_EQ(GetStringProperty(combo, "Text"), "cm");
    EXPECT_EQ(changes.Count(), 3);
    EXPECT_EQ(items->Count(), 4);  // typing adds no entry
    // Keys typed into the editable box reach OnKeyDown (Enter applies a typed font size).
    QList<int> keys;
    SetMethodProperty(combo, "OnKeyDown",
                      TMethod::FromFunction<QObject *, int &, Qt::KeyboardModifiers>(
                          std::function<void(QObject *, int &, Qt::KeyboardModifiers)>(
                              [&](QObject *, int &key, Qt::KeyboardModifiers) { keys << key; }),
                          &keys));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(keys, (QList<int>{Qt::Key_2, Qt::Key_Return}));
    EXPECT_EQ(GetStringProperty(combo, "Text"), "cm2");
}

TEST(StandardControls, ListBoxSelectionFiresOnClickOnlyForTheUser) {
    FormFixture f;
    auto *list = f.Add<TListBox>("Fields");
    TStrings *items = List(list, "Items");
    items->SetText("Name\nCity\nZip");
    EventLog clicks, doubleClicks;
    SetMethodProperty(list, "OnClick", clicks.Handler());
    SetMethodProperty(list, "OnDblClick", doubleClicks.Handler());
    SetIntegerProperty(list, "ItemIndex", 0);
    EXPECT_EQ(clicks.Count(), 0);
    items->Delete(2);
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(GetIntegerProperty(list, "ItemIndex"), 0);
    f.Show();
    list->setFocus();
    QTest::keyClick(list->viewport(), Qt::Key_Down);
    EXPECT_EQ(GetIntegerProperty(list, "ItemIndex"), 1);
    EXPECT_EQ(clicks.Count(), 1);
    const QPoint first = list->visualItemRect(list->item(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first);
    EXPECT_EQ(GetIntegerProperty(list, "ItemIndex"), 0);
    EXPECT_EQ(clicks.Count(), 2);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first);
    EXPECT_EQ(doubleClicks.Count(), 1);

    SetBooleanProperty(list, "MultiSelect", true);
    list->SetSelected(0, true);
    list->SetSelected(1, true);
    EXPECT_EQ(GetIntegerProperty(list, "SelCount"), 2);
    EXPECT_TRUE(list->Selected(1));
    EXPECT_FALSE(list->Selected(5));
}

TEST(StandardControls, RadioGroupButtonsFollowItems) {
    FormFixture f;
    auto *group = f.Add<TRadioGroup>("Alignment");
    SetStringProperty(group, "Caption", "Alignment");
    TStrings *items = List(group, "Items");
    items->SetText("Left\nCenter\nRight");
    auto buttons = group->findChildren<QRadioButton *>();
    ASSERT_EQ(buttons.size(), 3);
    EXPECT_EQ(GetIntegerProperty(group, "ItemIndex"), -1);
    EventLog clicks;
    SetMethodProperty(group, "OnClick", clicks.Handler());
    f.Show();
    ClickBox(buttons[2]);
    EXPECT_EQ(GetIntegerProperty(group, "ItemIndex"), 2);
    EXPECT_EQ(clicks.Count(), 1);
    items->Put(2, "Rechts");  // a translation keeps the choice
    EXPECT_EQ(buttons[2]->text(), "Rechts");
    EXPECT_EQ(GetIntegerProperty(group, "ItemIndex"), 2);
    SetIntegerProperty(group, "ItemIndex", -1);
    EXPECT_EQ(GetIntegerProperty(group, "ItemIndex"), -1);
    EXPECT_EQ(clicks.Count(), 1);
    SetIntegerProperty(group, "ItemIndex", 1);
    SetIntegerProperty(group, "Columns", 2);
    items->Add("Justify");
    buttons = group->findChildren<QRadioButton *>();
    ASSERT_EQ(buttons.size(), 4);
    EXPECT_EQ(GetIntegerProperty(group, "ItemIndex"), 1);
    EXPECT_EQ(buttons[2]->text(), "Rechts");
    // Column counts from a stream stay within 1 to 16.
    SetIntegerProperty(group, "Columns", std::numeric_limits<int>::max());
    EXPECT_EQ(GetIntegerProperty(group, "Columns"), 16);
    SetIntegerProperty(group, "Columns", -5);
    EXPECT_EQ(GetIntegerProperty(group, "Columns"), 1);
    EXPECT_EQ(group->findChildren<QRadioButton *>().size(), 4);
}

TEST(StandardControls, GeometryFromAnyNumberStaysWithinWhatQtCanHold) {
    FormFixture f;
    auto *label = f.Add<TLabel>("Far");
    const int most = std::numeric_limits<int>::max();
    SetIntegerProperty(label, "Top", most);
    SetIntegerProperty(label, "Left", -most);
    SetIntegerProperty(label, "Width", most);
    SetIntegerProperty(label, "Height", -1);
    EXPECT_EQ(GetIntegerProperty(label, "Top"), QWIDGETSIZE_MAX);
    EXPECT_EQ(GetIntegerProperty(label, "Left"), -QWIDGETSIZE_MAX);
    EXPECT_LE(GetIntegerProperty(label, "Width"), QWIDGETSIZE_MAX);
    EXPECT_EQ(GetIntegerProperty(label, "Height"), 0);
    EXPECT_GE(label->geometry().bottom(), label->geometry().top() - 1);  // no overflow on the way
}

TEST(StandardControls, TabSheetCaptionIsItsTabText) {
    FormFixture f;
    auto *pages = f.Add<TPageControl>("Pages");
    auto *general = new TTabSheet(f.Form.get());
    auto *grid = new TTabSheet(f.Form.get());
    SetStringProperty(general, "Caption", "General");
    general->SetPageControl(pages);
    grid->SetPageControl(pages);
    SetStringProperty(grid, "Caption", "Grid");
    EXPECT_EQ(pages->tabText(0), "General");
    EXPECT_EQ(pages->tabText(1), "Grid");
    EXPECT_EQ(GetIntegerProperty(pages, "PageCount"), 2);
    EXPECT_EQ(GetIntegerProperty(grid, "PageIndex"), 1);
    pages->setTabText(1, "Raster");
    EXPECT_EQ(GetStringProperty(grid, "Caption"), "Raster");

    EventLog changes;
    SetMethodProperty(pages, "OnChange", changes.Handler());
    SetIntegerProperty(pages, "ActivePageIndex", 1);
    EXPECT_EQ(pages->ActivePage(), grid);
    EXPECT_EQ(changes.Count(), 1);
    f.Show();
    QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(0).center());
    EXPECT_EQ(pages->ActivePage(), general);
    EXPECT_EQ(changes.Count(), 2);

    grid->SetPageControl(nullptr);
    EXPECT_EQ(pages->count(), 1);
    EXPECT_EQ(GetStringProperty(grid, "Caption"), "Raster");
    EXPECT_EQ(GetIntegerProperty(grid, "PageIndex"), -1);
    delete pages;  // its sheet goes with it and leaves the form's list
    EXPECT_EQ(f.Form->FindComponent("Pages"), nullptr);
    EXPECT_EQ(f.Form->ComponentCount(), 1);
    EXPECT_EQ(GetStringProperty(grid, "Caption"), "Raster");
}

TEST(StandardControls, MenuItemsAreFormComponentsShownInMenus) {
    FormFixture f;
    auto *bar = new TMainMenu(f.Form.get());
    auto *popup = new TPopupMenu(f.Form.get());
    auto *file = new TMenuItem(f.Form.get());
    auto *save = new TMenuItem(f.Form.get());
    auto *grid = new TMenuItem(f.Form.get());
    save->SetName("SaveItem");
    SetStringProperty(file, "Caption", "&File");
    SetStringProperty(save, "Caption", "&Save");
    SetStringProperty(save, "Hint", "Saves the report");
    SetStringProperty(save, "ShortCut", "Ctrl+S");
    bar->Add(file);
    file->Add(save);
    popup->Add(grid);
    EXPECT_EQ(bar->Count(), 1);
    EXPECT_EQ(GetIntegerProperty(file, "Count"), 1);
    EXPECT_EQ(file->Items(0), save);
    EXPECT_EQ(file->Items(1), nullptr);
    ASSERT_NE(file->menu(), nullptr);
    EXPECT_EQ(file->menu()->actions().value(0), save);
    EXPECT_EQ(save->statusTip(), "Saves the report");
    EXPECT_EQ(save->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));

    EventLog clicks, popups;
    SetMethodProperty(save, "OnClick", clicks.Handler());
    SetMethodProperty(popup, "OnPopup", popups.Handler());
    save->trigger();
    ASSERT_EQ(clicks.Count(), 1);
    EXPECT_EQ(clicks.Senders[0], save);
    SetBooleanProperty(save, "Enabled", false);
    save->trigger();
    EXPECT_EQ(clicks.Count(), 1);

    SetBooleanProperty(grid, "Checked", true);
    EXPECT_TRUE(grid->isCheckable());
    grid->trigger();
    EXPECT_FALSE(GetBooleanProperty(grid, "Checked"));

    // Moving an item takes it out of its old menu.
    bar->Add(grid);
    EXPECT_EQ(popup->Count(), 0);
    EXPECT_EQ(bar->Count(), 2);
    popup->Popup(10, 10);
    EXPECT_EQ(popups.Count(), 1);
    popup->hide();
    delete save;
    EXPECT_EQ(file->Count(), 0);
    EXPECT_EQ(f.Form->FindComponent("SaveItem"), nullptr);
}

TEST(StandardControls, FreeingTheFormFreesControlsInAnyParentOrder) {
    auto form = std::make_unique<TForm>();
    new QVBoxLayout(form.get());
    // Children created before their container: the form frees the container's children with
    // it, or them first, without freeing anything twice.
    auto *edit = new TEdit(form.get());
    auto *item = new TMenuItem(form.get());
    auto *panel = new TPanel(form.get());
    auto *parentItem = new TMenuItem(form.get());
    new QVBoxLayout(panel);
    panel->layout()->addWidget(edit);
    form->layout()->addWidget(panel);
    parentItem->Add(item);
    auto *box = new TGroupBox(form.get());
    auto *label = new TLabel(form.get());
    label->setParent(box);
    EXPECT_EQ(form->ComponentCount(), 6);
    form.reset();
    SUCCEED();
}
