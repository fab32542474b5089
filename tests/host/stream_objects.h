#pragma once
// Streamable test classes: a container widget with child elements, and an element that
// publishes every kind of value the component streams carry.
#include "host/component.h"
#include "host/font.h"
#include "host/pen_brush.h"
#include "host/picture.h"
#include "host/strings.h"

#include <QWidget>

class TStreamBox : public QWidget, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(qint32 Tag READ Tag WRITE SetTag)
    Q_PROPERTY(quint16 BandNum MEMBER FBandNum)
public:
    Q_INVOKABLE explicit TStreamBox(TComponent *AOwner = nullptr) : TComponent(AOwner) {}
    quint16 FBandNum = 0;
};

class TStreamItem : public QWidget, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(qint32 Tag READ Tag WRITE SetTag)
    Q_PROPERTY(QString Caption MEMBER FCaption)
    Q_PROPERTY(bool AutoSize MEMBER FAutoSize)
    Q_PROPERTY(double Ratio MEMBER FRatio)
    Q_PROPERTY(qint32 Left MEMBER FLeft)
    Q_PROPERTY(TAlignmentKind Alignment MEMBER FAlignment)
    Q_PROPERTY(TFont *Font READ Font WRITE SetFont)
    Q_PROPERTY(TPen *Pen READ Pen WRITE SetPen)
    Q_PROPERTY(TBrush *Brush READ Brush WRITE SetBrush)
    Q_PROPERTY(TStrings *Lines READ Lines WRITE SetLines)
    Q_PROPERTY(TPicture *Picture READ Picture WRITE SetPicture)
    Q_PROPERTY(TBitmap *Background READ Background WRITE SetBackground)
    Q_PROPERTY(TStreamBox *Dataset MEMBER FDataset)
public:
    enum TAlignmentKind { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignmentKind)

    Q_INVOKABLE explicit TStreamItem(TComponent *AOwner = nullptr) : TComponent(AOwner) {}
    int LoadedCalls = 0;

    TFont *Font() const { return FFont; }
    void SetFont(TFont *f) { FFont->Assign(f); }
    TBrush *Brush() const { return FBrush; }
    void SetBrush(TBrush *b) { FBrush->Assign(b); }
    TPen *Pen() const { return FPen; }
    void SetPen(TPen *p) { FPen->Assign(p); }
    TStrings *Lines() const { return FLines; }
    void SetLines(TStrings *l) { FLines->Assign(l); }
    TPicture *Picture() const { return FPicture; }
    void SetPicture(TPicture *p) { FPicture->Assign(p); }

    TBitmap *Background() const { return FBackground; }
    void SetBackground(TBitmap *b) { FBackground->Assign(b); }

    QString FCaption;
    bool FAutoSize = false;
    double FRatio = 0;
    qint32 FLeft = 0;
    TAlignmentKind FAlignment = taLeftJustify;
    TStreamBox *FDataset = nullptr;

    void Loaded() override {
        TComponent::Loaded();
        ++LoadedCalls;
    }

private:
    TFont *FFont = new TFont(this);
    TPen *FPen = new TPen(this);
    TBrush *FBrush = new TBrush(this);
    TStringList *FLines = new TStringList(this);
    TPicture *FPicture = new TPicture(this);
    TBitmap *FBackground = new TBitmap(this);
};
