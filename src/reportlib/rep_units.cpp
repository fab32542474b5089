#include "reportlib/rep_units.h"

#include <cmath>

double RepUnitMM(TRepUnits units, TRepAxis axis) {
    switch (units) {
    case ruInches: return RepMMPerInch;
    case ruPixels: return RepMMPerInch / RepScreenPPI;
    case ruCharacters: return axis == raX ? RepMMPerInch / 10.0 : RepMMPerInch / 6.0;
    case ruNative: return 0.1;
    case ruMM:
    default: return 1.0;
    }
}

TRepUnits RepUnitsFromOrdinal(int ordinal) {
    return ordinal >= ruMM && ordinal <= ruNative ? TRepUnits(ordinal) : ruMM;
}

namespace {
// No length of a report exceeds 100 m, so that damaged values cannot ask for gigantic pages,
// widgets or images.
constexpr double MaxMM = 100000.0;
}  // namespace

void TRepMeasure::Set(double value, TRepUnits units, TRepAxis axis) {
    // Values that are not finite (damaged files, division by zero upstream) count as 0, so
    // layout arithmetic never sees NaN or infinity.
    if (!std::isfinite(value)) value = 0.0;
    const double mm = RepToMM(value, units, axis);
    if (std::abs(mm) > MaxMM) {
        SetMM(mm);
        return;
    }
    FValue = value;
    FUnits = int(units) | (axis == raY ? 0x100 : 0);
    FMM = mm;
}

void TRepMeasure::SetMM(double mm) {
    if (!std::isfinite(mm)) mm = 0.0;
    mm = qBound(-MaxMM, mm, MaxMM);
    FMM = mm;
    FValue = mm;
    FUnits = -1;
}

double TRepMeasure::Get(TRepUnits units, TRepAxis axis) const {
    const int key = int(units) | (axis == raY ? 0x100 : 0);
    if (key == FUnits) return FValue;
    if (FUnits == -1 && units == ruMM) return FValue;
    return RepFromMM(FMM, units, axis);
}
