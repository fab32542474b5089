// vendamo-designer REPORT.QR2 [--alias NAME=DB]...
// Opens a report file with its datasets and shows it in the preview window, from which it can
// be printed or saved as PDF. Messages appear as message boxes.
#include "dialogs/report_print_form.h"

#include "dblib/session.h"
#include "host/interaction.h"
#include "model/design_report.h"
#include "model/loader.h"

#include <QApplication>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vendamo Designer"));
    QStringList args = QApplication::arguments().mid(1);
    QString fileName;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--alias") && i + 1 < args.size() && Session().AddAliasDefinition(args[i + 1])) {
            ++i;
        } else if (fileName.isEmpty() && !a.startsWith(u'-')) {
            fileName = a;
        } else {
            Interaction().ShowError(QStringLiteral("Usage: vendamo-designer REPORT.QR2 [--alias NAME=DB]..."),
                                    QApplication::applicationName());
            return 2;
        }
    }
    if (fileName.isEmpty()) {
        TFileDialogOptions options;
        options.Title = QStringLiteral("Open report");
        options.Filter = QStringLiteral("Reports (*.QR2 *.qr2);;All files (*)");
        if (!Interaction().OpenFileName(options, fileName) || fileName.isEmpty()) return 0;
    }
    TReportPrintForm form;
    if (!form.VDMLoader1()->LoadReport(fileName)) return 1;
    form.DesignReport()->Preview();
    return 0;
}
