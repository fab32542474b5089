#include "model_fixture.h"

#include "model/vendamo_bands.h"
#include "model/vendamo_text_elements.h"

#include "reportlib/rep_label.h"

#include <QDir>

TModelFixture::TModelFixture(bool designer) : FForm(std::make_unique<TForm>()) {
    FLoader = designer ? new TRecordingDesigner(FForm.get()) : new TVDMLoader(FForm.get());
    FReport = new TDesignReport(FForm.get());
    FReport->setParent(FForm.get());
    FReport->Font()->SetName(QStringLiteral("Liberation Sans"));
    FReport->Font()->SetSize(10);
}

TModelFixture::~TModelFixture() = default;

TRepLabel *TModelFixture::Label(QWidget *band, const QString &caption, double leftMM, double topMM) {
    auto *l = new TRepLabel(FForm.get());
    l->SetParent(band);
    l->SetSizeMM(1, leftMM);
    l->SetSizeMM(2, topMM);
    l->SetCaption(caption);
    return l;
}

void InstallPrintHandlers(TComponent *form) {
    for (TComponent *c : form->Components())
        if (QObject *o = c->Object(); o && !InstallBandPrintHandler(o)) InstallDBTextPrintHandler(o);
}

void RestorePrintHandlers(TComponent *form) {
    for (TComponent *c : form->Components())
        if (QObject *o = c->Object(); o && !RestoreBandPrintHandler(o)) RestoreDBTextPrintHandler(o);
}

// The design report installs and restores the handlers around every run itself.
template <class Run>
void TModelFixture::RunInstalled(Run run) {
    run();
}

QStringList TModelFixture::RenderPdf(const QString &name) {
    const QString file = Path(name);
    RunInstalled([&] { FReport->ExportToPdf(file); });
    return PdfPages(file);
}

QList<QImage> TModelFixture::RenderPng(int dpi, const QString &directory) {
    const QString dir = Path(directory);
    QDir().mkpath(dir);
    RunInstalled([&] { FReport->ExportToPng(dir, dpi); });
    QList<QImage> pages;
    for (int i = 1;; ++i) {
        QImage page(dir + QStringLiteral("/page-%1.png").arg(i, 4, 10, QLatin1Char('0')));
        if (page.isNull()) break;
        pages.append(page.convertToFormat(QImage::Format_RGB32));
    }
    return pages;
}
