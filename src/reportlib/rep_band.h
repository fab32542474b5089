#pragma once
// Bands: the horizontal strips a report is made of. A band has a type (the eleven kinds in
// their fixed order), a height (size value 0; value 1 is its width, which follows from the page
// and cannot be set), a frame, a colour and a font, and print switches. The report stacks its
// bands on the design surface in print order; the designer never positions a band.
//
//   TRepBand       any band type; group footers and sub-detail headers/footers are plain bands
//   TRepChildBand  prints right after its ParentBand, whenever that band prints
//   TRepGroup      a group header: prints when its Expression changes; FooterBand prints when
//                  the group ends; Master is the report or a sub-detail whose records it groups
//   TRepSubDetail  prints once per record of its DataSet for every record of its Master (the
//                  report or another sub-detail), with optional header and footer bands
#include "reportlib/rep_control.h"

#include "host/colors.h"
#include "host/font.h"
#include "host/method.h"

#include "dblib/dataset.h"

class TRepBand : public TRepControl {
    Q_OBJECT
    Q_PROPERTY(TRepBandType BandType READ BandType WRITE SetBandType)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TFont *Font READ Font WRITE SetFont)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ForceNewColumn READ ForceNewColumn WRITE SetForceNewColumn)
    Q_PROPERTY(bool ForceNewPage READ ForceNewPage WRITE SetForceNewPage)
    Q_PROPERTY(bool PrintAtBottom READ PrintAtBottom WRITE SetPrintAtBottom)
    Q_PROPERTY(TRepBand *LinkBand READ LinkBand WRITE SetLinkBand)
    Q_PROPERTY(TMethod BeforePrint READ BeforePrint WRITE SetBeforePrint)
    Q_PROPERTY(TMethod AfterPrint READ AfterPrint WRITE SetAfterPrint)
public:
    enum TRepBandType {
        rbTitle, rbPageHeader, rbDetail, rbPageFooter, rbSummary, rbGroupHeader, rbGroupFooter,
        rbSubDetail, rbColumnHeader, rbOverlay, rbChild
    };
    Q_ENUM(TRepBandType)
    static constexpr int BandTypeCount = 11;

    explicit TRepBand(TComponent *AOwner);
    ~TRepBand() override;

    TRepAxis SizeAxis(int index) const override { return index == 0 ? raY : raX; }
    // Value 1 is the band's width on the page (column width for bands that print in columns).
    double SizeMM(int index) const override;
    void SetSizeMM(int index, double mm) override;
    double SizeValue(int index) const override;
    void SetSizeValue(int index, double value) override;
    void UpdateGeometry() override;
    void SetBounds(int left, int top, int width, int height) override;

    TRepBandType BandType() const { return FBandType; }
    // Group, sub-detail and child bands keep their own type.
    virtual void SetBandType(TRepBandType value);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString &value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TFont *Font() const;
    void SetFont(TFont *value);
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);
    const TFont *EffectiveFont() const;
    bool ForceNewColumn() const { return FForceNewColumn; }
    void SetForceNewColumn(bool value) { FForceNewColumn = value; }
    bool ForceNewPage() const { return FForceNewPage; }
    void SetForceNewPage(bool value) { FForceNewPage = value; }
    // Prints at the bottom of the page's free space (above the page footer); the next band
    // starts a new page.
    bool PrintAtBottom() const { return FPrintAtBottom; }
    void SetPrintAtBottom(bool value) { FPrintAtBottom = value; }
    // A band that must print on the same page as this one (checked before this band prints).
    TRepBand *LinkBand() const { return FLinkBand; }
    void SetLinkBand(TRepBand *value);

    // Before-print event: Invoke<QObject*, bool&>(band, printBand); clearing the flag skips
    // the band (and its child bands) this time.
    TMethod BeforePrint() const { return FBeforePrint; }
    void SetBeforePrint(const TMethod &value) { FBeforePrint = value; }
    // After-print event: Invoke<QObject*, bool>(band, printed).
    TMethod AfterPrint() const { return FAfterPrint; }
    void SetAfterPrint(const TMethod &value) { FAfterPrint = value; }

    // Whether the band prints within a column (detail-like bands) or across the page.
    bool PrintsInColumns() const;
    // Height in millimetres.
    double HeightMM() const { return SizeMM(0); }
    void SetHeightMM(double mm) { SetSizeMM(0, mm); }

    // The readable name of the band type ("Detail", "Page header", ...).
    static QString BandTypeName(TRepBandType type);

    // Design-time painting: colour, ruler, frame and the band's type name.
    void Paint() override;
    // Paints the ruler lines of the report's units over the band.
    void PaintRuler(TRepUnits units);

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;
    void SizeChanged() override;
    void ParentChanged() override;
    // Asks the report to stack its bands again.
    void RequestArrange();
    // Sets the type of a band class that keeps its own.
    void StoreBandType(TRepBandType value) { FBandType = value; }
    // Keeps a band reference valid: asks to hear when it goes away.
    void Link(TRepBand *&slot, TRepBand *value);

