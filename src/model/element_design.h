#pragma once
// What the ten designable printable classes add to the report library's elements, kept in one
// place: the common element properties, the link to the form's designer (which receives the
// element's mouse events, whatever its block flags), and the design-time frames. Each element
// class mixes this in next to its report library base and publishes what it carries.
#include "host/component.h"

#include <Qt>

class QObject;
class TRepPrintable;
class TVDMLoader;

class TElementDesign {
public:
    explicit TElementDesign(TRepPrintable *self);
    TElementDesign(const TElementDesign &) = delete;
    TElementDesign &operator=(const TElementDesign &) = delete;

    // Elements on one parent with the same non-zero GroupID are selected together.
    qint32 GroupID() const { return FGroupID; }
    void SetGroupID(qint32 value) { FGroupID = value; }

    // The loader or designer of the element's form (not owned).
    TVDMLoader *Vendamoer() const { return FVendamoer; }
    void SetVendamoer(TVDMLoader *value);

    bool BlockDelete() const { return FBlockDelete; }
    void SetBlockDelete(bool value) { FBlockDelete = value; }
    bool BlockMove() const { return FBlockMove; }
    void SetBlockMove(bool value) { FBlockMove = value; }
    bool BlockResize() const { return FBlockResize; }
    void SetBlockResize(bool value) { FBlockResize = value; }
    bool BlockEdit() const { return FBlockEdit; }
    void SetBlockEdit(bool value) { FBlockEdit = value; }
    bool BlockChange() const { return FBlockChange; }
    void SetBlockChange(bool value) { FBlockChange = value; }
    // In the designer: the element grows with its band, or keeps its distance to the band's
    // bottom edge.
    bool StretchHeightWithBand() const { return FStretchHeightWithBand; }
    void SetStretchHeightWithBand(bool value) { FStretchHeightWithBand = value; }
    bool FixBottomPosition() const { return FFixBottomPosition; }
    void SetFixBottomPosition(bool value) { FFixBottomPosition = value; }

protected:
    // The designer when the form's loader is one, else null.
    QObject *Designer() const;
    // After the report library's painting: the element's frame (DrawFrame) and its outline
    // in the designer's colours (ShowComponentFrame).
    void PaintElementFrames(bool drawFrame, bool componentFrame);
    void ForwardMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void ForwardMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void ForwardMouseMove(Qt::KeyboardModifiers Shift, int X, int Y);
    // Takes the keyboard focus of the owner form away from the element, so that text elements
    // do not start editing when clicked in the designer.
    void LeaveFormFocus();
    // Keeps Vendamoer valid: cleared when it goes, filled by a designer that arrives.
    void ElementDesignNotification(TComponent *AComponent, TOperation Operation);

private:
    TRepPrintable *FSelf;
    qint32 FGroupID = 0;
    TVDMLoader *FVendamoer = nullptr;
    bool FBlockDelete = false;
    bool FBlockMove = false;
    bool FBlockResize = false;
    bool FBlockEdit = false;
    bool FBlockChange = false;
    bool FStretchHeightWithBand = false;
    bool FFixBottomPosition = false;
};
