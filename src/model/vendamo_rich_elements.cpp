#include "model/vendamo_rich_elements.h"

#include "model/text_substitution.h"

#include <QTextCursor>

// --- TVendamoRichtext ------------------------------------------------------------------------

TVendamoRichtext::TVendamoRichtext(TComponent *AOwner) : TRepRichText(AOwner), TElementDesign(this) {
    for (QObject *o : children())
        if (auto *edit = qobject_cast<TRepRichEdit *>(o)) {
            edit->setEnabled(false);
            break;
        }
}

template <class Step>
void TVendamoRichtext::WithSubstitutedText(Step step) {
    TRepRichEdit *edit = ActiveRichEdit();
    if (!edit) {
        step();
        return;
    }
    QByteArray saved;
    bool substituted = false;
    try {
        saved = edit->SaveToData();
        substituted = true;
        SubstituteRichText(*edit->document(), ParentReport());
    } catch (const std::exception &) {
        // The text prints as far as it was substituted.
    }
    // The text goes back also when printing fails.
    struct TRestore {
        TRepRichEdit *Edit;
        const QByteArray &Saved;
        bool Active;
        ~TRestore() {
            if (Active) Edit->LoadFromData(Saved);
        }
    } restore{edit, saved, substituted};
    step();
}

void TVendamoRichtext::PrepareContent() {
    WithSubstitutedText([this] { TRepRichText::PrepareContent(); });
}

void TVendamoRichtext::Paint() {
    TRepRichText::Paint();
    PaintElementFrames(true, true);
}

void TVendamoRichtext::LeaveEditing() {
    LeaveFormFocus();
    if (TRepRichEdit *edit = ParentRichEdit()) {
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(0);
        edit->setTextCursor(cursor);
    }
}

void TVendamoRichtext::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    LeaveEditing();
    ForwardMouseDown(Button, Shift, X, Y);
}
void TVendamoRichtext::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    LeaveEditing();
    ForwardMouseUp(Button, Shift, X, Y);
}
void TVendamoRichtext::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) {
    LeaveEditing();
    ForwardMouseMove(Shift, X, Y);
}

void TVendamoRichtext::Notification(TComponent *AComponent, TOperation Operation) {
    TRepRichText::Notification(AComponent, Operation);
    ElementDesignNotification(AComponent, Operation);
}

// --- TVendamoDBRichtext ----------------------------------------------------------------------

TVendamoDBRichtext::TVendamoDBRichtext(TComponent *AOwner) : TRepDBRichText(AOwner), TElementDesign(this) {}

void TVendamoDBRichtext::Paint() {
    TRepDBRichText::Paint();
    PaintElementFrames(false, true);
}

void TVendamoDBRichtext::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    LeaveFormFocus();
    ForwardMouseDown(Button, Shift, X, Y);
}
void TVendamoDBRichtext::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    LeaveFormFocus();
    ForwardMouseUp(Button, Shift, X, Y);
}
void TVendamoDBRichtext::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) {
    LeaveFormFocus();
    ForwardMouseMove(Shift, X, Y);
}

void TVendamoDBRichtext::Notification(TComponent *AComponent, TOperation Operation) {
    TRepDBRichText::Notification(AComponent, Operation);
    ElementDesignNotification(AComponent, Operation);
}
