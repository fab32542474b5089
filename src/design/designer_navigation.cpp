// Tab navigation on the design surface. Within a band (or the report) elements follow reading
// order: by top, then left; after the last element of a band comes the next band below, and
// after the lowest band the topmost again. Bands whose BlockSelection is set are never reached.
#include "design/designer.h"

#include "design/stretch_handle.h"

#include "host/property_access.h"
#include "model/design_report.h"
#include "model/report_constants.h"
#include "reportlib/rep_band.h"

#include <tuple>

namespace {

// Positions at or beyond this distance from the top are outside every search.
constexpr int Sentinel = 30000;

// Reading-order key of a control; the child index orders controls at the same spot.
using TReadingKey = std::tuple<int, int, int>;

TReadingKey KeyOf(const QWidget *w) {
    const QWidget *parent = w->parentWidget();
    return {w->y(), w->x(), parent ? int(parent->children().indexOf(const_cast<QWidget *>(w))) : 0};
}

QList<QWidget *> ElementsOf(const QWidget *Parent) {
    QList<QWidget *> list;
    if (!Parent) return list;
    for (QObject *o : Parent->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (w && !qobject_cast<TStretch_Handle *>(w) && !qobject_cast<TRepBand *>(w) &&
            PropertyExists(w, ElementProperty::BlockDelete))
            list.append(w);
    }
    return list;
}

// The element after (Forward) or before From in reading order; with no From the first (last).
QWidget *Neighbour(const QWidget *Parent, const QWidget *From, bool Forward) {
    QWidget *best = nullptr;
    TReadingKey bestKey = Forward ? TReadingKey{Sentinel, 0, 0} : TReadingKey{-Sentinel, 0, 0};
    for (QWidget *w : ElementsOf(Parent)) {
        if (w == From) continue;
        const TReadingKey key = KeyOf(w);
        if (Forward ? key >= bestKey : key <= bestKey) continue;
        if (From && (Forward ? key <= KeyOf(From) : key >= KeyOf(From))) continue;
        best = w;
        bestKey = key;
    }
    return best;
}

bool SelectionBlocked(const QWidget *Band) {
    return PropertyExists(Band, ElementProperty::BlockSelection) && GetBooleanProperty(Band, ElementProperty::BlockSelection);
}

}  // namespace

QList<QWidget *> TVDMDesigner::SelectableBands() const {
    QList<QWidget *> bands;
    if (!Owner()) return bands;
    for (TComponent *c : Owner()->Components()) {
        auto *band = dynamic_cast<TRepBand *>(c);
        if (band && !SelectionBlocked(band)) bands.append(band);
    }
    return bands;
}

namespace {

// The band below Current (Forward) or above it, wrapping around; Current when none qualifies.
QWidget *NextBand(const QList<QWidget *> &Bands, QWidget *Current, bool Forward) {
    QWidget *next = nullptr, *wrap = nullptr;
    for (QWidget *b : Bands) {
        if (b == Current) continue;
        const bool beyond = Forward ? b->y() > Current->y() : b->y() < Current->y();
        if (beyond && (!next || (Forward ? b->y() < next->y() : b->y() > next->y()))) next = b;
        if (!wrap || (Forward ? b->y() < wrap->y() : b->y() > wrap->y())) wrap = b;
    }
    if (next) return next;
    return wrap ? wrap : Current;
}

}  // namespace

void TVDMDesigner::SelectBand(QWidget *Band, bool LastElement) {
    if (!FHandle || !Band) return;
    QWidget *element = LastElement ? Neighbour(Band, nullptr, false) : nullptr;
    FHandle->Attach(element ? element : Band);
}

void TVDMDesigner::SelectNextElement() {
    QWidget *current = GetSelectedElement();
    if (!current || !PropertyExists(current, ElementProperty::BlockDelete)) return;
    FHandle->DetachWithoutEvents();
    if (qobject_cast<TRepBand *>(current)) {
        if (QWidget *first = Neighbour(current, nullptr, true))
            FHandle->Attach(first);
        else
            SelectBand(NextBand(SelectableBands(), current, true), false);
        return;
    }
    QWidget *parent = current->parentWidget();
    if (QWidget *next = Neighbour(parent, current, true))
        FHandle->Attach(next);
    else if (qobject_cast<TRepBand *>(parent))
        SelectBand(NextBand(SelectableBands(), parent, true), false);
    else
        FHandle->Attach(current);
}

void TVDMDesigner::SelectPreviousElement() {
    QWidget *current = GetSelectedElement();
    if (!current || !PropertyExists(current, ElementProperty::BlockDelete)) return;
    FHandle->DetachWithoutEvents();
    if (qobject_cast<TRepBand *>(current)) {
        SelectBand(NextBand(SelectableBands(), current, false), true);
        return;
    }
    QWidget *parent = current->parentWidget();
    if (QWidget *previous = Neighbour(parent, current, false))
        FHandle->Attach(previous);
    else if (qobject_cast<TRepBand *>(parent))
        FHandle->Attach(parent);
    else
        FHandle->Attach(current);
}
