// Cut, copy and paste of elements and bands. The process-wide clipboard stream holds the last
// copied selection as an element stream, so one copy pastes any number of times into any
// designer of the process. Copying also puts the stream on the system clipboard, so that a
// designer in another process can paste it; within one process the stream itself is used.
#include "design/designer.h"

#include "design/stretch_handle.h"

#include "dblib/data_source.h"
#include "dblib/dataset.h"
#include "dblib/field.h"
#include "host/component_stream.h"
#include "host/exceptions.h"
#include "host/interaction.h"
#include "host/property_access.h"
#include "host/stream.h"
#include "model/design_report.h"
#include "model/lookup_helpers.h"
#include "model/report_constants.h"
#include "model/vendamo_text_elements.h"
#include "persist/datasource_numbers.h"
#include "persist/element_streams.h"
#include "reportlib/rep_band.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>

namespace {

// The system clipboard formats: the element stream preceded by the bands byte, and the process
// that put it there.
const QString ElementsMimeType = QStringLiteral("application/x-vendamo-elements");
const QString ProcessMimeType = QStringLiteral("application/x-vendamo-process");
// Temporary names of pasted components while their datasets are fixed up.
const QString PasteNamePrefix = QStringLiteral("_X_X_");

struct TClipboardState {
    TMemoryStream Stream;
    // Whether the copied selection is bands; kept with the stream, so that a designer pasting
    // what another designer of the process copied puts bands on its report, not into a band.
    bool HoldsBands = false;
    // Whether the system clipboard changed after the stream was last written here: only then
    // may elements another process put there replace the stream.
    bool SystemNewer = true;
    bool Watching = false;
};

TClipboardState &Clipboard() {
    static TClipboardState state;
    return state;
}

QByteArray ProcessMark() { return QByteArray::number(QCoreApplication::applicationPid()); }

QClipboard *SystemClipboard() {
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) return nullptr;
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!Clipboard().Watching) {
        Clipboard().Watching = true;
        QObject::connect(clipboard, &QClipboard::dataChanged, [] { Clipboard().SystemNewer = true; });
    }
    return clipboard;
}

// The stream was written here: it is newer than whatever the system clipboard holds.
void StreamWritten() {
    SystemClipboard();
    Clipboard().SystemNewer = false;
}

void PublishToSystemClipboard() {
    QClipboard *clipboard = SystemClipboard();
    if (!clipboard) return;
    auto *data = new QMimeData;
    data->setData(ElementsMimeType, QByteArray(1, Clipboard().HoldsBands ? 1 : 0) + Clipboard().Stream.Data());
    data->setData(ProcessMimeType, ProcessMark());
    clipboard->setMimeData(data);
    Clipboard().SystemNewer = false;
}

// Takes elements another process put on the system clipboard into the process clipboard.
void AdoptSystemClipboard() {
    QClipboard *clipboard = SystemClipboard();
    if (!clipboard || !Clipboard().SystemNewer) return;
    Clipboard().SystemNewer = false;
    const QMimeData *data = clipboard->mimeData();
    if (!data || !data->hasFormat(ElementsMimeType) || data->data(ProcessMimeType) == ProcessMark()) return;
    const QByteArray bytes = data->data(ElementsMimeType);
    if (bytes.isEmpty()) return;
    Clipboard().HoldsBands = bytes.at(0) != 0;
    Clipboard().Stream.Clear();
    Clipboard().Stream.WriteBuffer(bytes.constData() + 1, bytes.size() - 1);
}

}  // namespace

TMemoryStream &VDMClipboard() { return Clipboard().Stream; }

bool TVDMDesigner::ClipboardHasBands() { return Clipboard().HoldsBands; }

void TVDMDesigner::CopyToVDMClipboard() {
    FLastCopySucceeded = false;
    if (!FHandle || !FHandle->IsAttached()) return;
    bool doCopy = true;
    if (FOnBeforeCopyToClipboard.Assigned()) {
        // The host gets the selection list itself and may change it.
        FOnBeforeCopyToClipboard.Invoke<QList<QWidget *> *, bool &>(FHandle->SelectionList(), doCopy);
        FHandle->SelectionListChanged();
    }
    const QList<QWidget *> selection = FHandle->Children();
    if (!doCopy || selection.isEmpty()) return;
    if (TMenuItem *paste = FMenuItems->PasteFromClipboard()) paste->setEnabled(true);
    if (TSpeedButton *paste = FSpeedButtons->PasteFromClipboard())
        SetBooleanProperty(paste, QStringLiteral("Enabled"), true);
    Clipboard().Stream.Clear();
    Clipboard().HoldsBands = qobject_cast<TRepBand *>(selection.first()) != nullptr;
    FLastCopySucceeded = CopyElementsToStream(this, selection, Clipboard().Stream);
    StreamWritten();
    PublishToSystemClipboard();
}

