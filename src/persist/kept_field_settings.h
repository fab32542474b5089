#pragma once
// Display settings of data fields (kind-10 records) that a load could not apply: the dataset did
// not open (no database reachable) or has no field of that name. They stay with the dataset and
// the next save writes them back unchanged, so that opening and saving a report without its
// database loses none of them.
#include "persist/field_definitions.h"

#include <QList>

class TDataSet;

// Keeps, with its dataset, every entry of the list whose dataset has no field of its name.
void KeepUnappliedFieldSettings(const TFieldPropList &List);

// The kept settings of the dataset for which it still has no field, in the order read.
QList<TFieldPropClass> UnappliedFieldSettings(const TDataSet *Dataset);
