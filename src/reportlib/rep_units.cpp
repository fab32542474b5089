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

void TRepMeasure::Set(double value, TRepUnits units, TRepAxis axis) {
    // Values that are not finite (damaged files, division by zero upstream) count as 0, so
    // layout arithmetic never sees NaN or infinity.
    if (!std::isfinite(value)) value = 0.0;
    FValue = value;
    FUnits = int(units) | (axis == raY ? 0x100 : 0);
    FMM = RepToMM(value, units, axis);
}

void TRepMeasure::SetMM(double mm) {
    if (!std::isfinite(mm)) mm = 0.0;
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
