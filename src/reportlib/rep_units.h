#pragma once
// Measurement units of a report. Every size value is stored together with the unit it was set
// in, plus its physical length in millimetres: reading it back in the same unit gives exactly
// the value that was set (report files round-trip bit for bit), reading it in another unit
// converts from the physical length. Changing a report's units therefore never changes a size.
#include <QtGlobal>

// Ordinals are stored in report files.
enum TRepUnits { ruMM = 0, ruInches = 1, ruPixels = 2, ruCharacters = 3, ruNative = 4 };

// Horizontal and vertical lengths differ only in character units: a character is a tenth of an
// inch wide and a sixth of an inch high (the conventional 10 characters per inch, 6 lines per
// inch of fixed-pitch printing), so character layouts do not depend on a font.
enum TRepAxis { raX, raY };

constexpr double RepMMPerInch = 25.4;
constexpr double RepScreenPPI = 96.0;   // design-surface pixels per inch at zoom 100

// Millimetres in one unit along an axis; an unknown ordinal counts as millimetres.
double RepUnitMM(TRepUnits units, TRepAxis axis);
// Clamps a stored ordinal to a known unit (millimetres for anything unknown).
TRepUnits RepUnitsFromOrdinal(int ordinal);

inline double RepToMM(double value, TRepUnits units, TRepAxis axis) { return value * RepUnitMM(units, axis); }
inline double RepFromMM(double mm, TRepUnits units, TRepAxis axis) { return mm / RepUnitMM(units, axis); }
// Millimetres to design pixels at a zoom in percent, and back.
inline double RepMMToPixels(double mm, double zoomPercent) { return mm / RepMMPerInch * RepScreenPPI * zoomPercent / 100.0; }
inline double RepPixelsToMM(double pixels, double zoomPercent) {
    return zoomPercent > 0 ? pixels * RepMMPerInch / RepScreenPPI * 100.0 / zoomPercent : 0.0;
}

// One stored length.
class TRepMeasure {
public:
    TRepMeasure() = default;
    TRepMeasure(double value, TRepUnits units, TRepAxis axis) { Set(value, units, axis); }

    void Set(double value, TRepUnits units, TRepAxis axis);
    void SetMM(double mm);
    double Get(TRepUnits units, TRepAxis axis) const;
    double MM() const { return FMM; }

    bool operator==(const TRepMeasure &o) const { return FMM == o.FMM; }

private:
    double FMM = 0.0;
    double FValue = 0.0;          // the value as last set, in FUnits
    int FUnits = -1;              // -1: set in millimetres through SetMM
};
