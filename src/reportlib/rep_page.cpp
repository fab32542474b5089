#include "reportlib/rep_page.h"

#include <QRectF>

namespace {

TRepAxis AxisOf(int index) {
    switch (index) {
    case TRepPage::pvWidth:
    case TRepPage::pvLeftMargin:
    case TRepPage::pvRightMargin:
    case TRepPage::pvColumnSpace: return raX;
    default: return raY;
    }
}

}  // namespace

TRepPage::TRepPage(QObject *parent) : TPersistent(parent) {
    const QSizeF a4 = RepPaperSizeMM(psA4);
    FValues[pvLength].SetMM(a4.height());
    FValues[pvWidth].SetMM(a4.width());
    for (int i : {pvBottomMargin, pvTopMargin, pvLeftMargin, pvRightMargin}) FValues[i].SetMM(10.0);
    FValues[pvColumnSpace].SetMM(0.0);
}

double TRepPage::Value(int index) const {
    if (index < 0 || index >= ValueCount) return 0.0;
    if ((index == pvLength || index == pvWidth) && FPaperSize != psCustom)
        return RepFromMM(ValueMM(index), FUnits, AxisOf(index));
    return FValues[index].Get(FUnits, AxisOf(index));
}

void TRepPage::SetValue(int index, double value) {
    if (index < 0 || index >= ValueCount) return;
    const TRepMeasure before = FValues[index];
    FValues[index].Set(value, FUnits, AxisOf(index));
    if (!(before == FValues[index])) emit Changed();
}

double TRepPage::ValueMM(int index) const {
    if (index < 0 || index >= ValueCount) return 0.0;
    if ((index == pvLength || index == pvWidth) && FPaperSize != psCustom) {
        const QSizeF p = PaperMM();
        return index == pvWidth ? p.width() : p.height();
    }
    return FValues[index].MM();
}

void TRepPage::SetValueMM(int index, double mm) {
    if (index < 0 || index >= ValueCount) return;
    FValues[index].SetMM(mm);
    emit Changed();
}

void TRepPage::SetColumns(int value) {
    value = qBound(1, value, MaxColumns);
    if (value == FColumns) return;
    FColumns = value;
    emit Changed();
}

void TRepPage::SetOrientation(TRepOrientation value) {
    if (value != poLandscape) value = poPortrait;
    if (value == FOrientation) return;
    FOrientation = value;
    emit Changed();
}

void TRepPage::SetPaperSize(int value) {
    if (value < 0 || value >= RepPaperSizeCount) value = psA4;
    if (value == FPaperSize) return;
    FPaperSize = value;
    emit Changed();
}

void TRepPage::SetRuler(bool value) {
    if (value == FRuler) return;
    FRuler = value;
    emit Changed();
}

QSizeF TRepPage::PaperMM() const {
    QSizeF s;
    if (FPaperSize == psCustom)
        s = QSizeF(FValues[pvWidth].MM(), FValues[pvLength].MM());
    else {
        s = RepPaperSizeMM(FPaperSize);
        if (FOrientation == poLandscape) s.transpose();
    }
    // A page is at least 1 mm and at most 10 m each way, so that damaged values cannot ask for
    // an empty or gigantic page.
    return QSizeF(qBound(1.0, s.width(), 10000.0), qBound(1.0, s.height(), 10000.0));
}

QRectF TRepPage::PrintAreaMM() const {
    const QSizeF p = PaperMM();
    const double l = qBound(0.0, FValues[pvLeftMargin].MM(), p.width() - 1);
    const double t = qBound(0.0, FValues[pvTopMargin].MM(), p.height() - 1);
    const double r = qBound(0.0, FValues[pvRightMargin].MM(), p.width() - l - 1);
    const double b = qBound(0.0, FValues[pvBottomMargin].MM(), p.height() - t - 1);
    return QRectF(l, t, p.width() - l - r, p.height() - t - b);
}

double TRepPage::ColumnWidthMM() const {
    const double space = qMax(0.0, FValues[pvColumnSpace].MM());
    return qMax(1.0, (PrintAreaMM().width() - space * (FColumns - 1)) / FColumns);
}

void TRepPage::Assign(const TPersistent *Source) {
    const auto *other = qobject_cast<const TRepPage *>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    if (other == this) return;
    for (int i = 0; i < ValueCount; ++i) FValues[i] = other->FValues[i];
    FColumns = other->FColumns;
    FOrientation = other->FOrientation;
    FPaperSize = other->FPaperSize;
    FRuler = other->FRuler;
    emit Changed();
}

void TRepPrinterSettings::SetCopies(int value) { FCopies = qBound(1, value, MaxCopies); }
void TRepPrinterSettings::SetDuplex(bool value) { FDuplex = value; }
void TRepPrinterSettings::SetOutputBin(int value) { FOutputBin = qBound(0, value, 255); }
void TRepPrinterSettings::SetPrinterIndex(int value) { FPrinterIndex = qMax(-1, value); }
void TRepPrinterSettings::SetFirstPage(int value) { FFirstPage = qMax(0, value); }
void TRepPrinterSettings::SetLastPage(int value) { FLastPage = qMax(0, value); }

bool TRepPrinterSettings::InRange(int page) const {
    if (FFirstPage > 0 && page < FFirstPage) return false;
    if (FLastPage > 0 && page > FLastPage) return false;
    return true;
}

void TRepPrinterSettings::Assign(const TPersistent *Source) {
    const auto *other = qobject_cast<const TRepPrinterSettings *>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    FCopies = other->FCopies;
    FDuplex = other->FDuplex;
    FOutputBin = other->FOutputBin;
    FPrinterIndex = other->FPrinterIndex;
    FFirstPage = other->FFirstPage;
    FLastPage = other->FLastPage;
    emit Changed();
}
