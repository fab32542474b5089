#include "host/class_registry.h"
#include "host/exceptions.h"
#include "host/forms.h"
#include "test_objects.h"

#include <QPointer>

#include <gtest/gtest.h>

TEST(Component, OwnerKeepsComponentsInCreationOrderAndFreesThem) {
    auto *owner = new TTestComponent;
    auto *a = new TTestComponent(owner);
    a->SetName("A");
    auto *b = new TTestComponent(owner);
    b->SetName("B");
    QPointer<QObject> watchA(a->Object()), watchB(b->Object());
    ASSERT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->Component(0), a);
    EXPECT_EQ(owner->Component(1), b);
    EXPECT_EQ(b->ComponentIndex(), 1);
    b->SetComponentIndex(0);
    EXPECT_EQ(owner->Component(0), b);
    EXPECT_EQ(owner->FindComponent("a"), a);
    EXPECT_EQ(owner->FindComponent("missing"), nullptr);
    delete owner;
    EXPECT_TRUE(watchA.isNull());
    EXPECT_TRUE(watchB.isNull());
}

TEST(Component, RenameValidatesIdentifierAndUniqueness) {
    TTestComponent owner;
    auto *a = new TTestComponent(&owner);
    auto *b = new TTestComponent(&owner);
    a->SetName("Label1");
    EXPECT_THROW(b->SetName("label1"), EComponentError);  // taken, case ignored
    EXPECT_THROW(b->SetName("1abc"), EComponentError);
    EXPECT_THROW(b->SetName("a b"), EComponentError);
    EXPECT_TRUE(b->Name().isEmpty());
    a->SetName("LABEL1");  // a case change of one's own name is fine
    EXPECT_EQ(a->Name(), "LABEL1");
    b->SetName("_x9");
    EXPECT_EQ(b->Object()->objectName(), "_x9");
    a->SetName(QString());  // unnamed is allowed
    b->SetName("Label1");
    EXPECT_EQ(b->Name(), "Label1");
}

TEST(Component, NotificationsReachOwnerAndSiblingsOnInsertAndRemove) {
    TTestComponent owner;
    owner.SetName("Owner");
    auto *first = new TTestComponent(&owner);
    first->SetName("First");
    auto *second = new TTestComponent(&owner);
    second->SetName("Second");
    first->Watched = second;
    owner.Log.clear();
    first->Log.clear();
    delete second;
    EXPECT_EQ(owner.Log, QStringList{"remove:Second"});
    EXPECT_EQ(first->Log, QStringList{"remove:Second"});
    EXPECT_EQ(first->Watched, nullptr);  // no dangling link
    EXPECT_EQ(owner.ComponentCount(), 1);

    auto *third = new TTestComponent;
    third->SetName("Third");
    owner.InsertComponent(third);
    EXPECT_EQ(owner.Log.last(), "insert:Third");
    EXPECT_EQ(first->Log.last(), "insert:Third");
    owner.RemoveComponent(third);
    EXPECT_EQ(third->Owner(), nullptr);
    EXPECT_EQ(owner.Log.last(), "remove:Third");
    delete third;
}

TEST(Component, ANewComponentIsToldToItsOwnerAloneUntilItAnnouncesItself) {
    TTestComponent owner;
    auto *first = new TTestComponent(&owner);
    owner.Log.clear();
    auto *second = new TTestComponent(&owner);
    EXPECT_EQ(owner.Log, QStringList{"insert:"});
    EXPECT_TRUE(first->Log.isEmpty());  // nothing a sibling could use: the class is not built yet
    second->SetName("Second");
    second->NotifyInsertion();          // a complete component tells everyone
    EXPECT_EQ(owner.Log.last(), "insert:Second");
    EXPECT_EQ(first->Log, QStringList{"insert:Second"});
    // Taking over a built component tells everyone.
    first->Log.clear();
    auto *third = new TTestComponent;
    third->SetName("Third");
    owner.InsertComponent(third);
    EXPECT_EQ(first->Log, QStringList{"insert:Third"});
}

TEST(Component, InsertingADuplicateNameIsRefused) {
    TTestComponent owner, other;
    auto *a = new TTestComponent(&owner);
    a->SetName("X");
    auto *b = new TTestComponent(&other);
    b->SetName("X");
    EXPECT_THROW(owner.InsertComponent(b), EComponentError);
}

