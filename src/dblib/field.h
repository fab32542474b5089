#pragma once
// Fields: one column of a dataset's current record (data fields), or a value computed for it
// (calculated fields, filled by the dataset's OnCalcFields handler) or looked up in another
// dataset (lookup fields). Fields are components: persistent fields are owned by the form or
// data module and survive closing the dataset; fields the dataset makes for itself when it
// opens without persistent fields are owned by the dataset and go when it closes.
//
// Properties only some classes have (Size, DisplayFormat, Precision) are published only by
// those classes, so that setting them by name leaves other classes alone.
#include "dblib/dataset.h"
#include "dblib/field_type.h"
#include "host/component.h"
#include "host/date_time.h"

#include <QObject>
#include <QVariant>

class TStream;

enum TFieldKind { fkData, fkCalculated, fkLookup };

class TField : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(qint32 Tag READ Tag WRITE SetTag)
    Q_PROPERTY(QString FieldName READ FieldName WRITE SetFieldName)
    Q_PROPERTY(TDataSet *DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(QString DisplayLabel READ DisplayLabel WRITE SetDisplayLabel)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(bool Required READ Required WRITE SetRequired)
    Q_PROPERTY(qint32 DisplayWidth READ DisplayWidth WRITE SetDisplayWidth)
    Q_PROPERTY(qint32 Index READ Index WRITE SetIndex STORED false)
    Q_PROPERTY(int FieldKind READ FieldKind WRITE SetFieldKind)
    Q_PROPERTY(bool Calculated READ Calculated WRITE SetCalculated)
    Q_PROPERTY(bool Lookup READ Lookup WRITE SetLookup)
    Q_PROPERTY(TDataSet *LookupDataSet READ LookupDataSet WRITE SetLookupDataSet)
    Q_PROPERTY(QString KeyFields READ KeyFields WRITE SetKeyFields)
    Q_PROPERTY(QString LookupKeyFields READ LookupKeyFields WRITE SetLookupKeyFields)
    Q_PROPERTY(QString LookupResultField READ LookupResultField WRITE SetLookupResultField)
public:
    explicit TField(TComponent *AOwner = nullptr);
    ~TField() override;

    virtual TFieldType DataType() const = 0;
    QString FieldName() const { return FFieldName; }
    void SetFieldName(const QString &value);
    TDataSet *DataSet() const { return FDataSet; }
    // Attaches the field to a dataset (or detaches it with null). The dataset must be closed.
    void SetDataSet(TDataSet *value);
    // The label shown for the field; the field name while none is set.
    QString DisplayLabel() const { return FDisplayLabel.isEmpty() ? FFieldName : FDisplayLabel; }
    void SetDisplayLabel(const QString &value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value) { FReadOnly = value; }
    bool Required() const { return FRequired; }
    void SetRequired(bool value) { FRequired = value; }
    qint32 DisplayWidth() const;
    void SetDisplayWidth(qint32 value) { FDisplayWidth = value; }
    // Position in the dataset's field list.
    qint32 Index() const;
    void SetIndex(qint32 value);
    int FieldKind() const { return FFieldKind; }
    void SetFieldKind(int value);
    bool Calculated() const { return FFieldKind == fkCalculated; }
    void SetCalculated(bool value);
    bool Lookup() const { return FFieldKind == fkLookup; }
    void SetLookup(bool value);
    TDataSet *LookupDataSet() const { return FLookupDataSet; }
    void SetLookupDataSet(TDataSet *value);
    QString KeyFields() const { return FKeyFields; }
    void SetKeyFields(const QString &value) { FKeyFields = value; }
    QString LookupKeyFields() const { return FLookupKeyFields; }
    void SetLookupKeyFields(const QString &value) { FLookupKeyFields = value; }
    QString LookupResultField() const { return FLookupResultField; }
    void SetLookupResultField(const QString &value) { FLookupResultField = value; }

    // Size and precision are kept for every field; only the classes that use them publish them.
    int Size() const { return FSize; }
    virtual void SetSize(int value);
    // Position of a data field in the dataset's columns (0-based), -1 when not bound.
    int FieldNo() const { return FFieldNo; }
    // Whether the dataset made this field itself when it opened.
    bool IsDynamic() const { return FDynamic; }

    // ---- values of the current record --------------------------------------------------
    // The held value (see db_values.h); invalid when NULL or when the dataset has no record.
    QVariant Value() const;
    void SetValue(const QVariant &value);
    bool IsNull() const { return !Value().isValid(); }
    void Clear() { SetValue(QVariant()); }

    virtual QString AsString() const;
    virtual void SetAsString(const QString &value);
    virtual double AsFloat() const;
    virtual void SetAsFloat(double value);
    virtual qint64 AsInteger() const;
    virtual void SetAsInteger(qint64 value);
    virtual TDateTime AsDateTime() const;
    virtual void SetAsDateTime(TDateTime value);
    virtual bool AsBoolean() const;
    virtual void SetAsBoolean(bool value);
    // A value of any Qt type, converted to the field's type.
    QVariant AsVariant() const { return Value(); }
    void SetAsVariant(const QVariant &value);

    // The text shown for the value, honouring the display format of the classes that have one.
    QString DisplayText() const { return GetText(true); }
    // The text for editing (no display format).
    QString Text() const { return GetText(false); }
    void SetText(const QString &value) { SetAsString(value); }

    // Blob access, for the blob classes; other classes raise EDatabaseError.
    virtual void LoadFromStream(TStream &stream);
    virtual void SaveToStream(TStream &stream) const;
    void LoadFromFile(const QString &fileName);
    void SaveToFile(const QString &fileName) const;

    // Used by the dataset.
    void Bind(int fieldNo, bool dynamic) { FFieldNo = fieldNo; FDynamic = dynamic; }
    int CalcSlot() const { return FCalcSlot; }
    void SetCalcSlot(int slot) { FCalcSlot = slot; }

protected:
    virtual QString GetText(bool display) const;
    // Raises the conventional error for an access of the wrong kind.
    [[noreturn]] void AccessError(const QString &typeName) const;
    [[noreturn]] void ConvertError(const QString &text, const QString &what) const;
    void Notification(TComponent *AComponent, TOperation Operation) override;

    QString FFieldName;
    QString FDisplayLabel;
    int FSize = 0;

private:
    TDataSet *FDataSet = nullptr;
    TDataSet *FLookupDataSet = nullptr;
    bool FVisible = true;
    bool FReadOnly = false;
    bool FRequired = false;
    qint32 FDisplayWidth = 0;
    int FFieldKind = fkData;
    QString FKeyFields, FLookupKeyFields, FLookupResultField;
    int FFieldNo = -1;
    int FCalcSlot = -1;
    bool FDynamic = false;
};
