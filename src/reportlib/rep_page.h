#pragma once
// Page setup of a report and the settings it passes to the printer.
//
// Page values by index (in the report's units): 0 bottom margin, 1 length, 2 top margin,
// 3 width, 4 left margin, 5 right margin, 6 column space. For a standard paper size the width
// and length follow the paper and the orientation; the stored width and length count only for
// the custom size (27). Setting one value never changes another, so the values can be restored
// in any order.
#include "reportlib/rep_paper.h"
#include "reportlib/rep_units.h"

#include "host/persistent.h"

#include <QSizeF>

class TRepPage : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(double BottomMargin READ BottomMargin WRITE SetBottomMargin)
    Q_PROPERTY(double Length READ Length WRITE SetLength)
    Q_PROPERTY(double TopMargin READ TopMargin WRITE SetTopMargin)
    Q_PROPERTY(double Width READ Width WRITE SetWidth)
    Q_PROPERTY(double LeftMargin READ LeftMargin WRITE SetLeftMargin)
    Q_PROPERTY(double RightMargin READ RightMargin WRITE SetRightMargin)
    Q_PROPERTY(double ColumnSpace READ ColumnSpace WRITE SetColumnSpace)
    Q_PROPERTY(int Columns READ Columns WRITE SetColumns)
    Q_PROPERTY(TRepOrientation Orientation READ Orientation WRITE SetOrientation)
    Q_PROPERTY(int PaperSize READ PaperSize WRITE SetPaperSize)
    Q_PROPERTY(bool Ruler READ Ruler WRITE SetRuler)
public:
    enum TRepOrientation { poPortrait = 0, poLandscape = 1 };
    Q_ENUM(TRepOrientation)
    enum TRepPageValue { pvBottomMargin = 0, pvLength, pvTopMargin, pvWidth, pvLeftMargin, pvRightMargin, pvColumnSpace };
    static constexpr int ValueCount = 7;
    static constexpr int MaxColumns = 100;

    explicit TRepPage(QObject *parent = nullptr);

    // The units the values are read and written in (the report's Units).
    TRepUnits Units() const { return FUnits; }
    void SetUnits(TRepUnits units) { FUnits = units; }

    double Value(int index) const;
    void SetValue(int index, double value);
    // Physical values in millimetres.
    double ValueMM(int index) const;
    void SetValueMM(int index, double mm);

    double BottomMargin() const { return Value(pvBottomMargin); }
    void SetBottomMargin(double v) { SetValue(pvBottomMargin, v); }
    double Length() const { return Value(pvLength); }
    void SetLength(double v) { SetValue(pvLength, v); }
    double TopMargin() const { return Value(pvTopMargin); }
    void SetTopMargin(double v) { SetValue(pvTopMargin, v); }
    double Width() const { return Value(pvWidth); }
    void SetWidth(double v) { SetValue(pvWidth, v); }
    double LeftMargin() const { return Value(pvLeftMargin); }
    void SetLeftMargin(double v) { SetValue(pvLeftMargin, v); }
    double RightMargin() const { return Value(pvRightMargin); }
    void SetRightMargin(double v) { SetValue(pvRightMargin, v); }
    double ColumnSpace() const { return Value(pvColumnSpace); }
    void SetColumnSpace(double v) { SetValue(pvColumnSpace, v); }

    int Columns() const { return FColumns; }
    void SetColumns(int value);
    TRepOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TRepOrientation value);
    int PaperSize() const { return FPaperSize; }
    void SetPaperSize(int value);
    bool Ruler() const { return FRuler; }
    void SetRuler(bool value);

    // The paper in millimetres as it prints (orientation applied), never smaller than 1 mm.
    QSizeF PaperMM() const;
    // The printable area: paper less margins, at least 1 mm each way.
    QRectF PrintAreaMM() const;
    // Width of one column in millimetres, at least 1 mm.
    double ColumnWidthMM() const;

    void Assign(const TPersistent *Source) override;

private:
    TRepMeasure FValues[ValueCount];
    TRepUnits FUnits = ruMM;
    int FColumns = 1;
    TRepOrientation FOrientation = poPortrait;
    int FPaperSize = psA4;
    bool FRuler = true;
};

using TRepOrientation = TRepPage::TRepOrientation;
inline constexpr TRepOrientation poPortrait = TRepPage::poPortrait;
inline constexpr TRepOrientation poLandscape = TRepPage::poLandscape;

// What the report passes to the printer: copies, duplex, output bin, the printer (index in the
// list of printers, -1 the default one) and the page range (0 = from the first / to the last).
class TRepPrinterSettings : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(int Copies READ Copies WRITE SetCopies)
    Q_PROPERTY(bool Duplex READ Duplex WRITE SetDuplex)
    Q_PROPERTY(int OutputBin READ OutputBin WRITE SetOutputBin)
    Q_PROPERTY(int PrinterIndex READ PrinterIndex WRITE SetPrinterIndex)
    Q_PROPERTY(int FirstPage READ FirstPage WRITE SetFirstPage)
    Q_PROPERTY(int LastPage READ LastPage WRITE SetLastPage)
public:
    static constexpr int MaxCopies = 999;

    using TPersistent::TPersistent;

    int Copies() const { return FCopies; }
    void SetCopies(int value);           // 1 .. MaxCopies
    bool Duplex() const { return FDuplex; }
    void SetDuplex(bool value);
    int OutputBin() const { return FOutputBin; }
    void SetOutputBin(int value);        // 0 .. 255 (0 = automatic)
    int PrinterIndex() const { return FPrinterIndex; }
    void SetPrinterIndex(int value);     // -1 = default printer
    int FirstPage() const { return FFirstPage; }
    void SetFirstPage(int value);        // 0 = from the first page
    int LastPage() const { return FLastPage; }
    void SetLastPage(int value);         // 0 = to the last page

    // Whether page number (1-based) lies in the range.
    bool InRange(int page) const;

    void Assign(const TPersistent *Source) override;

private:
    int FCopies = 1;
    bool FDuplex = false;
    int FOutputBin = 0;
    int FPrinterIndex = -1;
    int FFirstPage = 0;
    int FLastPage = 0;
};