TEST(Component, FreeNotificationAcrossOwners) {
    TTestComponent formA, formB;
    auto *ref = new TTestComponent(&formA);
    auto *target = new TTestComponent(&formB);
    target->SetName("Target");
    ref->Watched = target;
    ref->FreeNotification(target);
    delete target;
    EXPECT_EQ(ref->Watched, nullptr);
    EXPECT_TRUE(ref->Log.contains("remove:Target"));
}

TEST(Component, FreeNotificationIsUndoneWhenTheWatcherGoesFirst) {
    TTestComponent formA, formB;
    auto *ref = new TTestComponent(&formA);
    auto *target = new TTestComponent(&formB);
    ref->FreeNotification(target);
    delete ref;     // must unlink itself from target
    delete target;  // would touch freed memory otherwise (caught by sanitizers/valgrind)
    SUCCEED();
}

TEST(Component, ManyWatchersAreEachToldOnce) {
    // Past the size where the watcher list keeps a set beside it: duplicates are still refused,
    // withdrawals in the middle and at the end still work, and each watcher left hears of the end once.
    TTestComponent formA, formB;
    auto *target = new TTestComponent(&formB);
    target->SetName("Target");
    QList<TTestComponent *> watchers;
    for (int i = 0; i < 40; ++i) {
        auto *w = new TTestComponent(&formA);
        w->SetName(QStringLiteral("W%1").arg(i));
        w->FreeNotification(target);
        w->FreeNotification(target);
        watchers << w;
    }
    watchers[10]->RemoveFreeNotification(target);
    delete watchers.takeLast();  // unlinks itself from the target
    for (TTestComponent *w : watchers) {
        w->Log.clear();
        w->Watched = target;
    }
    delete target;
    for (int i = 0; i < watchers.size(); ++i) {
        EXPECT_EQ(watchers[i]->Log.count("remove:Target"), i == 10 ? 0 : 1) << i;
        EXPECT_EQ(watchers[i]->Watched == nullptr, i != 10) << i;
    }
}

TEST(Component, OwnerIsIndependentOfWidgetParent) {
    TForm form;
    QWidget band(&form);
    class TWidgetComponent : public QWidget, public TComponent {
    public:
        TWidgetComponent(TComponent *o, QWidget *p) : QWidget(p), TComponent(o) {}
    };
    auto *element = new TWidgetComponent(&form, &band);
    EXPECT_EQ(element->Owner(), &form);
    EXPECT_EQ(element->parentWidget(), &band);
    // Deleting through the widget parent leaves the owner's list consistent.
    auto *other = new TWidgetComponent(&form, nullptr);
    QWidget *holder = new QWidget;
    other->setParent(holder);
    delete holder;
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(form.Component(0), element);
}

TEST(Forms, ScreenListsFollowCreationShowAndDestruction) {
    const int before = Screen::Forms().size();
    auto *a = new TForm;
    auto *b = new TForm;
    EXPECT_EQ(Screen::Forms().size(), before + 2);
    Screen::BringToFront(b);
    EXPECT_EQ(Screen::Forms().first(), b);
    a->show();
    EXPECT_EQ(Screen::Forms().first(), a);
    delete a;
    EXPECT_FALSE(Screen::Forms().contains(a));
    delete b;
    auto *dm = new TDataModule;
    EXPECT_TRUE(Screen::DataModules().contains(dm));
    delete dm;
    EXPECT_FALSE(Screen::DataModules().contains(dm));
}

TEST(ClassRegistry, CreatesRegisteredClassesByName) {
    RegisterComponentClass<TTestElement>();
    const TComponentClass *cls = FindComponentClass("ttestelement");
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls->Name, "TTestElement");
    TTestComponent owner;
    TComponent *c = cls->Create(&owner);
    EXPECT_EQ(c->Owner(), &owner);
    EXPECT_EQ(c->ClassName(), "TTestElement");
    EXPECT_EQ(FindComponentClass("TNoSuchClass"), nullptr);
}

