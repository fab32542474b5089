#pragma once
// The field classes, one per kind of column, with the class names report files use.
#include "dblib/field.h"

class TStringField : public TField {
    Q_OBJECT
    Q_PROPERTY(qint32 Size READ Size WRITE SetSize)
public:
    Q_INVOKABLE explicit TStringField(TComponent *AOwner = nullptr);
    TFieldType DataType() const override { return ftString; }
    QString AsString() const override;
    void SetAsString(const QString &value) override;
    double AsFloat() const override;
    void SetAsFloat(double value) override;
    qint64 AsInteger() const override;
    void SetAsInteger(qint64 value) override;
    TDateTime AsDateTime() const override;
    void SetAsDateTime(TDateTime value) override;
    bool AsBoolean() const override;
    void SetAsBoolean(bool value) override;
};

// Numbers: the display format is a FormatFloat mask.
class TNumericField : public TField {
    Q_OBJECT
    Q_PROPERTY(QString DisplayFormat READ DisplayFormat WRITE SetDisplayFormat)
    Q_PROPERTY(QString EditFormat READ EditFormat WRITE SetEditFormat)
public:
    using TField::TField;
    QString DisplayFormat() const { return FDisplayFormat; }
    void SetDisplayFormat(const QString &value);
    QString EditFormat() const { return FEditFormat; }
    void SetEditFormat(const QString &value) { FEditFormat = value; }

protected:
    QString FDisplayFormat;
    QString FEditFormat;
};

class TIntegerField : public TNumericField {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TIntegerField(TComponent *AOwner = nullptr);
    TFieldType DataType() const override { return ftInteger; }
    QString AsString() const override;
    void SetAsString(const QString &value) override;
    double AsFloat() const override;
    void SetAsFloat(double value) override;
    qint64 AsInteger() const override;
    void SetAsInteger(qint64 value) override;
    bool AsBoolean() const override { return AsInteger() != 0; }
    void SetAsBoolean(bool value) override { SetAsInteger(value ? 1 : 0); }

protected:
    QString GetText(bool display) const override;
    // The range a value must lie in.
    virtual qint64 MinValue() const { return std::numeric_limits<qint64>::min(); }
    virtual qint64 MaxValue() const { return std::numeric_limits<qint64>::max(); }
};

class TSmallintField : public TIntegerField {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TSmallintField(TComponent *AOwner = nullptr) : TIntegerField(AOwner) {}
    TFieldType DataType() const override { return ftSmallint; }

protected:
    qint64 MinValue() const override { return -32768; }
    qint64 MaxValue() const override { return 32767; }
};

class TWordField : public TIntegerField {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TWordField(TComponent *AOwner = nullptr) : TIntegerField(AOwner) {}
    TFieldType DataType() const override { return ftWord; }

protected:
    qint64 MinValue() const override { return 0; }
    qint64 MaxValue() const override { return 65535; }
};

class TAutoIncField : public TIntegerField {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TAutoIncField(TComponent *AOwner = nullptr) : TIntegerField(AOwner) {}
    TFieldType DataType() const override { return ftAutoInc; }
};

class TFloatField : public TNumericField {
    Q_OBJECT
    Q_PROPERTY(qint32 Precision READ Precision WRITE SetPrecision)
    Q_PROPERTY(bool Currency READ Currency WRITE SetCurrency)
public:
    Q_INVOKABLE explicit TFloatField(TComponent *AOwner = nullptr);
    TFieldType DataType() const override { return ftFloat; }
    qint32 Precision() const { return FPrecision; }
    void SetPrecision(qint32 value);
    bool Currency() const { return FCurrency; }
    void SetCurrency(bool value);
    QString AsString() const override;
    void SetAsString(const QString &value) override;
    double AsFloat() const override;
    void SetAsFloat(double value) override;
    qint64 AsInteger() const override;
    void SetAsInteger(qint64 value) override { SetAsFloat(double(value)); }

protected:
    QString GetText(bool display) const override;
    qint32 FPrecision = 15;
    bool FCurrency = false;
};

class TCurrencyField : public TFloatField {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TCurrencyField(TComponent *AOwner = nullptr);
    TFieldType DataType() const override { return ftCurrency; }
};

