// vendamo resave IN.QR2 OUT.QR2 [--embed-images] [--alias NAME=DB]...
#include "command.h"
#include "tool_report.h"

namespace {

int RunResave(const QStringList &arguments);

const TCommandRegistration registration({
    QStringLiteral("resave"),
    QStringLiteral("load a report with its datasets and save it again"),
    QStringLiteral("Usage: vendamo resave IN.QR2 OUT.QR2 [--embed-images] [--alias NAME=DB]...\n\n"
                   "Loads IN with its datasets and writes it to OUT in the current layout, keeping\n"
                   "its units, printer setup and application data.\n\n"
                   "  --embed-images    stores the pictures of image elements in OUT (pictures that\n"
                   "                    IN stores are kept in any case)\n"
                   "  --alias NAME=DB   defines a database alias for the report's datasets\n\n"
                   "Exit status: 0 on success, 1 when IN does not load or OUT cannot be written.\n"),
    RunResave,
});

int RunResave(const QStringList &arguments) {
    const TCommand &self = *FindCommand(QStringLiteral("resave"));
    QStringList args = arguments;
    if (!TakeAliasOptions(args)) return 2;
    const bool embed = args.removeAll(QStringLiteral("--embed-images")) > 0;
    if (args.size() != 2 || args[0].startsWith(QLatin1String("--")) || args[1].startsWith(QLatin1String("--")))
        return UsageError(self, QStringLiteral("resave needs an input and an output file"));
    TToolReport report;
    if (!report.Load(args[0])) return 1;
    // Pictures the input carried stay in the output; the option embeds linked ones as well.
    report.Loader()->SetSaveImagesInReportfile(embed || report.LoadInfo().EmbeddedPictures);
    return report.Save(args[1]) ? 0 : 1;
}

}  // namespace
