#pragma once
// The designable rich-text elements. A rich text substitutes the expressions embedded in its
// text as it prints (as memos do); a data rich text prints its field as it is.
#include "model/element_design.h"
#include "model/loader.h"

#include "reportlib/rep_richtext.h"

class TVendamoRichtext : public TRepRichText, public TElementDesign {
    Q_OBJECT
    Q_PROPERTY(qint32 GroupID READ GroupID WRITE SetGroupID)
    Q_PROPERTY(TVDMLoader *Vendamoer READ Vendamoer WRITE SetVendamoer)
    Q_PROPERTY(bool BlockDelete READ BlockDelete WRITE SetBlockDelete)
    Q_PROPERTY(bool BlockMove READ BlockMove WRITE SetBlockMove)
    Q_PROPERTY(bool BlockResize READ BlockResize WRITE SetBlockResize)
    Q_PROPERTY(bool BlockEdit READ BlockEdit WRITE SetBlockEdit)
    Q_PROPERTY(bool BlockChange READ BlockChange WRITE SetBlockChange)
    Q_PROPERTY(bool StretchHeightWithBand READ StretchHeightWithBand WRITE SetStretchHeightWithBand)
    Q_PROPERTY(bool FixBottomPosition READ FixBottomPosition WRITE SetFixBottomPosition)
public:
    // The element's own rich edit is switched off: it is never edited in place.
    Q_INVOKABLE explicit TVendamoRichtext(TComponent *AOwner = nullptr);

    // Lays out the text with its expressions substituted and "%DEL" lines left out, which
    // both measures it and is what prints (each expression is evaluated once per print); the
    // rich edit's text is put back afterwards. Errors of the substitution are ignored.
    void PrepareContent() override;
    void Paint() override;
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) override;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;

private:
    // Runs a step with the printing rich edit's text substituted, restoring it afterwards.
    template <class Step>
    void WithSubstitutedText(Step step);
    // Before forwarding a mouse event: no keyboard focus, cursor of a linked edit to the start.
    void LeaveEditing();
};

class TVendamoDBRichtext : public TRepDBRichText, public TElementDesign {
    Q_OBJECT
    Q_PROPERTY(qint32 GroupID READ GroupID WRITE SetGroupID)
    Q_PROPERTY(TVDMLoader *Vendamoer READ Vendamoer WRITE SetVendamoer)
    Q_PROPERTY(bool BlockDelete READ BlockDelete WRITE SetBlockDelete)
    Q_PROPERTY(bool BlockMove READ BlockMove WRITE SetBlockMove)
    Q_PROPERTY(bool BlockResize READ BlockResize WRITE SetBlockResize)
    Q_PROPERTY(bool BlockEdit READ BlockEdit WRITE SetBlockEdit)
    Q_PROPERTY(bool BlockChange READ BlockChange WRITE SetBlockChange)
    Q_PROPERTY(bool StretchHeightWithBand READ StretchHeightWithBand WRITE SetStretchHeightWithBand)
    Q_PROPERTY(bool FixBottomPosition READ FixBottomPosition WRITE SetFixBottomPosition)
public:
    Q_INVOKABLE explicit TVendamoDBRichtext(TComponent *AOwner = nullptr);

    void Paint() override;
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) override;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;
};
