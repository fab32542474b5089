// vendamo render REPORT.QR2 -o OUT.pdf [--png DIR] [--pdf-engine vendamo|qt] [--alias NAME=DB]...
//                [--param NAME=VALUE]...
#include "command.h"
#include "tool_report.h"

#include "dialogs/report_print_form.h"

#include "dblib/params.h"
#include "host/exceptions.h"
#include "model/design_report.h"
#include "model/loader.h"
#include "reportlib/rep_pdf_filter.h"

#include <QDir>
#include <QFileInfo>

namespace {

int RunRender(const QStringList &arguments);

const TCommandRegistration registration({
    QStringLiteral("render"),
    QStringLiteral("print a report with its datasets to PDF (and PNG pages)"),
    QStringLiteral("Usage: vendamo render REPORT.QR2 -o OUT.pdf [--png DIR] [--pdf-engine vendamo|qt]\n"
                   "                      [--alias NAME=DB]... [--param NAME=VALUE]...\n\n"
                   "Loads the report with its datasets and prints it to OUT.pdf.\n\n"
                   "  -o OUT.pdf          the PDF file to write\n"
                   "  --png DIR           also writes one PNG file per page into DIR\n"
                   "  --pdf-engine NAME   vendamo (Vendamo's PDF writer, the default) or qt (QPdfWriter)\n"
                   "  --alias NAME=DB     defines a database alias for the report's datasets\n"
                   "  --param NAME=VALUE  the value of the query parameter NAME; nothing is ever\n"
                   "                      asked, so a parameter left without a value is an error\n\n"
                   "Exit status: 0 on success, 1 when the report does not load or print.\n"),
    RunRender,
});

// Takes "OPTION VALUE" pairs of one option out of args; false when one has no value.
bool TakeValues(QStringList &args, const QString &option, QStringList &values) {
    for (int i = 0; i < args.size();) {
        if (args[i] != option) {
            ++i;
            continue;
        }
        if (i + 1 >= args.size()) return false;
        values << args[i + 1];
        args.remove(i, 2);
    }
    return true;
}

int RunRender(const QStringList &arguments) {
    const TCommand &self = *FindCommand(QStringLiteral("render"));
    QStringList args = arguments;
    if (!TakeAliasOptions(args)) return 2;
    QStringList outputs, pngDirs, params, engines;
    if (!TakeValues(args, QStringLiteral("-o"), outputs) || !TakeValues(args, QStringLiteral("--png"), pngDirs) ||
        !TakeValues(args, QStringLiteral("--param"), params) ||
        !TakeValues(args, QStringLiteral("--pdf-engine"), engines))
        return UsageError(self, QStringLiteral("an option is missing its value"));
    if (args.size() != 1 || args[0].startsWith(u'-') || outputs.size() != 1 || pngDirs.size() > 1)
        return UsageError(self, QStringLiteral("render needs one report file and one -o OUT.pdf"));
    if (engines.size() > 1 || (engines.size() == 1 && engines[0] != QLatin1String("vendamo") &&
                               engines[0] != QLatin1String("qt")))
        return UsageError(self, QStringLiteral("--pdf-engine takes vendamo or qt"));
    const TRepPdfWriterKind writer = engines.value(0) == QLatin1String("qt") ? pwQt : pwVendamo;

    TParams values;
    for (const QString &p : params) {
        const qsizetype eq = p.indexOf(u'=');
        if (eq <= 0) return UsageError(self, QStringLiteral("--param takes NAME=VALUE, not \"%1\"").arg(p));
        values.CreateParam(ftString, p.left(eq), ptInput).SetText(p.mid(eq + 1));
    }

    // The same form applications print with: its loader reads the file and its datasets, its
    // report runs wrapped in the loader's preparation.
    TReportPrintForm form;
    TVDMLoader *loader = form.VDMLoader1();
    if (!loader->LoadReport(args[0])) return 1;
    loader->SetQueryParameters(&values);
    try {
        // The values given are assigned here; a parameter still empty would be asked for, which
        // the tool never does: the console service declines and the run does not start.
        if (!loader->GetQueryParameters()) {
            PrintError(QStringLiteral("a query parameter has no value; give it with --param NAME=VALUE"));
            return 1;
        }
        // The queries hold the values now and stay open: the runs below need not assign them
        // again (which would close and re-run every query).
        loader->SetQueryParameters(nullptr);
        TRepPdfFilter pdf(outputs[0], 600, writer);
        form.DesignReport()->ExportToFilter(pdf);
        if (!pngDirs.isEmpty()) {
            QDir().mkpath(pngDirs[0]);
            form.DesignReport()->ExportToPng(pngDirs[0]);
        }
    } catch (const Exception &e) {
        PrintError(e.Message());
        return 1;
    }
    PrintOut(QFileInfo(outputs[0]).absoluteFilePath() + QLatin1Char('\n'));
    return 0;
}

}  // namespace
