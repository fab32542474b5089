#pragma once
// A report form with the real designer: form, design report, designer (which creates the
// selection handle), and builders for bands and labels in pixels.
#include "design/designer.h"
#include "design/stretch_handle.h"

#include "host/forms.h"
#include "host/method.h"
#include "model/design_report.h"
#include "model/vendamo_bands.h"
#include "model/vendamo_text_elements.h"

#include <QStringList>
#include <functional>
#include <memory>

class TQuery;

struct TDesignForm {
    TDesignForm();
    ~TDesignForm();

    TVendamoBand *AddBand(const QString &name, int heightPixels = 100);
    // A label on a band, placed and sized in pixels.
    TVendamoLabel *AddLabel(const QString &name, QWidget *band, int left, int top, int width, int height);
    // A query with a data source and persistent string fields (name or name=display label),
    // usable for data elements without a database.
    TQuery *AddDataSet(const QString &name, const QStringList &fields);
    // Shows the form so that real mouse input reaches its widgets.
    void Show();

    std::unique_ptr<TForm> Form;
    TDesignReport *Report;
    TVDMDesigner *Designer;
    TStretch_Handle *Handle;
};

// An event handler from a lambda, e.g. Handler<TVDMDesigner *, int>([&](TVDMDesigner *, int n) {...}).
template <class... Args, class F>
TMethod Handler(F f) {
    static const char tag = 0;
    return TMethod::FromFunction<Args...>(std::function<void(Args...)>(std::move(f)), &tag);
}

// A left-button drag with real mouse input: move to from, press, move to to, release.
void Drag(QWidget *w, QPoint from, QPoint to, Qt::KeyboardModifiers mods = Qt::NoModifier);
// A left click at a point of w.
void Click(QWidget *w, QPoint at, Qt::KeyboardModifiers mods = Qt::NoModifier,
           Qt::MouseButton button = Qt::LeftButton);
// A left double click followed by its release.
void DoubleClick(QWidget *w, QPoint at);
