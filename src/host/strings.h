#pragma once
// String lists: ordered lines with name=value access, case-insensitive search, sorting and
// duplicates policy, and change notification. The published form of memo lines, SQL text,
// description lines, parameter lists and display-label lists.
#include "host/persistent.h"

#include <QString>
#include <QStringList>

class TStream;

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText)
public:
    using TPersistent::TPersistent;

    int Count() const { return int(FLines.size()); }
    QString operator[](int index) const { return Get(index); }
    QString Get(int index) const;                 // raises EStringListError out of range
    void Put(int index, const QString &value);    // raises EStringListError out of range
    QObject *Objects(int index) const;            // an associated object per line (not owned)
    void PutObject(int index, QObject *object);

    virtual int Add(const QString &line);         // returns the index
    int AddObject(const QString &line, QObject *object);
    void Insert(int index, const QString &line);
    void Delete(int index);
    void Move(int from, int to);
    void Exchange(int a, int b);
    void Clear();
    void AddStrings(const TStrings &other);
    // Lines compare without regard to case; -1 when absent.
    virtual int IndexOf(const QString &line) const;
    int IndexOfName(const QString &name) const;
    int IndexOfObject(const QObject *object) const;

    // name=value lines: Names(i) is the part before the first '=', Values[name] the rest.
    QString Names(int index) const;
    QString ValueFromIndex(int index) const;
    QString Values(const QString &name) const;      // empty when absent
    void SetValue(const QString &name, const QString &value);  // empty value deletes the line

    // Lines joined with "\n" after each (the conventional text form); SetText splits on
    // "\r\n", "\n" or "\r".
    QString Text() const;
    void SetText(const QString &text);
    QString CommaText() const;
    void SetCommaText(const QString &text);
    QStringList ToStringList() const { return FLines; }
    void SetStringList(const QStringList &lines);

    void BeginUpdate();
    void EndUpdate();   // emits Changed() once when anything changed meanwhile

    void LoadFromFile(const QString &fileName);  // raises EFOpenError
    void SaveToFile(const QString &fileName) const;
    void LoadFromStream(TStream &stream);
    void SaveToStream(TStream &stream) const;

    void Assign(const TPersistent *Source) override;  // copies lines and objects from TStrings
    bool Equals(const TStrings &other) const;

    // Splits text at "\r\n", "\n" or "\r"; a trailing line break ends the last line.
    static QStringList SplitLines(const QString &text);

protected:
    void NotifyChanged();
    void CheckIndex(int index) const;  // raises EStringListError out of range
    // Inserts without the sorted-list check; the place is the caller's business.
    void InsertItem(int index, const QString &line, QObject *object);
    // True for lists that keep their lines sorted: positional edits (Insert, Put, Move,
    // Exchange) are refused there.
    virtual bool KeepsOrder() const { return false; }

    QStringList FLines;
    QList<QObject *> FObjects;

private:
    int FUpdateCount = 0;
    bool FChangedWhileUpdating = false;
};

class TStringList : public TStrings {
    Q_OBJECT
public:
    using TStrings::TStrings;

    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);               // sorting ignores case
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates value) { FDuplicates = value; }
    void Sort();

    int Add(const QString &line) override;    // keeps order when sorted; honours Duplicates
    int IndexOf(const QString &line) const override;
    // Binary search in a sorted list; true with the index when found, else the insert position.
    bool Find(const QString &line, int &index) const;

protected:
    bool KeepsOrder() const override { return FSorted; }

private:
    bool FSorted = false;
    TDuplicates FDuplicates = dupAccept;
};
