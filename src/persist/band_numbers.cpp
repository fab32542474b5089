#include "persist/band_numbers.h"

#include "model/report_constants.h"
#include "host/property_access.h"
#include "reportlib/report.h"

#include <QHash>
#include <QPointer>

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

namespace {

// The first band of each number on one form, so that reading thousands of elements does not scan
// the form's components once per element. A hit is checked against the band itself (still there,
// still on the form, still of that number); a miss scans the form afresh. New components join the
// end of the list, so a band added later never comes before the one found.
struct TBandIndex {
    const TComponent *Form = nullptr;
    QHash<quint16, QPointer<TRepBand>> First;

    void Rebuild(const TComponent *form) {
        Form = form;
        First.clear();
        for (TComponent *c : form->Components())
            if (TRepBand *band = AsBand(c)) {
                const quint16 number = BandNumOf(band);
                if (!First.contains(number)) First.insert(number, band);
            }
    }
    TRepBand *Hit(quint16 number) const {
        TRepBand *band = First.value(number);
        return band && band->Owner() == Form && BandNumOf(band) == number ? band : nullptr;
    }
};

}  // namespace

TRepBand *GetBand(const TComponent *ReportForm, quint16 BandNum) {
    if (!ReportForm || BandNum == NoBandNum) return nullptr;
    thread_local TBandIndex index;
    if (index.Form == ReportForm)
        if (TRepBand *band = index.Hit(BandNum)) return band;
    index.Rebuild(ReportForm);
    return index.Hit(BandNum);
}
