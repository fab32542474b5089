#pragma once
// Filter texts in the conventional form: comparisons of fields with values joined by AND, OR,
// NOT and parentheses, for instance  Country = 'Spain' and (Amount > 1000 or Paid = null).
// Field names may be written bare or in [brackets]; values are quoted texts ('...' or "..."),
// numbers, TRUE/FALSE or NULL. Without foNoPartialCompare a "*" in a compared text matches
// any characters (Name = 'Sm*' finds Smith); foCaseInsensitive compares texts without regard
// to case.
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

class TDataSet;
class TField;

class TFilterExpression {
public:
    // Parses the text and resolves its fields in the dataset; raises EDatabaseError naming the
    // filter for a syntax error or an unknown field.
    TFilterExpression(const QString &text, const TDataSet *dataSet, int options);
    ~TFilterExpression();

    // Whether the record whose field values the callback gives matches.
    bool Evaluate(const std::function<QVariant(const TField *)> &valueOf) const;

    struct Node;

private:
    std::unique_ptr<Node> FRoot;
    int FOptions;
};
