// Data sources pass a dataset's changes on to elements and details.
#include "dblib/data_source.h"
#include "dblib/table.h"
#include "host/forms.h"
#include "test_env.h"

#include <gtest/gtest.h>

namespace {
// Counts the emissions of one signal.
struct Counter {
    template <class Obj, class Signal>
    Counter(Obj *obj, Signal signal) {
        QObject::connect(obj, signal, [this] { ++n; });
    }
    int count() const { return n; }
    void clear() { n = 0; }
    int n = 0;
};
}  // namespace

TEST(DataSource, SignalsFollowTheDataset) {
    TDataModule owner;
    auto *t = new TTable(&owner);
    t->SetDatabaseName(TestEnv::DemoTables());
    t->SetTableName("country.db");
    auto *ds = new TDataSource(&owner);
    Counter changed(ds, &TDataSource::dataChanged);
    Counter linked(ds, &TDataSource::dataSetChanged);
    ds->SetDataSet(t);
    EXPECT_EQ(linked.count(), 1);
    EXPECT_FALSE(ds->IsActive());
    changed.clear();
    t->Open();
    EXPECT_TRUE(ds->IsActive());
    EXPECT_GE(changed.count(), 1);
    changed.clear();
    t->Next();
    EXPECT_EQ(changed.count(), 1);
    // While controls are disabled, one notice follows at the end.
    changed.clear();
    t->DisableControls();
    for (int i = 0; i < 5; ++i) t->Next();
    EXPECT_EQ(changed.count(), 0);
    t->EnableControls();
    EXPECT_EQ(changed.count(), 1);
    ds->SetEnabled(false);
    changed.clear();
    t->Next();
    EXPECT_EQ(changed.count(), 0);
    EXPECT_FALSE(ds->IsActive());
    // Freeing the dataset unlinks it.
    delete t;
    EXPECT_EQ(ds->DataSet(), nullptr);
    EXPECT_EQ(linked.count(), 2);
}

TEST(DataSource, DatasetEventsAndSignals) {
    TTable t;
    t.SetDatabaseName(TestEnv::DemoTables());
    t.SetTableName("country.db");
    QStringList log;
    static int tag;
    auto handler = [&](const char *what) {
        return TMethod::FromFunction<TDataSet *>(std::function<void(TDataSet *)>([&log, what](TDataSet *) { log << what; }), &tag, (void *)what);
    };
    t.SetBeforeOpen(handler("BeforeOpen"));
    t.SetAfterOpen(handler("AfterOpen"));
    t.SetAfterScroll(handler("AfterScroll"));
    t.SetBeforeClose(handler("BeforeClose"));
    t.SetAfterClose(handler("AfterClose"));
    Counter opened(&t, &TDataSet::afterOpen), closed(&t, &TDataSet::afterClose), scrolled(&t, &TDataSet::afterScroll);
    t.Open();
    t.Next();
    t.Close();
    EXPECT_EQ(log, (QStringList{"BeforeOpen", "AfterOpen", "AfterScroll", "AfterScroll", "BeforeClose", "AfterClose"}));
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(scrolled.count(), 2);
}