private:
    void SyncParentFont() const;

    TRepBandType FBandType = rbDetail;
    QString FCaption;
    TColor FColor = clWhite;
    TFont *FFont;
    bool FParentFont = true;
    mutable bool FSyncingFont = false;
    bool FForceNewColumn = false;
    bool FForceNewPage = false;
    bool FPrintAtBottom = false;
    TRepBand *FLinkBand = nullptr;
    TMethod FBeforePrint;
    TMethod FAfterPrint;
};

using TRepBandType = TRepBand::TRepBandType;
inline constexpr TRepBandType rbTitle = TRepBand::rbTitle;
inline constexpr TRepBandType rbPageHeader = TRepBand::rbPageHeader;
inline constexpr TRepBandType rbDetail = TRepBand::rbDetail;
inline constexpr TRepBandType rbPageFooter = TRepBand::rbPageFooter;
inline constexpr TRepBandType rbSummary = TRepBand::rbSummary;
inline constexpr TRepBandType rbGroupHeader = TRepBand::rbGroupHeader;
inline constexpr TRepBandType rbGroupFooter = TRepBand::rbGroupFooter;
inline constexpr TRepBandType rbSubDetail = TRepBand::rbSubDetail;
inline constexpr TRepBandType rbColumnHeader = TRepBand::rbColumnHeader;
inline constexpr TRepBandType rbOverlay = TRepBand::rbOverlay;
inline constexpr TRepBandType rbChild = TRepBand::rbChild;

class TRepChildBand : public TRepBand {
    Q_OBJECT
    Q_PROPERTY(TRepBand *ParentBand READ ParentBand WRITE SetParentBand)
public:
    explicit TRepChildBand(TComponent *AOwner);

    void SetBandType(TRepBandType) override {}
    TRepBand *ParentBand() const { return FParentBand; }
    // A band cannot be its own parent, nor the parent of one of its ancestors.
    void SetParentBand(TRepBand *value);

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;

private:
    TRepBand *FParentBand = nullptr;
};

class TRepGroup : public TRepBand {
    Q_OBJECT
    Q_PROPERTY(QString Expression READ Expression WRITE SetExpression)
    Q_PROPERTY(TRepBand *FooterBand READ FooterBand WRITE SetFooterBand)
    Q_PROPERTY(QWidget *Master READ Master WRITE SetMaster)
public:
    explicit TRepGroup(TComponent *AOwner);

    void SetBandType(TRepBandType) override {}
    QString Expression() const { return FExpression; }
    void SetExpression(const QString &value) { FExpression = value; }
    TRepBand *FooterBand() const { return FFooterBand; }
    void SetFooterBand(TRepBand *value);
    // The report or a sub-detail band; null means the report.
    QWidget *Master() const { return FMaster; }
    void SetMaster(QWidget *value);

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;

private:
    QString FExpression;
    TRepBand *FFooterBand = nullptr;
    QWidget *FMaster = nullptr;
    TComponent *FMasterComponent = nullptr;
};

class TRepSubDetail : public TRepBand {
    Q_OBJECT
    Q_PROPERTY(TDataSet *DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(TRepBand *HeaderBand READ HeaderBand WRITE SetHeaderBand)
    Q_PROPERTY(TRepBand *FooterBand READ FooterBand WRITE SetFooterBand)
    Q_PROPERTY(QWidget *Master READ Master WRITE SetMaster)
    Q_PROPERTY(bool PrintBefore READ PrintBefore WRITE SetPrintBefore)
    Q_PROPERTY(bool PrintIfEmpty READ PrintIfEmpty WRITE SetPrintIfEmpty)
public:
    explicit TRepSubDetail(TComponent *AOwner);

    void SetBandType(TRepBandType) override {}
    TDataSet *DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet *value);
    TRepBand *HeaderBand() const { return FHeaderBand; }
    void SetHeaderBand(TRepBand *value);
    TRepBand *FooterBand() const { return FFooterBand; }
    void SetFooterBand(TRepBand *value);
    // The report or another sub-detail band; null means the report.
    QWidget *Master() const { return FMaster; }
    void SetMaster(QWidget *value);
    // Prints the sub-detail records before the master's detail band instead of after it.
    bool PrintBefore() const { return FPrintBefore; }
    void SetPrintBefore(bool value) { FPrintBefore = value; }
    // Prints the header and footer bands even when the dataset has no records.
    bool PrintIfEmpty() const { return FPrintIfEmpty; }
    void SetPrintIfEmpty(bool value) { FPrintIfEmpty = value; }

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;

private:
    TDataSet *FDataSet = nullptr;
    TRepBand *FHeaderBand = nullptr;
    TRepBand *FFooterBand = nullptr;
    QWidget *FMaster = nullptr;
    TComponent *FMasterComponent = nullptr;
    bool FPrintBefore = false;
    bool FPrintIfEmpty = true;
};
