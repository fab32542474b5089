#pragma once
// A report form as the designer and the print form hold it: a form owning a loader (or the
// designer stand-in) and a design report, with builders for the designable bands and elements,
// and report runs to PDF with the print-time handlers of bands and data texts installed as a
// print run installs them.
#include "recording_designer.h"
#include "report_fixture.h"

#include "model/design_report.h"
#include "model/loader.h"
#include "model/vendamo_bands.h"

#include "test_paths.h"

#include "host/forms.h"

#include <memory>

class TModelFixture {
public:
    // With designer true the form's loader is the designer stand-in.
    explicit TModelFixture(bool designer = false);
    ~TModelFixture();

    TForm *Form() const { return FForm.get(); }
    TVDMLoader *Loader() const { return FLoader; }
    TDesignReport *Report() const { return FReport; }
    QString Path(const QString &name) const { return FDir.Path(name); }

    template <class B>
    B *AddBand(double heightMM) {
        auto *b = new B(FForm.get());
        b->SetHeightMM(heightMM);
        b->SetParent(FReport);
        return b;
    }
    template <class B>
    B *AddBand(TRepBandType type, double heightMM) {
        B *b = AddBand<B>(heightMM);
        b->SetBandType(type);
        return b;
    }
    template <class T>
    T *Add(QWidget *band, double leftMM, double topMM = 0, double widthMM = 40, double heightMM = 5) {
        auto *e = new T(FForm.get());
        e->SetParent(band);
        e->SetSizeMM(1, leftMM);
        e->SetSizeMM(2, topMM);
        e->SetSizeMM(3, widthMM);
        e->SetSizeMM(0, heightMM);
        return e;
    }
    // A plain label of the report library with a caption.
    TRepLabel *Label(QWidget *band, const QString &caption, double leftMM, double topMM = 0);

    // Installs the print-time handlers of every designable band and data text of the form,
    // clears the last-page flag, runs the report to PDF and restores the handlers. Returns the
    // page texts.
    QStringList RenderPdf(const QString &name = QStringLiteral("out.pdf"));
    // The same into PNG pages at a resolution; returns the page images.
    QList<QImage> RenderPng(int dpi, const QString &directory = QStringLiteral("png"));

private:
    // Runs the report with the print-time handlers installed.
    template <class Run>
    void RunInstalled(Run run);

    TestDir FDir;
    std::unique_ptr<TForm> FForm;
    TVDMLoader *FLoader;
    TDesignReport *FReport;
};

// The installation and restoration on their own.
void InstallPrintHandlers(TComponent *form);
void RestorePrintHandlers(TComponent *form);
