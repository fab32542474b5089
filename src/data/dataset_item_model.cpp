#include "data/dataset_item_model.h"

#include "dblib/dataset.h"

namespace {

// Holds the dataset's notifications back while the model walks its rows.
class TControlsDisabled {
public:
    explicit TControlsDisabled(TDataSet *DataSet) : FDataSet(DataSet) { FDataSet->DisableControls(); }
    ~TControlsDisabled() { FDataSet->EnableControls(); }
    TControlsDisabled(const TControlsDisabled &) = delete;
    TControlsDisabled &operator=(const TControlsDisabled &) = delete;

private:
    TDataSet *FDataSet;
};

}  // namespace

TDatasetItemModel::TDatasetItemModel(TDataSet *DataSet, QObject *parent)
    : QAbstractTableModel(parent), FDataSet(DataSet) {
    if (DataSet) {
        connect(DataSet, &TDataSet::afterOpen, this, &TDatasetItemModel::DataSetOpenedOrClosed);
        connect(DataSet, &TDataSet::afterClose, this, &TDatasetItemModel::DataSetOpenedOrClosed);
    }
    Reset();
}

TDatasetItemModel::~TDatasetItemModel() = default;

void TDatasetItemModel::DataSetOpenedOrClosed() { Reset(); }

void TDatasetItemModel::Reset() {
    beginResetModel();
    FBlocks.clear();
    FLastUse.clear();
    FHeaders.clear();
    FKnownRows = 0;
    FCursorRow = -1;
    FComplete = !FDataSet || !FDataSet->Active();
    if (!FComplete) {
        for (const TField *field : FDataSet->Fields()) FHeaders << field->DisplayLabel();
        // The first rows are there at once: a grid shows something before anything scrolls.
        TBlock first = ReadRows(0);
        FKnownRows = int(first.size());
        FComplete = FKnownRows < BlockRows;
        FBlocks.insert(0, std::move(first));
        FLastUse.insert(0, ++FUseClock);
    }
    FColumns = int(FHeaders.size());
    endResetModel();
    emit rowsCounted(FKnownRows, FComplete);
}

void TDatasetItemModel::SetMaxBlocks(int value) {
    FMaxBlocks = qMax(2, value);
    Evict();
}

int TDatasetItemModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : FKnownRows; }

int TDatasetItemModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : FColumns; }

Qt::ItemFlags TDatasetItemModel::flags(const QModelIndex &index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QVariant TDatasetItemModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QVariant();
    if (orientation == Qt::Vertical) return section + 1;
    return section >= 0 && section < FHeaders.size() ? QVariant(FHeaders.at(section)) : QVariant();
}

QVariant TDatasetItemModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return QVariant();
    if (index.row() >= FKnownRows || index.column() >= FColumns) return QVariant();
    const TBlock &block = Block(index.row() / BlockRows);
    const int row = index.row() % BlockRows;
    if (row >= block.size()) return QVariant();
    return block.at(row).value(index.column());
}

bool TDatasetItemModel::canFetchMore(const QModelIndex &parent) const { return !parent.isValid() && !FComplete; }

void TDatasetItemModel::fetchMore(const QModelIndex &parent) {
    if (!canFetchMore(parent)) return;
    TBlock rows = ReadRows(FKnownRows);
    const int count = int(rows.size());
    FComplete = count < BlockRows;
    if (count > 0) {
        beginInsertRows(QModelIndex(), FKnownRows, FKnownRows + count - 1);
        const int b = FKnownRows / BlockRows;
        FBlocks.insert(b, std::move(rows));
        FLastUse.insert(b, ++FUseClock);
        FKnownRows += count;
        endInsertRows();
        Evict();
    }
    emit rowsCounted(FKnownRows, FComplete);
}

const TDatasetItemModel::TBlock &TDatasetItemModel::Block(int b) const {
    auto found = FBlocks.find(b);
    if (found == FBlocks.end()) {
        found = FBlocks.insert(b, ReadRows(b * BlockRows));
        FLastUse.insert(b, ++FUseClock);
        Evict();
        found = FBlocks.find(b);
    } else {
        FLastUse[b] = ++FUseClock;
    }
    return *found;
}

void TDatasetItemModel::Evict() const {
    while (FBlocks.size() > FMaxBlocks) {
        int oldest = -1;
        quint64 oldestUse = ~quint64(0);
        for (auto it = FLastUse.cbegin(); it != FLastUse.cend(); ++it)
            if (it.value() < oldestUse) oldest = it.key(), oldestUse = it.value();
        FBlocks.remove(oldest);
        FLastUse.remove(oldest);
    }
}

bool TDatasetItemModel::MoveTo(int row) const {
    if (!FDataSet || !FDataSet->Active()) return false;
    if (!FDataSet->IsUniDirectional()) {
        if (row >= FDataSet->RecordCount()) return false;
        FDataSet->SetRecNo(row + 1);
        FCursorRow = row;
        return FDataSet->RecNo() == row + 1;
    }
    // A stream only moves forward: going back means reading it again from its first row.
    if (FCursorRow < 0 || FCursorRow > row || FDataSet->Eof()) {
        FDataSet->First();
        FCursorRow = 0;
        if (FDataSet->Eof()) {
            FCursorRow = -1;
            return false;
        }
    }
    while (FCursorRow < row) {
        FDataSet->Next();
        if (FDataSet->Eof()) {
            FCursorRow = -1;
            return false;
        }
        ++FCursorRow;
    }
    return true;
}

TDatasetItemModel::TBlock TDatasetItemModel::ReadRows(int first) const {
    TBlock rows;
    if (!FDataSet || !FDataSet->Active()) return rows;
    TControlsDisabled quiet(FDataSet);
    if (!MoveTo(first)) return rows;
    const QList<TField *> &fields = FDataSet->Fields();
    rows.reserve(BlockRows);
    while (rows.size() < BlockRows) {
        QStringList values;
        values.reserve(fields.size());
        for (const TField *field : fields) values << field->DisplayText();
        rows << values;
        if (rows.size() == BlockRows) break;
        FDataSet->Next();
        if (FDataSet->Eof()) {
            FCursorRow = -1;
            break;
        }
        ++FCursorRow;
    }
    return rows;
}
