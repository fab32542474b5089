// vendamo-designer [REPORT.QR2] [--alias NAME=DB]... [--screenshot IMAGE.png]
// The stand-alone report designer: the designer window, on the report file given (or an empty
// report). Aliases name the databases the report's datasets use, as for the command-line tool.
// --screenshot writes a picture of the window once it has painted and quits (for the README
// and for looking at the window on a machine without a display).
#include "window/report_designer_form.h"

#include "dblib/session.h"
#include "host/interaction.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vendamo Designer"));
    QApplication::setOrganizationName(QStringLiteral("Vendamo"));
    QApplication::setDesktopFileName(QStringLiteral("vendamo-designer"));
    const QStringList args = QApplication::arguments().mid(1);
    QString fileName, screenshot;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--alias") && i + 1 < args.size() && Session().AddAliasDefinition(args[i + 1])) {
            ++i;
        } else if (a == QLatin1String("--screenshot") && i + 1 < args.size()) {
            screenshot = args[++i];
        } else if (fileName.isEmpty() && !a.startsWith(u'-')) {
            fileName = a;
        } else {
            Interaction().ShowError(QStringLiteral("Usage: vendamo-designer [REPORT.QR2] [--alias NAME=DB]... [--screenshot IMAGE.png]"),
                                    QApplication::applicationName());
            return 2;
        }
    }
    TReportDesignerForm window;
    if (!screenshot.isEmpty()) {
        window.setWindowState(Qt::WindowNoState);
        window.resize(1100, 780);
    }
    window.show();
    // A report that does not load leaves the designer on an empty report; the loader has said why.
    if (!fileName.isEmpty()) window.OpenReportFile(fileName);
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(300, &window, [&] {
            const bool saved = window.grab().save(screenshot);
            if (!saved) Interaction().ShowError(QStringLiteral("Cannot write ") + screenshot);
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
