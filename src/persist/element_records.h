#pragma once
// Element records: one per printable element, kind by class (label 0, expression 2, system data
// 3, shape 4, image 5, data image 6, memo 7, data text 9, rich text 55, data rich text 56). A
// record is the header (kind, size of the element block), the common block, the font block for
// the kinds with a font, the element block and the kind's strings and data.
#include "persist/stored_names.h"

#include <QString>
#include <QtGlobal>

class QWidget;
class TComponent;
class TRepControl;
class TStream;
class TVDMLoader;

// What the writer needs besides the element.
struct TElementWriteContext {
    TComponent *ReportForm = nullptr;
    // Embeds image elements' pictures (the designer's SaveImagesInReportfile).
    bool EmbedImages = false;
};

// The record kind of an element by the class tests in their fixed order (data text, expression,
// rich text, data rich text, shape, system data, image, data image, label, memo); -1 for a
// control that is none of these.
int ElementRecordKind(const QObject *Element);
bool IsElementRecordKind(quint16 Kind);
// The registered class the reader creates for a kind.
QString ElementClassName(quint16 Kind);

// Writes the element's record; false (nothing written) for a control of no known kind.
bool WriteElementRecord(TStream &Stream, TRepControl *Element, const TElementWriteContext &Context);

// What the reader needs besides the stream.
struct TElementReadContext {
    TComponent *ReportForm = nullptr;
    QWidget *Report = nullptr;  // default parent and the master 9999 stands for
    TVDMLoader *Loader = nullptr;
    // Set to true when an image record carries its picture (when given).
    bool *EmbeddedPictures = nullptr;
    TStoredNameNumbers *Names = nullptr;
};

// Reads one element record whose kind and size words have been read; creates the element owned
// by the report form. An image whose picture file is not found is reported ("Image not found")
// and dropped. Raises EReportFileError and other errors on a damaged record; the element
// created so far is freed then.
void ReadElementRecord(TStream &Stream, quint16 Kind, quint16 Size, const TElementReadContext &Context);
