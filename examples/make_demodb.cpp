// Writes the demo database: make_demodb [DIRECTORY] [--ini FILE]
// DIRECTORY (default: "demodb" beside the program) receives tables/ (the table files) and
// demo.sqlite; --ini adds "DEMODB=<DIRECTORY>/tables" to the [Aliases] section of FILE.
#include "demo_database.h"

#include "dblib/db_error.h"
#include "host/ini_file.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString ini;
    const int iniAt = int(args.indexOf(QStringLiteral("--ini")));
    if (iniAt >= 0) {
        if (iniAt + 1 >= args.size()) {
            std::fprintf(stderr, "make_demodb: --ini needs a file name\n");
            return 2;
        }
        ini = args[iniAt + 1];
        args.remove(iniAt, 2);
    }
    if (args.contains(QStringLiteral("--help"))) {
        std::fprintf(stdout, "usage: make_demodb [DIRECTORY] [--ini FILE]\n");
        return 0;
    }
    if (args.size() > 1 || (args.size() == 1 && args[0].startsWith(QLatin1Char('-')))) {
        std::fprintf(stderr, "make_demodb: usage: make_demodb [DIRECTORY] [--ini FILE]\n");
        return 2;
    }
    const QString dir = QDir(args.isEmpty() ? QDir(app.applicationDirPath()).filePath(QStringLiteral("demodb")) : args[0]).absolutePath();
    try {
        const QString tables = DemoDatabase::Create(dir);
        if (!ini.isEmpty()) TIniFile(ini).WriteString(QStringLiteral("Aliases"), QStringLiteral("DEMODB"), tables);
        std::fprintf(stdout, "make_demodb: demo database written to %s\n", qPrintable(QDir::toNativeSeparators(dir)));
    } catch (const Exception &e) {
        std::fprintf(stderr, "make_demodb: %s\n", e.what());
        return 1;
    }
    return 0;
}