void TVDMDesigner::CutToVDMClipboard() {
    // Deleting what did not reach the clipboard would lose it.
    CopyToVDMClipboard();
    if (FLastCopySucceeded) DeleteSelectedElements();
}

void TVDMDesigner::ReaderSetName(TComponent *, QString &Name) {
    TComponent *form = Owner();
    if (!form) return;
    if (DatabaseOwner()) {
        const QString temporary = PasteNamePrefix + QString::number(form->ComponentCount());
        FPasteNames.insert(temporary, Name);
        Name = temporary;
    } else if (!Name.isEmpty() && form->FindComponent(Name)) {
        // A copy gets a name of its own, so that lists and saved files can tell it apart.
        Name = FindUniqueComponentName(form, Name, false);
    }
}

void TVDMDesigner::ComponentRead(TComponent *Component) {
    auto *control = qobject_cast<QWidget *>(Component->Object());
    if (!control) return;
    const QWidget *parent = control->parentWidget();
    int top = control->y() + 8, left = control->x() + 8;
    if (parent && top > parent->height()) top = parent->height() - 8;
    if (parent && left > parent->width()) left = parent->width() - 8;
    if (auto *rc = qobject_cast<TRepControl *>(control))
        rc->SetBounds(left, top, control->width(), control->height());
    else
        control->move(left, top);
    FPasted.append(control);
}

void TVDMDesigner::PasteFromVDMClipboard() {
    TComponent *form = Owner();
    if (!form || !Report() || !FHandle) return;
    AdoptSystemClipboard();
    TMemoryStream &stream = Clipboard().Stream;
    if (stream.Size() == 0) return;  // nothing copied yet
    stream.SetPosition(0);
    QWidget *target = Report();
    QWidget *first = GetSelectedElement();
    if (!Clipboard().HoldsBands && first)
        target = qobject_cast<TRepBand *>(first) ? first : first->parentWidget();
    if (Clipboard().HoldsBands || first) FHandle->DetachWithoutEvents();
    // One undo step, though moving the paste into its parent changes the report again.
    TDesignCommand command(this);
    SetHasChanged(true);

    FPasted.clear();
    FPasteNames.clear();
    TComponentReader reader(stream, form, target);
    reader.OnSetName = [this](TComponent *c, QString &name) { ReaderSetName(c, name); };
    try {
        reader.ReadComponents([this](TComponent *c) { ComponentRead(c); });
    } catch (const Exception &e) {
        // The reader has freed what it created: the report is as it was.
        FPasted.clear();
        Interaction().ShowError(QStringLiteral("The clipboard does not hold elements that can be pasted: ") +
                                e.Message());
        return;
    }
    if (TComponent *owner = DatabaseOwner()) {
        for (TComponent *c : form->Components()) {
            if (!c->Name().startsWith(PasteNamePrefix)) continue;
            QObject *o = c->Object();
            if (PropertyExists(o, QStringLiteral("DataSet")) && !GetPointerProperty(o, QStringLiteral("DataSet")))
                RestoreDatasetReference(o, owner);
            if (PropertyExists(o, ElementProperty::Tag)) SetIntegerProperty(o, ElementProperty::Tag, 0);
            const QString original = FPasteNames.value(c->Name());
            c->SetName(QString());
            if (!original.isEmpty())
                c->SetName(form->FindComponent(original) ? FindUniqueComponentName(form, original, false) : original);
        }
    }
    for (QWidget *control : std::as_const(FPasted)) {
        if (PropertyExists(control, ElementProperty::GroupID)) SetIntegerProperty(control, ElementProperty::GroupID, 0);
        FHandle->Attach(control);
        if (auto *text = qobject_cast<TVendamoDBText *>(control)) {
            const TField *field = text->DataSet() ? text->DataSet()->FindField(text->DataField()) : nullptr;
            text->SetCaption(field ? field->DisplayLabel() : text->DataField());
        } else if (auto *label = qobject_cast<TVendamoLabel *>(control)) {
            label->SetCaption(label->Caption());
        }
    }
    FPasted.clear();
    // A paste that sticks out of its parent is moved in as a whole, locks and all.
    if (FHandle->IsAttached() && FHandle->parentWidget()) {
        const QWidget *parent = FHandle->parentWidget();
        if (FHandle->y() + FHandle->height() > parent->height())
            FHandle->SetBounds(FHandle->x(), 5, FHandle->width(), FHandle->height());
        if (FHandle->x() + FHandle->width() > parent->width())
            FHandle->SetBounds(5, FHandle->y(), FHandle->width(), FHandle->height());
    }
}

bool ReadElementsFromFile(TVDMDesigner *Designer, const QString &FileName) {
    bool holdsBands = false;
    if (!ReadElementsFromFile(FileName, Clipboard().Stream, holdsBands)) return false;
    Clipboard().HoldsBands = holdsBands;
    StreamWritten();
    if (!Designer) return true;
    Designer->PasteFromVDMClipboard();
    Designer->GroupSelectedElements();
    return true;
}
