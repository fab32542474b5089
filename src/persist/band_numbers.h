#pragma once
// Band numbers: report records refer to bands by the band's BandNum (read and written by name),
// or by its Tag for a band class without one. 0 means no band, 9999 the report itself.
#include <QtGlobal>

class QObject;
class QWidget;
class TComponent;
class TRepBand;

TRepBand *AsBand(QObject *Object);
TRepBand *AsBand(TComponent *Component);

quint16 BandNumOf(const QObject *Band);
void SetBandNum(QObject *Band, quint16 Number);

// Gives every band of the form BandNum 1, 2, 3 ... in component order.
void NumberBands(TComponent *ReportForm);

// The number a record stores for a master: 0 none, 9999 the report, else the master band's number.
quint16 MasterNumber(const QWidget *Master);

// The first band of the form whose BandNum equals the number (as 16-bit values); null for 0 or
// when there is none.
TRepBand *GetBand(const TComponent *ReportForm, quint16 BandNum);
