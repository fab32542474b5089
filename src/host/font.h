#pragma once
// Fonts as reports store them: family name, size in points and height in pixels at a fixed
// 96 pixels per inch, pitch, style bits and colour.
//
// Size and Height are one value seen two ways, tied by the conventional rule
//     Height = -round(Size * 96 / 72)        Size = -round(Height * 72 / 96)
// (rounding halves away from zero). A negative Height is the character height (the em size);
// a positive Height is the cell height, which includes the font's internal leading, and then
// Size reads negative. Painting converts a cell height into a character height with the
// internal leading that QFontMetrics measures for the family (CharHeight()).
#include "host/colors.h"
#include "host/persistent.h"

#include <QFont>
#include <QString>

class TFont : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Size READ Size WRITE SetSize STORED false)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(TFontPitch Pitch READ Pitch WRITE SetPitch)
    Q_PROPERTY(int Style READ Style WRITE SetStyle)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
public:
    enum TFontPitch { fpDefault, fpVariable, fpFixed };
    Q_ENUM(TFontPitch)
    enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
    Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
    Q_FLAG(TFontStyles)

    static constexpr int ScreenPixelsPerInch = 96;

    explicit TFont(QObject *parent = nullptr);

    QString Name() const { return FName; }
    void SetName(const QString &value);
    int Size() const;
    void SetSize(int points);
    int Height() const { return FHeight; }
    void SetHeight(int pixels);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch value);
    // The style as bits of TFontStyle (the form the report file stores).
    int Style() const { return FStyle; }
    void SetStyle(int bits);
    TFontStyles Styles() const { return TFontStyles::fromInt(FStyle); }
    void SetStyles(TFontStyles value) { SetStyle(value.toInt()); }
    bool HasStyle(TFontStyle s) const { return (FStyle & s) != 0; }
    void SetStyleBit(TFontStyle s, bool on) { SetStyle(on ? (FStyle | s) : (FStyle & ~s)); }
    TColor Color() const { return FColor; }
    void SetColor(TColor value);

    // The pixel height of the characters (em size) at 96 ppi: -Height for a negative Height, a
    // cell height less the measured internal leading for a positive one.
    int CharHeight() const;

    // A Qt font for painting at the given zoom (percent). Pixel sizes are 96-ppi pixels; families
    // missing on this machine map to their metric-compatible Liberation families.
    QFont ToQFont(double zoomPercent = 100) const;
    // Takes family, size, pitch and style from a Qt font (colour stays); emits Changed once.
    void FromQFont(const QFont &font);

    // Copies all six values from another TFont; emits Changed once.
    void Assign(const TPersistent *Source) override;
    bool Equals(const TFont &other) const;

private:
    QString FName = QStringLiteral("Arial");
    int FHeight;
    TFontPitch FPitch = fpDefault;
    int FStyle = 0;
    TColor FColor = clWindowText;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TFont::TFontStyles)

using TFontPitch = TFont::TFontPitch;
using TFontStyle = TFont::TFontStyle;
using TFontStyles = TFont::TFontStyles;
inline constexpr TFontPitch fpDefault = TFont::fpDefault;
inline constexpr TFontPitch fpVariable = TFont::fpVariable;
inline constexpr TFontPitch fpFixed = TFont::fpFixed;
inline constexpr TFontStyle fsBold = TFont::fsBold;
inline constexpr TFontStyle fsItalic = TFont::fsItalic;
inline constexpr TFontStyle fsUnderline = TFont::fsUnderline;
inline constexpr TFontStyle fsStrikeOut = TFont::fsStrikeOut;

// The family to ask Qt for: the name itself when installed, else its metric-compatible
// substitute (Arial, "MS Sans Serif", Helvetica -> "Liberation Sans"; "Times New Roman" ->
// "Liberation Serif"; "Courier New" -> "Liberation Mono"), else the name unchanged so that
// fontconfig picks its own fallback.
QString ResolveFontFamily(const QString &name);

// Rounds a*b/c to the nearest integer, halves away from zero (the conventional MulDiv).
int MulDiv(int a, int b, int c);
