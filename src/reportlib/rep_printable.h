#pragma once
// The base of everything printed on a band. Size values by index: 0 height, 1 left, 2 top,
// 3 width (report units; left and top relative to the band).
//
// A print of one element goes in two steps, both driven by the page engine:
//   PrepareContent()  takes the element's current content (data field, expression, ...) and
//                     formats it; called once per print, so that on-print handlers run once;
//   Print(OfsX, OfsY) paints onto the printer's canvas, the band's corner being at (OfsX, OfsY)
//                     in report units; the base prints the frame.
// Between them the engine asks PrintHeightMM() to let bands stretch with their content.
#include "reportlib/rep_control.h"

#include "host/colors.h"

class TRepBand;
class TRepPrinter;

class TRepPrintable : public TRepControl {
    Q_OBJECT
    Q_PROPERTY(bool AlignToBand READ AlignToBand WRITE SetAlignToBand)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
public:
    enum TAlignment { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };
    Q_ENUM(TAlignment)

    explicit TRepPrintable(TComponent *AOwner);

    TRepAxis SizeAxis(int index) const override { return (index == 1 || index == 3) ? raX : raY; }
    void UpdateGeometry() override;

    bool AlignToBand() const { return FAlignToBand; }
    void SetAlignToBand(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);

    // The band the element lies on (its parent), null when it lies elsewhere.
    TRepBand *Band() const;

    // --- printing -----------------------------------------------------------------------
    // Once per run, before the first and after the last print.
    virtual void BeforeRun();
    virtual void AfterRun();
    virtual void PrepareContent();
    // Whether the content depends on the page it prints on: it is prepared again when its band
    // moves on to a new page after it was prepared.
    virtual bool DependsOnPage() const { return false; }
    // Height the element needs this time, in millimetres (its own height unless it stretches).
    virtual double PrintHeightMM() const;
    virtual void Print(double OfsX, double OfsY);

    // Aggregating elements (expressions with aggregates, calculations) take one sample each time
    // a record of their master prints; a null master means the report.
    virtual bool Aggregates() const { return false; }
    virtual QWidget *AggregateMaster() const { return nullptr; }
    virtual void Aggregate() {}

    // The element's rectangle on the canvas for a band corner at (OfsX, OfsY) in report units,
    // using the printed height (PrintHeightMM).
    QRectF PrintRect(double OfsX, double OfsY) const;
    // Paints the frame over a device rectangle.
    void PrintFrame(const QRectF &deviceRect);
    // The printer of the run in progress (null outside a run).
    TRepPrinter *Printer() const;

    // --- design-time painting ----------------------------------------------------------
    void Paint() override;
    // Small marks at the four corners of the element, so that empty or transparent elements
    // can be found on the surface.
    void PaintCorners();

protected:
    // Fills the device rectangle with colour unless the element is transparent.
    void PrintBackground(const QRectF &deviceRect, TColor color);
    void ParentChanged() override;

private:
    bool FAlignToBand = false;
    bool FTransparent = false;
};

using TAlignment = TRepPrintable::TAlignment;
inline constexpr TAlignment taLeftJustify = TRepPrintable::taLeftJustify;
inline constexpr TAlignment taRightJustify = TRepPrintable::taRightJustify;
inline constexpr TAlignment taCenter = TRepPrintable::taCenter;
