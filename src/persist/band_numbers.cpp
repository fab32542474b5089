#include "persist/band_numbers.h"

#include "model/report_constants.h"
#include "host/property_access.h"
#include "reportlib/report.h"

TRepBand *AsBand(QObject *Object) { return qobject_cast<TRepBand *>(Object); }

TRepBand *AsBand(TComponent *Component) { return Component ? AsBand(Component->Object()) : nullptr; }

quint16 BandNumOf(const QObject *Band) {
    if (!Band) return NoBandNum;
    if (PropertyExists(Band, ElementProperty::BandNum))
        return quint16(GetIntegerProperty(Band, ElementProperty::BandNum));
    const TComponent *c = TComponent::FromObject(const_cast<QObject *>(Band));
    return c ? quint16(c->Tag()) : NoBandNum;
}

void SetBandNum(QObject *Band, quint16 Number) {
    if (!Band) return;
    if (PropertyExists(Band, ElementProperty::BandNum))
        SetIntegerProperty(Band, ElementProperty::BandNum, Number);
    else if (TComponent *c = TComponent::FromObject(Band))
        c->SetTag(Number);
}

void NumberBands(TComponent *ReportForm) {
    if (!ReportForm) return;
    quint16 number = 0;
    for (TComponent *c : ReportForm->Components())
        if (TRepBand *band = AsBand(c)) SetBandNum(band, ++number);
}

quint16 MasterNumber(const QWidget *Master) {
    if (!Master) return NoBandNum;
    if (qobject_cast<const TReport *>(Master)) return ReportBandNum;
    return BandNumOf(Master);
}

TRepBand *GetBand(const TComponent *ReportForm, quint16 BandNum) {
    if (!ReportForm || BandNum == NoBandNum) return nullptr;
    for (TComponent *c : ReportForm->Components()) {
        TRepBand *band = AsBand(c);
        if (band && BandNumOf(band) == BandNum) return band;
    }
    return nullptr;
}
