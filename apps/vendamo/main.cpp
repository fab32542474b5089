// vendamo: the command-line tool. Every message the system shows goes to stderr as
// "vendamo: <text>"; nothing waits for input.
#include "command.h"

#include "host/interaction.h"

#include <QApplication>

#include <cstdio>

namespace {

// Qt's own diagnostics (platform notes, missing runtime directories) are not messages of the
// system; they show only with VENDAMO_DEBUG set. Critical errors always show.
void QtMessages(QtMsgType type, const QMessageLogContext &, const QString &text) {
    static const bool debug = !qEnvironmentVariableIsEmpty("VENDAMO_DEBUG");
    if (!debug && type != QtCriticalMsg && type != QtFatalMsg) return;
    const QByteArray bytes = (QStringLiteral("vendamo (qt): ") + text + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

QString Overview() {
    QString text = QStringLiteral("Usage: vendamo <command> [options]\n\nCommands:\n");
    for (const TCommand &c : Commands()) text += QStringLiteral("  %1  %2\n").arg(c.Name, -8).arg(c.Summary);
    text += QStringLiteral("\nvendamo <command> --help shows the options of a command.\n");
    return text;
}

}  // namespace

int main(int argc, char **argv) {
    // Widgets and fonts work without a display on the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QtMessages);
    QApplication app(argc, argv);
    TConsoleInteraction console;
    SetInteraction(&console);

    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        PrintOut(Overview());
        return args.isEmpty() ? 2 : 0;
    }
    const TCommand *command = FindCommand(args.takeFirst());
    if (!command) {
        PrintError(QStringLiteral("unknown command (see vendamo --help)"));
        return 2;
    }
    if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        PrintOut(command->Usage);
        return 0;
    }
    const int status = command->Run(args);
    SetInteraction(nullptr);
    return status;
}
