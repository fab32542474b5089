// vendamo info REPORT.QR2 [--json] [--alias NAME=DB]...
#include "command.h"
#include "report_description.h"
#include "tool_report.h"

#include <QJsonDocument>

namespace {

int RunInfo(const QStringList &arguments);

const TCommandRegistration registration({
    QStringLiteral("info"),
    QStringLiteral("describe a report: title, page, units, datasets, bands, elements"),
    QStringLiteral("Usage: vendamo info REPORT.QR2 [--json] [--alias NAME=DB]...\n\n"
                   "Loads the report with its datasets and describes its title, page setup, units,\n"
                   "datasets (kind and database), bands (type and height) and elements (kind, name,\n"
                   "band, position, size and content). Measurements are in the report's units.\n\n"
                   "  --json            the same as a JSON object\n"
                   "  --alias NAME=DB   defines a database alias (a directory, an SQLite file or\n"
                   "                    postgres:host=...;dbname=...) for the report's datasets;\n"
                   "                    a dataset that cannot be opened is still listed\n\n"
                   "Exit status: 0 on success, 1 when the report does not load.\n"),
    RunInfo,
});

int RunInfo(const QStringList &arguments) {
    const TCommand &self = *FindCommand(QStringLiteral("info"));
    QStringList args = arguments;
    if (!TakeAliasOptions(args)) return 2;
    const bool json = args.removeAll(QStringLiteral("--json")) > 0;
    if (args.size() != 1 || args.first().startsWith(QLatin1String("--")))
        return UsageError(self, QStringLiteral("info needs one report file"));
    TToolReport report;
    if (!report.Load(args.first())) return 1;
    const QJsonObject description = DescribeReport(report);
    if (json)
        PrintOut(QString::fromUtf8(QJsonDocument(description).toJson(QJsonDocument::Indented)));
    else
        PrintOut(DescriptionText(description));
    return 0;
}

}  // namespace