// Fixed-point decimals; Size is the number of digits after the point.
class TBCDField : public TFloatField {
    Q_OBJECT
    Q_PROPERTY(qint32 Size READ Size WRITE SetSize)
public:
    Q_INVOKABLE explicit TBCDField(TComponent *AOwner = nullptr);
    TFieldType DataType() const override { return ftBCD; }
    void SetSize(int value) override;
};

class TBooleanField : public TField {
    Q_OBJECT
    Q_PROPERTY(QString DisplayValues READ DisplayValues WRITE SetDisplayValues)
public:
    Q_INVOKABLE explicit TBooleanField(TComponent *AOwner = nullptr);
    TFieldType DataType() const override { return ftBoolean; }
    // "true text;false text"
    QString DisplayValues() const { return FDisplayValues; }
    void SetDisplayValues(const QString &value);
    QString AsString() const override;
    void SetAsString(const QString &value) override;
    bool AsBoolean() const override;
    void SetAsBoolean(bool value) override;
    qint64 AsInteger() const override { return AsBoolean() ? 1 : 0; }
    void SetAsInteger(qint64 value) override { SetAsBoolean(value != 0); }

protected:
    QString GetText(bool) const override { return AsString(); }

private:
    QString FDisplayValues;
    QString FTrueText = QStringLiteral("True"), FFalseText = QStringLiteral("False");
};

// Dates and times: the display format is a FormatDateTime pattern.
class TDateTimeField : public TField {
    Q_OBJECT
    Q_PROPERTY(QString DisplayFormat READ DisplayFormat WRITE SetDisplayFormat)
public:
    Q_INVOKABLE explicit TDateTimeField(TComponent *AOwner = nullptr);
    TFieldType DataType() const override { return ftDateTime; }
    QString DisplayFormat() const { return FDisplayFormat; }
    void SetDisplayFormat(const QString &value);
    QString AsString() const override { return GetText(false); }
    void SetAsString(const QString &value) override;
    double AsFloat() const override { return AsDateTime(); }
    void SetAsFloat(double value) override { SetAsDateTime(value); }
    TDateTime AsDateTime() const override;
    void SetAsDateTime(TDateTime value) override;

protected:
    QString GetText(bool display) const override;
    QString FDisplayFormat;
};

class TDateField : public TDateTimeField {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TDateField(TComponent *AOwner = nullptr) : TDateTimeField(AOwner) {}
    TFieldType DataType() const override { return ftDate; }
    void SetAsDateTime(TDateTime value) override;
};

class TTimeField : public TDateTimeField {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TTimeField(TComponent *AOwner = nullptr) : TDateTimeField(AOwner) {}
    TFieldType DataType() const override { return ftTime; }
    void SetAsDateTime(TDateTime value) override;
};

// Raw bytes; AsString shows them one character per byte.
class TBinaryField : public TField {
    Q_OBJECT
    Q_PROPERTY(qint32 Size READ Size WRITE SetSize)
public:
    using TField::TField;
    QString AsString() const override;
    void SetAsString(const QString &value) override;
    QByteArray AsBytes() const;
    void SetAsBytes(const QByteArray &value);
    void LoadFromStream(TStream &stream) override;
    void SaveToStream(TStream &stream) const override;
};

class TBytesField : public TBinaryField {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TBytesField(TComponent *AOwner = nullptr);
    TFieldType DataType() const override { return ftBytes; }
};

class TVarBytesField : public TBytesField {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TVarBytesField(TComponent *AOwner = nullptr) : TBytesField(AOwner) {}
    TFieldType DataType() const override { return ftVarBytes; }
};

class TBlobField : public TBinaryField {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TBlobField(TComponent *AOwner = nullptr) : TBinaryField(AOwner) {}
    TFieldType DataType() const override { return ftBlob; }

protected:
    QString GetText(bool display) const override;
};

// Text of any length; streams hold it as UTF-8 (8-bit text is read as Windows-1252).
class TMemoField : public TBlobField {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TMemoField(TComponent *AOwner = nullptr) : TBlobField(AOwner) {}
    TFieldType DataType() const override { return ftMemo; }
    QString AsString() const override;
    void SetAsString(const QString &value) override;
    void LoadFromStream(TStream &stream) override;
    void SaveToStream(TStream &stream) const override;
};

class TGraphicField : public TBlobField {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TGraphicField(TComponent *AOwner = nullptr) : TBlobField(AOwner) {}
    TFieldType DataType() const override { return ftGraphic; }
};
