#pragma once
// Query parameters: the ":name" placeholders of an SQL text, each with a data type, a value
// (or NULL), a bound flag (false: the value comes from the master dataset's field of the same
// name) and a parameter type.
#include "dblib/field_type.h"
#include "host/date_time.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

class TField;

enum TParamType { ptUnknown, ptInput, ptOutput, ptInputOutput, ptResult };

class TParam {
public:
    TParam() = default;
    TParam(const QString &name, TFieldType dataType = ftUnknown, TParamType paramType = ptUnknown)
        : FName(name), FDataType(dataType), FParamType(paramType) {}

    QString Name() const { return FName; }
    void SetName(const QString &value) { FName = value; }
    TFieldType DataType() const { return FDataType; }
    // Changing the type converts the value when it can and clears it when it cannot.
    void SetDataType(TFieldType value);
    TParamType ParamType() const { return FParamType; }
    void SetParamType(TParamType value) { FParamType = value; }
    bool Bound() const { return FBound; }
    void SetBound(bool value) { FBound = value; }

    bool IsNull() const { return !FValue.isValid(); }
    // Makes the value NULL; the bound flag stays as it is.
    void Clear() { FValue = QVariant(); }
    // The value as held for the data type (see db_values.h); a parameter without a type holds
    // whatever it was given.
    QVariant Value() const { return FValue; }
    // Sets the value (converted to the data type; a parameter without a type takes the type of
    // the value) and marks the parameter bound. Raises EConvertError naming the parameter when
    // the value does not suit the type.
    void SetValue(const QVariant &value);

    // The value as text; empty for NULL.
    QString AsString() const;
    QString Text() const { return AsString(); }
    // Reads the text according to the data type (a parameter without a type becomes a string
    // parameter); empty text of a non-string type makes the value NULL. Raises EConvertError
    // naming the parameter when the text does not suit the type. Marks the parameter bound.
    void SetText(const QString &value);
    void SetAsString(const QString &value);
    qint64 AsInteger() const;
    void SetAsInteger(qint64 value);
    double AsFloat() const;
    void SetAsFloat(double value);
    TDateTime AsDateTime() const;
    void SetAsDateTime(TDateTime value);
    void SetAsDate(TDateTime value);
    bool AsBoolean() const;
    void SetAsBoolean(bool value);

    // Takes the value and type of a field (a master record's field).
    void AssignField(const TField *field);
    // Copies name, type, parameter type, bound flag and value.
    void Assign(const TParam &other);
    // The value prepared for the SQL driver.
    QVariant DriverValue() const;

private:
    [[noreturn]] void ConvertError(const QString &text) const;
    QString FName;
    TFieldType FDataType = ftUnknown;
    TParamType FParamType = ptUnknown;
    bool FBound = false;
    QVariant FValue;
};

class TParams {
public:
    TParams() = default;
    TParams(const TParams &other) { Assign(other); }
    TParams &operator=(const TParams &other) {
        if (this != &other) Assign(other);
        return *this;
    }

    int Count() const { return int(FItems.size()); }
    TParam &Item(int index) const { return *FItems.at(index); }
    TParam &operator[](int index) const { return *FItems.at(index); }
    // Raises EDatabaseError naming the parameter when there is none of that name.
    TParam &ParamByName(const QString &name) const;
    // Null when absent; names compare without regard to case.
    TParam *FindParam(const QString &name) const;
    TParam &CreateParam(TFieldType dataType, const QString &name, TParamType paramType);
    void Clear() { FItems.clear(); }
    // Copies every parameter.
    void Assign(const TParams &other);
    // Copies type, bound flag and value of each parameter of other into the one of the same name.
    void AssignValues(const TParams &other);
    QStringList Names() const;

    // Finds the ":name" placeholders of an SQL text (outside quotes and comments; "::" is a
    // cast). Returns the text with each placeholder replaced by "?" and the names in order.
    static QString ParseSQL(const QString &sql, QStringList &names);

private:
    std::vector<std::unique_ptr<TParam>> FItems;
};
