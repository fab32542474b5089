#include "reportlib/rep_sysdata.h"

#include "reportlib/report.h"

#include "host/conversions.h"

TRepSysData::TRepSysData(TComponent *AOwner) : TRepCustomLabel(AOwner) { FRunStart = Now(); }

void TRepSysData::SetData(TRepSysDataType value) {
    if (value < sdTime || value > sdDetailNo || value == FData) return;
    FData = value;
    TextChanged();
}

void TRepSysData::SetText(const QString &value) {
    if (value == FText) return;
    FText = value;
    TextChanged();
}

QString TRepSysData::DataText() const {
    const TReport *r = ParentReport();
    switch (FData) {
    case sdTime: return TimeToStr(FRunStart);
    case sdDate: return DateToStr(FRunStart);
    case sdDateTime: return DateTimeToStr(FRunStart);
    case sdPageNumber: return QString::number(r ? r->PageNumber() : 0);
    case sdReportTitle: return r ? r->ReportTitle() : QString();
    case sdDetailCount: return QString::number(r ? r->RecordCount() : 0);
    case sdDetailNo: return QString::number(r ? r->RecordNumber() : 0);
    }
    return QString();
}

QString TRepSysData::DesignText() const {
    static const char *names[SysDataTypeCount] = {"Time", "Date", "Date-Time", "Page#", "Report title",
                                                  "Detail count", "Detail no."};
    return FText + u'(' + QString::fromLatin1(names[FData]) + u')';
}

void TRepSysData::BeforeRun() {
    // One moment for the whole run, so that every page shows the same time.
    FRunStart = Now();
    TRepCustomLabel::BeforeRun();
}

void TRepSysData::PrepareContent() {
    SetCaption(FText + DataText());
    FormatLines();
}
