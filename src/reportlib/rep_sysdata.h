#pragma once
// System data: Text followed by a value of the run (time, date, date and time of the run's
// start, page number, report title, number of records, number of the current record).
#include "reportlib/rep_label.h"

#include "host/date_time.h"

class TRepSysData : public TRepCustomLabel {
    Q_OBJECT
    Q_PROPERTY(TRepSysDataType Data READ Data WRITE SetData)
    Q_PROPERTY(QString Text READ Text WRITE SetText)
public:
    // Ordinals in the order report files store them.
    enum TRepSysDataType {
        sdTime, sdDate, sdDateTime, sdPageNumber, sdReportTitle, sdDetailCount, sdDetailNo
    };
    Q_ENUM(TRepSysDataType)
    static constexpr int SysDataTypeCount = 7;

    explicit TRepSysData(TComponent *AOwner);

    TRepSysDataType Data() const { return FData; }
    void SetData(TRepSysDataType value);
    QString Text() const { return FText; }
    void SetText(const QString &value);

    // The value part for the run in progress (page 0 and no records outside a run).
    QString DataText() const;

    void BeforeRun() override;
    void PrepareContent() override;

protected:
    QString DesignText() const override;

private:
    TRepSysDataType FData = sdTime;
    QString FText;
    TDateTime FRunStart = 0;
};

using TRepSysDataType = TRepSysData::TRepSysDataType;