TEST(Component, UndoingOneSubscriptionKeepsTheOtherSidesInterest) {
    // Two components watching each other (like a report and its loader): when one stops
    // watching, the other must still hear of its end.
    TTestComponent formA, formB;
    auto *report = new TTestComponent(&formA);
    auto *loader = new TTestComponent(&formB);
    loader->SetName("Loader");
    report->Watched = loader;
    report->FreeNotification(loader);
    loader->FreeNotification(report);
    loader->RemoveFreeNotification(report);
    delete loader;
    EXPECT_EQ(report->Watched, nullptr);
    EXPECT_TRUE(report->Log.contains("remove:Loader"));
}

namespace {
// Frees a sibling when told of an insertion, as a band dropping its linked band would.
class TFreeingComponent : public TTestComponent {
public:
    using TTestComponent::TTestComponent;
    TComponent *Victim = nullptr;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override {
        TTestComponent::Notification(AComponent, Operation);
        if (Operation == opInsert && Victim) delete std::exchange(Victim, nullptr);
    }
};
}  // namespace

TEST(Component, NamesAreFoundThroughRenamesRemovalsAndTransfers) {
    TTestComponent owner, other;
    auto *a = new TTestComponent(&owner);
    a->SetName("Alpha");
    EXPECT_EQ(owner.FindComponent("ALPHA"), a);
    a->SetName("Beta");
    EXPECT_EQ(owner.FindComponent("alpha"), nullptr);
    EXPECT_EQ(owner.FindComponent("beta"), a);
    auto *b = new TTestComponent(&owner);
    b->SetName("Alpha");   // the old name is free again
    other.InsertComponent(a);
    EXPECT_EQ(owner.FindComponent("Beta"), nullptr);
    EXPECT_EQ(other.FindComponent("Beta"), a);
    a->SetName(QString());
    EXPECT_EQ(other.FindComponent("Beta"), nullptr);
    delete b;
    EXPECT_EQ(owner.FindComponent("Alpha"), nullptr);
    auto *c = new TTestComponent(&owner);
    c->SetName("Alpha");
    EXPECT_EQ(owner.FindComponent("alpha"), c);
}

TEST(Component, AReceiverFreeingASiblingKeepsTheOthersInformed) {
    TTestComponent owner;
    auto *first = new TTestComponent(&owner);
    auto *doomed = new TTestComponent(&owner);
    auto *freeing = new TFreeingComponent(&owner);
    freeing->Victim = doomed;
    first->Log.clear();
    auto *added = new TTestComponent;
    added->SetName("Added");
    // Receivers are told last first: the freeing one runs before the freed one would be told.
    owner.InsertComponent(added);
    EXPECT_EQ(owner.ComponentCount(), 3);
    EXPECT_EQ(first->Log.last(), "insert:Added");
}

TEST(Component, FreeingManyAtOnceTellsOnlyWhatStays) {
    TTestComponent owner;
    owner.SetName("Owner");
    auto *stays = new TTestComponent(&owner);
    stays->SetName("Stays");
    // A widget that takes its child widget with it, both freed together, and one freed alone.
    class TWidgetComponent : public QWidget, public TComponent {
    public:
        TWidgetComponent(TComponent *o, QWidget *p) : QWidget(p), TComponent(o) {}
    };
    auto *band = new TWidgetComponent(&owner, nullptr);
    band->SetName("Band");
    auto *element = new TWidgetComponent(&owner, band);
    element->SetName("Element");
    auto *goes = new TTestComponent(&owner);
    goes->SetName("Goes");
    stays->Watched = goes;
    owner.Log.clear();
    stays->Log.clear();
    goes->Log.clear();
    QPointer<QObject> bandAlive(band), elementAlive(element), goesAlive(goes);

    owner.FreeComponents({band, element, goes, nullptr});
    EXPECT_TRUE(!bandAlive && !elementAlive && !goesAlive);
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Component(0), stays);
    EXPECT_EQ(owner.FindComponent("Band"), nullptr);
    // The owner and what stays hear of each one going, as when each is freed alone.
    const QStringList removals{"remove:Band", "remove:Element", "remove:Goes"};
    EXPECT_EQ(owner.Log, removals);
    EXPECT_EQ(stays->Log, removals);
    EXPECT_EQ(stays->Watched, nullptr);
    // Names are free again; the owner works on as before.
    auto *again = new TTestComponent(&owner);
    again->SetName("Band");
    EXPECT_EQ(owner.FindComponent("band"), again);
    owner.FreeComponents({});
    EXPECT_EQ(owner.ComponentCount(), 2);
}
