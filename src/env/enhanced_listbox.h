#pragma once
// A list box with a change event that fires once per change of the current entry, and moves
// of the selected entries within the list and between two lists (the field and query dialogs
// use them).
#include "host/list_controls.h"

class TEnhancedListbox : public TListBox {
    Q_OBJECT
    Q_PROPERTY(TMethod OnChange READ OnChange WRITE SetOnChange)
public:
    Q_INVOKABLE explicit TEnhancedListbox(TComponent *AOwner = nullptr);
    ~TEnhancedListbox() override;

    TMethod OnChange() const { return FOnChange; }
    void SetOnChange(const TMethod &value) { FOnChange = value; }

    // Remembers the current entry and calls OnChange.
    void Change();
    // After a click or key: Change when the current entry differs from the last one.
    void Click();

    void MoveUp() { MoveItemsRelative(-1); }
    void MoveDown() { MoveItemsRelative(1); }
    // Moves every selected entry, in their order, to Index (counted after taking them out);
    // they end selected there.
    void MoveItems(int Index);
    // Moves each selected entry by Delta places; nothing moves past either end.
    void MoveItemsRelative(int Delta);
    // Inserts copies of Source's selected entries at Index (-1: after the last entry).
    void CopyFromListbox(TListBox *Source, int Index);
    // As CopyFromListbox, then deletes the copied entries from Source.
    void MoveFromListbox(TListBox *Source, int Index);

private:
    void InsertSelected(int Index, const QString &Text);

    int FLastIndex = -1;
    TMethod FOnChange;
};
