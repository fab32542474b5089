// An application that embeds the report libraries the way a user's program does: it uses their
// components and calls no set-up routine of theirs. Built in the tree and, against an installed
// copy, through find_package(Vendamo).
//   embed_report OUTDIR   writes OUTDIR/plain.pdf, OUTDIR/saved.QR2 and OUTDIR/loaded.pdf
#include "host/exceptions.h"
#include "host/forms.h"
#include "host/interaction.h"
#include "model/design_report.h"
#include "model/loader.h"
#include "model/vendamo_bands.h"
#include "model/vendamo_text_elements.h"
#include "persist/report_writer.h"
#include "reportlib/rep_band.h"
#include "reportlib/rep_expr.h"
#include "reportlib/report.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

namespace {

template <class T>
T *Place(TForm &form, QWidget *parent, double leftMM, double widthMM) {
    auto *element = new T(&form);
    element->SetParent(parent);
    element->SetSizeMM(1, leftMM);
    element->SetSizeMM(3, widthMM);
    return element;
}

// A report of the report library alone whose expression calls a function of the report model.
// It is printed before any loader or design report exists.
void PrintPlainReport(const QString &pdf) {
    TForm form;
    auto *report = new TReport(&form);
    report->setParent(&form);
    auto *title = new TRepBand(&form);
    title->SetParent(report);
    title->SetBandType(rbTitle);
    title->SetSizeMM(0, 10);
    Place<TRepExpr>(form, title, 0, 120)->SetExpression(QStringLiteral("'Plain answer ' + STR(STRTOINT('41') + 1)"));
    report->ExportToPdf(pdf);
}

// Saves a designable report with a label and an expression through the report writer.
bool SaveReport(const QString &file) {
    TForm form;
    auto *report = new TDesignReport(&form);
    report->SetName(QStringLiteral("Report"));
    auto *loader = new TVDMLoader(&form);
    loader->SetReport(report);
    auto *title = new TVendamoBand(&form);
    title->SetName(QStringLiteral("TitleBand"));
    title->SetParent(report);
    title->SetBandType(rbTitle);
    title->SetSizeMM(0, 20);
    auto *label = Place<TVendamoLabel>(form, title, 0, 120);
    label->SetName(QStringLiteral("Heading"));
    label->SetCaption(QStringLiteral("Loaded through the loader"));
    auto *expr = Place<TVendamoExpr>(form, title, 0, 120);
    expr->SetName(QStringLiteral("Answer"));
    expr->SetSizeMM(2, 8);
    expr->SetExpression(QStringLiteral("'Loaded answer ' + STR(STRTOINT('40') + 2)"));
    const bool saved = Save_Report(loader, &form, file, nullptr);
    delete report;  // before the loader, which it unlinks itself from
    return saved;
}

// Loads the file into a fresh form through the loader and prints it.
bool PrintLoadedReport(const QString &file, const QString &pdf) {
    TForm form;
    auto *report = new TDesignReport(&form);
    auto *loader = new TVDMLoader(&form);
    loader->SetReport(report);
    const bool loaded = loader->LoadReport(file);
    if (loaded) report->ExportToPdf(pdf);
    delete report;
    return loaded;
}

}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: embed_report OUTDIR\n");
        return 2;
    }
    // Messages go to stderr; a headless run never waits on a dialog.
    TConsoleInteraction console(QStringLiteral("embed_report"));
    SetInteraction(&console);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    try {
        QDir().mkpath(out.path());
        PrintPlainReport(out.filePath(QStringLiteral("plain.pdf")));
        const QString file = out.filePath(QStringLiteral("saved.QR2"));
        if (!SaveReport(file)) {
            std::fprintf(stderr, "embed_report: the report was not saved\n");
            return 1;
        }
        if (!PrintLoadedReport(file, out.filePath(QStringLiteral("loaded.pdf")))) {
            std::fprintf(stderr, "embed_report: the report did not load\n");
            return 1;
        }
    } catch (const Exception &e) {
        std::fprintf(stderr, "embed_report: %s\n", e.what());
        return 1;
    }
    return 0;
}
