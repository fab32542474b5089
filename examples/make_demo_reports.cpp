// Writes the demo report files: make_demo_reports OUTDIR
// The files name the database alias DEMODB; nothing is opened while they are made.
#include "demo_reports.h"

#include "host/exceptions.h"
#include "host/interaction.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char **argv) {
    // Bands and elements are widgets; without a display they live on the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TConsoleInteraction console(QStringLiteral("make_demo_reports"));
    SetInteraction(&console);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 1 || args[0].startsWith(QLatin1Char('-'))) {
        std::fprintf(stderr, "usage: make_demo_reports OUTDIR\n");
        return 2;
    }
    int status = 0;
    try {
        QString error;
        const QStringList written = DemoReports::WriteAll(args[0], &error);
        if (written.size() != DemoReports::FileNames().size()) {
            std::fprintf(stderr, "make_demo_reports: %s\n", qPrintable(error));
            status = 1;
        }
    } catch (const Exception &e) {
        std::fprintf(stderr, "make_demo_reports: %s\n", e.what());
        status = 1;
    }
    SetInteraction(nullptr);
    return status;
}
