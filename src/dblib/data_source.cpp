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
    NotifyDetails();
    emit dataChanged();
}

void TDataSource::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    NotifyDetails();
    emit dataChanged();
}

bool TDataSource::IsActive() const { return FEnabled && FDataSet && FDataSet->Active(); }

void TDataSource::DataEvent() {
    if (!FEnabled) return;
    NotifyDetails();
    emit dataChanged();
}

void TDataSource::NotifyDetails() {
    const auto details = FDetails;
    for (TDataSet *d : details)
        if (FDetails.contains(d)) d->MasterChanged();
}

void TDataSource::AttachDetail(TDataSet *detail) {
    if (detail && !FDetails.contains(detail)) FDetails << detail;
}

void TDataSource::DetachDetail(TDataSet *detail) { FDetails.removeAll(detail); }

void TDataSource::Notification(TComponent *AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && FDataSet && AComponent == static_cast<TComponent *>(FDataSet)) {
        FDataSet->DetachDataSource(this);
        FDataSet = nullptr;
        emit dataSetChanged();
        NotifyDetails();
        emit dataChanged();
    }
}
