// The preview grid's model: rows read in blocks as the view asks, a bounded number of blocks
// kept, and the right rows after going back over blocks it let go.
#include "data/dataset_item_model.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

#include "dblib/query.h"
#include "test_paths.h"

namespace {

constexpr int kRows = 3000;

// A table of kRows numbered rows in an SQLite file, written once.
QString NumberedRows() {
    static TestDir dir;
    static const QString file = [] {
        const QString name = dir.Path(QStringLiteral("rows.sqlite"));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("model_rows"));
            db.setDatabaseName(name);
            db.open();
            QSqlQuery q(db);
            q.exec(QStringLiteral("CREATE TABLE t (n INTEGER, word VARCHAR(10))"));
            db.transaction();
            q.prepare(QStringLiteral("INSERT INTO t VALUES (?, ?)"));
            for (int i = 0; i < kRows; ++i) {
                q.bindValue(0, i);
                q.bindValue(1, QStringLiteral("w%1").arg(i));
                q.exec();
            }
            db.commit();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("model_rows"));
        return name;
    }();
    return file;
}

void OpenRows(TQuery &q, bool uniDirectional) {
    q.SetDatabaseName(NumberedRows());
    q.SQL()->SetText(QStringLiteral("SELECT n, word FROM t ORDER BY n"));
    q.SetUniDirectional(uniDirectional);
    q.Open();
}

QString Cell(const TDatasetItemModel &m, int row, int column) { return m.data(m.index(row, column)).toString(); }

}  // namespace

TEST(DatasetItemModel, StreamsBlocksAsTheViewNeedsThemAndKeepsFew) {
    TQuery q;
    OpenRows(q, true);
    TDatasetItemModel model(&q);
    model.SetMaxBlocks(3);
    EXPECT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("word"));
    EXPECT_EQ(model.headerData(4, Qt::Vertical).toInt(), 5);
    // The first block is there at once; the rest comes with fetchMore.
    EXPECT_EQ(model.rowCount(), TDatasetItemModel::BlockRows);
    EXPECT_FALSE(model.Complete());
    EXPECT_EQ(Cell(model, 255, 1), QStringLiteral("w255"));
    int known = 0;
    bool complete = false;
    QObject::connect(&model, &TDatasetItemModel::rowsCounted, [&](int k, bool c) { known = k, complete = c; });
    while (model.canFetchMore(QModelIndex())) model.fetchMore(QModelIndex());
    EXPECT_TRUE(complete);
    EXPECT_EQ(known, kRows);
    EXPECT_EQ(model.rowCount(), kRows);
    EXPECT_LE(model.CachedBlocks(), 3);
    // Back to rows whose blocks were let go: read again from the start.
    EXPECT_EQ(Cell(model, 0, 0), QStringLiteral("0"));
    EXPECT_EQ(Cell(model, 1500, 1), QStringLiteral("w1500"));
    EXPECT_EQ(Cell(model, kRows - 1, 0), QString::number(kRows - 1));
    EXPECT_EQ(Cell(model, 700, 0), QStringLiteral("700"));
    EXPECT_LE(model.CachedBlocks(), 3);
    EXPECT_FALSE(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(model.data(model.index(kRows, 0)).isValid());
}

TEST(DatasetItemModel, FollowsItsDatasetAndServesAViewOverBidirectionalRows) {
    TQuery q;
    OpenRows(q, false);
    TDatasetItemModel model(&q);
    QTableView view;
    view.setModel(&model);
    view.resize(300, 200);
    view.show();
    view.scrollToBottom();
    while (model.canFetchMore(QModelIndex())) {
        model.fetchMore(QModelIndex());
        view.scrollToBottom();
    }
    EXPECT_EQ(model.rowCount(), kRows);
    EXPECT_EQ(Cell(model, 2999, 1), QStringLiteral("w2999"));
    EXPECT_EQ(Cell(model, 3, 1), QStringLiteral("w3"));
    // Closing the dataset empties the model; opening it again starts over.
    q.Close();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 0);
    q.SQL()->SetText(QStringLiteral("SELECT n FROM t WHERE n < 10"));
    q.Open();
    EXPECT_EQ(model.rowCount(), 10);
    EXPECT_TRUE(model.Complete());
    EXPECT_EQ(Cell(model, 9, 0), QStringLiteral("9"));
}
