#pragma once
// Small component classes used by the host tests: they publish properties of every kind the
// property access supports, the way bands and elements do.
#include "host/component.h"
#include "host/method.h"

#include <QObject>
#include <QWidget>

class TTestComponent : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(qint32 Tag READ Tag WRITE SetTag)
public:
    explicit TTestComponent(TComponent *AOwner = nullptr) : TComponent(AOwner) {}

    // Every notification this component received, as "insert:Name" / "remove:Name".
    QStringList Log;
    TComponent *Watched = nullptr;  // cleared when removed, like a band's link

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        Log << QStringLiteral("%1:%2").arg(Operation == opInsert ? "insert" : "remove", AComponent->Name());
        if (Operation == opRemove && AComponent == Watched) Watched = nullptr;
    }
};

class TTestElement : public TTestComponent {
    Q_OBJECT
    Q_PROPERTY(quint16 BandNum READ BandNum WRITE SetBandNum)
    Q_PROPERTY(bool BlockMove READ BlockMove WRITE SetBlockMove)
    Q_PROPERTY(qint32 GroupID MEMBER FGroupID)
    Q_PROPERTY(double Ratio READ Ratio WRITE SetRatio)
    Q_PROPERTY(QString Expression READ Expression WRITE SetExpression)
    Q_PROPERTY(TTestComponent *Dataset READ Dataset WRITE SetDataset)
    Q_PROPERTY(TMethod OnClick READ OnClick WRITE SetOnClick)
    Q_PROPERTY(TTestComponent *ReadOnlyRef READ Dataset)
public:
    explicit TTestElement(TComponent *AOwner = nullptr) : TTestComponent(AOwner) {}

    quint16 BandNum() const { return FBandNum; }
    void SetBandNum(quint16 v) { FBandNum = v; ++SetterCalls; }
    bool BlockMove() const { return FBlockMove; }
    void SetBlockMove(bool v) { FBlockMove = v; ++SetterCalls; }
    double Ratio() const { return FRatio; }
    void SetRatio(double v) { FRatio = v; }
    QString Expression() const { return FExpression; }
    void SetExpression(const QString &v) { FExpression = v; ++SetterCalls; }
    TTestComponent *Dataset() const { return FDataset; }
    void SetDataset(TTestComponent *v) { FDataset = v; ++SetterCalls; }
    TMethod OnClick() const { return FOnClick; }
    void SetOnClick(const TMethod &m) { FOnClick = m; }

    int SetterCalls = 0;
    qint32 FGroupID = 0;

private:
    quint16 FBandNum = 0;
    bool FBlockMove = false;
    double FRatio = 0;
    QString FExpression;
    TTestComponent *FDataset = nullptr;
    TMethod FOnClick;
};
