#pragma once
// Element streams: the designer's clipboard and element files hold selections of bands and
// elements as component images of the host library's component streaming (class, name,
// published properties, and for a band its elements), not as report file records.
//
// A dataset reference cannot travel by name when the dataset belongs to the DatabaseOwner
// rather than the report form; such a control carries the number of the dataset's data source
// within the DatabaseOwner in its Tag instead, and gets its dataset back from it when pasted.
#include <QList>
#include <QString>

class QObject;
class QWidget;
class TComponent;
class TMemoryStream;
class TStream;
class TVDMLoader;

// Writes the element stream of the selected controls of Designer's form: those that share the
// parent of the first selected one, in the order of that parent's controls. Nothing selected
// writes nothing. False when writing failed (what was written stays in the stream).
bool CopyElementsToStream(TVDMLoader *Designer, const QList<QWidget *> &Selection, TStream &Stream);

// Element file: the word ElementFileID, a zero byte, 1 when the first selected control is a band
// (else 0), then the element stream. Raises the stream error when the file cannot be created.
bool SaveElementsToFile(TVDMLoader *Designer, const QList<QWidget *> &Selection, const QString &FileName);

// Reads an element file into the clipboard stream (replacing its content) and tells whether it
// holds bands; the designer then pastes the clipboard and groups what it pasted. False, with the
// clipboard unchanged, for a file that is not an element file. Raises the stream error when the
// file cannot be opened.
bool ReadElementsFromFile(const QString &FileName, TMemoryStream &Clipboard, bool &ClipboardHasBands);

// A control's dataset reference as it travels: with a DatabaseOwner holding the control's
// dataset, its Tag becomes the number of the dataset's data source there and its dataset is
// cleared; otherwise its Tag becomes 0.
void PrepareDatasetReference(QObject *Control, TComponent *DatabaseOwner);
// Back from the Tag: with a DatabaseOwner and a Tag not 0, the dataset of that data source.
void RestoreDatasetReference(QObject *Control, TComponent *DatabaseOwner);
