#pragma once
// The calculated-field formula language offered to applications: an application calls
// ParseVDMCalcField from its calculated-fields handler and assigns the text it returns.
//
// Formulas are evaluated by splitting the text, not by a grammar: every intermediate value is a
// text, "+" joins texts outside CALC(...), arithmetic inside CALC(...) has no precedence (the
// leftmost operator splits first, so 2*3+4 is 14), COPY(text,start,count) cuts texts, and
// operands are quoted texts, Field or Dataset.Field references.
#include "host/exceptions.h"

#include <QString>

class TComponent;
class TDataSet;

// Arithmetic failures of a formula (division by zero, overflow) reach the caller as this.
VENDAMO_EXCEPTION(EMathError, Exception)

// Owner: whose owned datasets "Dataset.Field" names; DataSet: whose fields bare names mean.
// Result: the value; "ERROR" for a malformed COPY(, "DBERROR" in place of an unreadable field.
// Raises EMathError for a division by zero and EConvertError for arithmetic on a text that is
// not a number.
void ParseVDMCalcField(TComponent *Owner, TDataSet *DataSet, const QString &Formula, QString &Result);
