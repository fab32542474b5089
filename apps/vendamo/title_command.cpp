// vendamo title REPORT.QR2
#include "command.h"

#include "host/exceptions.h"
#include "persist/report_title.h"

namespace {

int RunTitle(const QStringList &arguments);

const TCommandRegistration registration({
    QStringLiteral("title"),
    QStringLiteral("print a report's title without loading the report"),
    QStringLiteral("Usage: vendamo title REPORT.QR2\n\n"
                   "Prints the title stored at the start of the report file (an empty line when the\n"
                   "file is not a report file or has no title).\n\n"
                   "Exit status: 0 on success, 1 when the file cannot be opened.\n"),
    RunTitle,
});

int RunTitle(const QStringList &args) {
    const TCommand &self = *FindCommand(QStringLiteral("title"));
    if (args.size() != 1 || args.first().startsWith(QLatin1String("--")))
        return UsageError(self, QStringLiteral("title needs one report file"));
    QString title;
    try {
        GetReportTitleFromFile(args.first(), title);
    } catch (const Exception &e) {
        PrintError(e.Message());
        return 1;
    }
    PrintOut(title + QLatin1Char('\n'));
    return 0;
}

}  // namespace
