#include "env/enhanced_listbox.h"

#include <QStringList>

TEnhancedListbox::TEnhancedListbox(TComponent *AOwner) : TListBox(AOwner) {
    connect(this, &QListWidget::currentRowChanged, this, [this] { Click(); });
}

TEnhancedListbox::~TEnhancedListbox() { StopSignals(); }

void TEnhancedListbox::Change() {
    FLastIndex = currentRow();
    Notify(FOnChange);
}

void TEnhancedListbox::Click() {
    if (currentRow() != FLastIndex) Change();
}

// Entries are moved on the widget itself (Items follows it): refilling Items would drop the
// selection of the other entries.
void TEnhancedListbox::InsertSelected(int Index, const QString &Text) {
    insertItem(Index, Text);
    item(Index)->setSelected(true);
}

void TEnhancedListbox::MoveItems(int Index) {
    QStringList taken;  // bottom-up
    for (int i = count() - 1; i >= 0; --i)
        if (Selected(i)) {
            QListWidgetItem *entry = takeItem(i);
            taken.append(entry->text());
            delete entry;
        }
    Index = qBound(0, Index, count());
    for (const QString &text : taken) InsertSelected(Index, text);
}

void TEnhancedListbox::MoveItemsRelative(int Delta) {
    if (Delta < 0) {
        for (int i = 0; i < count(); ++i) {
            if (!Selected(i)) continue;
            if (i + Delta < 0) return;
            InsertSelected(i + Delta, item(i)->text());
            delete takeItem(i + 1);
        }
    } else if (Delta > 0) {
        for (int i = count() - 1; i >= 0; --i) {
            if (!Selected(i)) continue;
            if (i + 1 + Delta > count()) return;
            InsertSelected(i + 1 + Delta, item(i)->text());
            delete takeItem(i);
        }
    }
}

void TEnhancedListbox::CopyFromListbox(TListBox *Source, int Index) {
    if (!Source || Source == this) return;
    if (Index < 0 || Index > count()) Index = count();
    for (int i = 0; i < Source->count(); ++i)
        if (Source->Selected(i)) InsertSelected(Index++, Source->item(i)->text());
}

void TEnhancedListbox::MoveFromListbox(TListBox *Source, int Index) {
    if (!Source || Source == this) return;
    CopyFromListbox(Source, Index);
    for (int i = Source->count() - 1; i >= 0; --i)
        if (Source->Selected(i)) delete Source->takeItem(i);
}
