#pragma once
// A report form as an application holds one (the print form): the form, its design report and
// the loader bound to it, with helpers that place bands and elements in millimetres.
#include "dialogs/report_print_form.h"
#include "host/forms.h"
#include "model/design_report.h"
#include "model/loader.h"
#include "model/vendamo_bands.h"

#include <QMap>
#include <memory>

struct TBenchReportForm {
    TBenchReportForm();
    ~TBenchReportForm();

    TVendamoBand *AddBand(TRepBand::TRepBandType type, double heightMM);
    // Creates an element owned by the form on a band, at x, y with width w and height h (mm).
    template <class T>
    T *Add(TRepBand *band, double x, double y, double w, double h) {
        auto *e = new T(Form.get());
        e->SetName(NextName(T::staticMetaObject.className()));
        e->SetParent(band);
        e->SetSizeMM(1, x);
        e->SetSizeMM(2, y);
        e->SetSizeMM(3, w);
        e->SetSizeMM(0, h);
        return e;
    }
    // A unique component name made of a class name and a running number.
    QString NextName(const char *className);
    // Names every component of the form that has no name yet.
    void NameComponents();

    // How many bands and elements of each class the form owns, by class name.
    QMap<QString, int> ClassCounts() const;
    // The bands and the printable elements on the form.
    int BandCount() const;
    int ElementCount() const;

    std::unique_ptr<TReportPrintForm> Form;
    TDesignReport *Report;
    TVDMLoader *Loader;

private:
    int FNames = 0;
};
