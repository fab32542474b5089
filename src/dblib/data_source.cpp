#include "dblib/data_source.h"

#include "dblib/dataset.h"

TDataSource::TDataSource(TComponent *AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource() {
    if (FDataSet) {
        FDataSet->DetachDataSource(this);
        RemoveFreeNotification(FDataSet);
    }
}

void TDataSource::SetDataSet(TDataSet *value) {
    if (value == FDataSet) return;
    if (FDataSet) {
        FDataSet->DetachDataSource(this);
        if (!FDataSet->HasState(csDestroying)) RemoveFreeNotification(FDataSet);
    }
    FDataSet = value;
    if (FDataSet) {
        FDataSet->AttachDataSource(this);
        FreeNotification(FDataSet);
    }
    if (HasState(csDestroying)) return;
    emit dataSetChanged();
    emit dataChanged();
}

void TDataSource::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    emit dataChanged();
}

bool TDataSource::IsActive() const { return FEnabled && FDataSet && FDataSet->Active(); }

void TDataSource::DataEvent() {
    if (FEnabled) emit dataChanged();
}

void TDataSource::Notification(TComponent *AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && FDataSet && AComponent == static_cast<TComponent *>(FDataSet)) {
        FDataSet->DetachDataSource(this);
        FDataSet = nullptr;
        emit dataSetChanged();
        emit dataChanged();
    }
}
