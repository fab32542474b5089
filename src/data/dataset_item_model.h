#pragma once
// A read-only Qt table model over an open dataset, for grids that preview rows. It reads rows
// only as the view asks for them, in blocks, and keeps a bounded number of blocks: a view can
// scroll through a table of millions of rows without the model holding them all. Datasets that
// stream their rows (unidirectional) are read again from the start to go back.
#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QStringList>

class TDataSet;

class TDatasetItemModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int BlockRows = 256;
    static constexpr int DefaultMaxBlocks = 16;

    explicit TDatasetItemModel(TDataSet *DataSet, QObject *parent = nullptr);
    ~TDatasetItemModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    // Whether every row has been counted; RowsKnown() is then the record count.
    bool Complete() const { return FComplete; }
    int RowsKnown() const { return FKnownRows; }
    // The number of blocks kept at most (at least 2), and the number kept now.
    void SetMaxBlocks(int value);
    int CachedBlocks() const { return int(FBlocks.size()); }
    // Starts again from the dataset as it is now (after it was reopened).
    void Reset();

signals:
    // More rows became known, or the count is complete.
    void rowsCounted(int known, bool complete);

private:
    using TBlock = QList<QStringList>;
    // Reads the rows of block b (b * BlockRows onwards) into the cache; its row count.
    const TBlock &Block(int b) const;
    TBlock ReadRows(int first) const;
    // Puts the dataset's cursor on row (0-based); false when there is no such row.
    bool MoveTo(int row) const;
    void Evict() const;
    void DataSetOpenedOrClosed();

    QPointer<TDataSet> FDataSet;
    QStringList FHeaders;
    int FColumns = 0;
    int FKnownRows = 0;
    bool FComplete = true;
    int FMaxBlocks = DefaultMaxBlocks;
    mutable QHash<int, TBlock> FBlocks;
    mutable QHash<int, quint64> FLastUse;
    mutable quint64 FUseClock = 0;
    mutable int FCursorRow = -1;  // the dataset's current row as the model left it, -1 unknown
};
