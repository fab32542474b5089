#pragma once
// Field and index definitions: what a dataset's columns and a table's indexes are, known after
// the dataset has been opened (or its definitions updated) and kept while it is closed.
#include "dblib/field_type.h"

#include <QList>
#include <QString>
#include <QStringList>

class TComponent;
class TDataSet;
class TField;

class TFieldDef {
public:
    QString Name;
    TFieldType DataType = ftUnknown;
    int Size = 0;
    int Precision = 0;
    bool Required = false;
    int FieldNo = 0;  // 1-based position among the columns

    // The field class for this definition's type.
    const QMetaObject *FieldClass() const { return FieldClassOf(DataType); }
    // Creates a field of that class owned by Owner (the dataset's owner when null), named
    // after the dataset and the field, and attaches it to the dataset. The dataset must be
    // closed (raises EDatabaseError otherwise).
    TField *CreateField(TComponent *Owner, TDataSet *DataSet) const;
};

class TFieldDefs {
public:
    int Count() const { return int(FItems.size()); }
    const TFieldDef &Item(int index) const { return FItems.at(index); }
    const TFieldDef &operator[](int index) const { return FItems.at(index); }
    // Case-insensitive; null when absent.
    const TFieldDef *Find(const QString &name) const;
    int IndexOf(const QString &name) const;
    QStringList Names() const;
    void Clear() { FItems.clear(); }
    void Add(const TFieldDef &def);
    // Reads the definitions from the database without keeping the dataset open.
    void Update();

    TDataSet *DataSet = nullptr;

private:
    QList<TFieldDef> FItems;
};

enum TIndexOption { ixPrimary = 1, ixUnique = 2, ixDescending = 4, ixCaseInsensitive = 8 };

class TIndexDef {
public:
    QString Name;    // empty for the primary index
    QString Fields;  // field names separated by ";"
    int Options = 0;
    QStringList FieldList() const;
};

class TIndexDefs {
public:
    int Count() const { return int(FItems.size()); }
    const TIndexDef &Item(int index) const { return FItems.at(index); }
    const TIndexDef &operator[](int index) const { return FItems.at(index); }
    // The index of that name (the primary index for an empty name); null when absent.
    const TIndexDef *Find(const QString &name) const;
    const TIndexDef *Primary() const;
    void Clear() { FItems.clear(); FUpdated = false; }
    void Add(const TIndexDef &def) { FItems << def; }
    // Reads the table's indexes from the database.
    void Update();
    bool Updated() const { return FUpdated; }

    class TTable *Table = nullptr;

private:
    friend class TTable;
    QList<TIndexDef> FItems;
    bool FUpdated = false;
};
