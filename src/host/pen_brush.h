#pragma once
// Pens and brushes of shapes and frames: colour, width and line style of a pen, colour and fill
// pattern of a brush, as report files store them (styles and modes as ordinals).
#include "host/colors.h"
#include "host/persistent.h"

#include <QBrush>
#include <QPainter>
#include <QPen>

class TPen : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TPenMode Mode READ Mode WRITE SetMode)
    Q_PROPERTY(TPenStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
public:
    enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
    Q_ENUM(TPenStyle)
    // How the pen combines with what is already painted (see PenCompositionMode).
    enum TPenMode {
        pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
        pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
    };
    Q_ENUM(TPenMode)

    using TPersistent::TPersistent;

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value);
    // Pixels at 96 ppi; 0 draws the thinnest line the device has.
    int Width() const { return FWidth; }
    void SetWidth(int value);

    // Qt pen at the given scale (device pixels per 96-ppi pixel); psClear gives Qt::NoPen.
    QPen ToQPen(double scale = 1.0) const;

    void Assign(const TPersistent *Source) override;
    bool Equals(const TPen &other) const;

private:
    TColor FColor = clBlack;
    TPenMode FMode = pmCopy;
    TPenStyle FStyle = psSolid;
    int FWidth = 1;
};

class TBrush : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TBrushStyle Style READ Style WRITE SetStyle)
public:
    enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
    Q_ENUM(TBrushStyle)

    using TPersistent::TPersistent;

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value);

    // bsClear (or colour clNone) gives Qt::NoBrush; hatches draw in the brush colour.
    QBrush ToQBrush() const;

    void Assign(const TPersistent *Source) override;
    bool Equals(const TBrush &other) const;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

using TPenStyle = TPen::TPenStyle;
using TPenMode = TPen::TPenMode;
using TBrushStyle = TBrush::TBrushStyle;
inline constexpr TPenStyle psSolid = TPen::psSolid;
inline constexpr TPenStyle psDash = TPen::psDash;
inline constexpr TPenStyle psDot = TPen::psDot;
inline constexpr TPenStyle psDashDot = TPen::psDashDot;
inline constexpr TPenStyle psDashDotDot = TPen::psDashDotDot;
inline constexpr TPenStyle psClear = TPen::psClear;
inline constexpr TPenStyle psInsideFrame = TPen::psInsideFrame;
inline constexpr TPenMode pmCopy = TPen::pmCopy;
inline constexpr TPenMode pmXor = TPen::pmXor;
inline constexpr TPenMode pmNotXor = TPen::pmNotXor;
inline constexpr TBrushStyle bsSolid = TBrush::bsSolid;
inline constexpr TBrushStyle bsClear = TBrush::bsClear;
inline constexpr TBrushStyle bsHorizontal = TBrush::bsHorizontal;
inline constexpr TBrushStyle bsVertical = TBrush::bsVertical;
inline constexpr TBrushStyle bsFDiagonal = TBrush::bsFDiagonal;
inline constexpr TBrushStyle bsBDiagonal = TBrush::bsBDiagonal;
inline constexpr TBrushStyle bsCross = TBrush::bsCross;
inline constexpr TBrushStyle bsDiagCross = TBrush::bsDiagCross;

// The painter composition mode of a pen mode. The raster operations take effect on raster
// devices (screen, images); vector devices (PDF, printers) paint every mode as pmCopy.
QPainter::CompositionMode PenCompositionMode(TPenMode mode);
