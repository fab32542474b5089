#pragma once
// Band records (kind 101): the band block, Name, font, Hint, and for group and sub-detail bands a
// sub-record. Bands refer to other bands by number; the reader keeps those references until every
// band is read.
#include "persist/stored_names.h"

#include <QList>
#include <QPointer>
#include <QtGlobal>

class QObject;
class QWidget;
class TComponent;
class TRepBand;
class TStream;
class TVDMLoader;

void WriteBandRecord(TStream &Stream, TRepBand *Band, TComponent *ReportForm);

// A band reference read from a file, resolved once all bands are there.
struct TempLinkClass {
    QPointer<QObject> Element;
    quint16 BandNum = 0;
};

struct TPendingBandLinks {
    QList<TempLinkClass> LinkBands, HeaderBands, FooterBands, Masters, ParentBands;
    // Resolves the lists in the order link bands, header bands, footer bands, parent bands,
    // masters; 9999 as a master is the report. A number without a band is left unresolved.
    void Resolve(const TComponent *ReportForm, QWidget *Report);
};

struct TBandReadContext {
    TComponent *ReportForm = nullptr;
    QWidget *Report = nullptr;
    TVDMLoader *Loader = nullptr;
    TPendingBandLinks *Links = nullptr;
    // When given, each band read is hidden and listed here, for the caller to show once the
    // elements are in (see the report reader).
    QList<QPointer<QWidget>> *HiddenBands = nullptr;
    TStoredNameNumbers *Names = nullptr;
};

// Reads a band record whose kind and size words have been read. A record that marks a band class
// of its own with a type other than group (5), sub-detail (7) or child (10) is refused with
// EReportFileError.
void ReadBandRecord(TStream &Stream, quint16 Size, const TBandReadContext &Context);
