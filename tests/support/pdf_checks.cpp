#include "pdf_checks.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

struct TToolResult {
    bool Ok = false;
    QString Out;
};

TToolResult RunTool(const QString &program, const QStringList &args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    TToolResult result;
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        return result;
    }
    result.Out = QString::fromUtf8(p.readAll());
    result.Ok = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return result;
}

QList<QImage> RenderPages(const QString &pdf, const QString &dir, int dpi) {
    const QString prefix = QDir(dir).filePath(QStringLiteral("page"));
    // Plain pixel maps: encoding PNG files would take most of the time.
    if (!RunTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), pdf, prefix}).Ok) return {};
    QList<QImage> pages;
    const QStringList files = QDir(dir).entryList({QStringLiteral("page*.ppm")}, QDir::Files, QDir::Name);
    for (const QString &f : files) pages << QImage(QDir(dir).filePath(f)).convertToFormat(QImage::Format_RGB32);
    return pages;
}

}  // namespace

QStringList PdfWordList(const QString &pdf) {
    const TToolResult r = RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!r.Ok) return {};
    static const QRegularExpression blank(QStringLiteral("\\s+"));
    return r.Out.split(blank, Qt::SkipEmptyParts);
}

double PdfPixelDifference(const QString &a, const QString &b, int dpi) {
    QTemporaryDir dirA, dirB;
    const QList<QImage> pagesA = RenderPages(a, dirA.path(), dpi);
    const QList<QImage> pagesB = RenderPages(b, dirB.path(), dpi);
    if (pagesA.isEmpty() || pagesA.size() != pagesB.size()) return 1;
    qint64 differing = 0, total = 0;
    for (qsizetype i = 0; i < pagesA.size(); ++i) {
        const QImage &x = pagesA[i];
        const QImage &y = pagesB[i];
        if (x.size() != y.size()) return 1;
        for (int row = 0; row < x.height(); ++row) {
            const QRgb *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
            const QRgb *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
            for (int col = 0; col < x.width(); ++col) {
                const int d = qMax(qAbs(qRed(p[col]) - qRed(q[col])),
                                   qMax(qAbs(qGreen(p[col]) - qGreen(q[col])), qAbs(qBlue(p[col]) - qBlue(q[col]))));
                if (d > 64) ++differing;
            }
        }
        total += qint64(x.width()) * x.height();
    }
    return total ? double(differing) / double(total) : 1;
}

QStringList PdfFontNames(const QString &pdf) {
    const TToolResult r = RunTool(QStringLiteral("pdffonts"), {pdf});
    QStringList names;
    if (!r.Ok) return names;
    const QStringList lines = r.Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (qsizetype i = 2; i < lines.size(); ++i) names << lines[i].simplified();
    return names;
}

QStringList PdfFontProblems(const QString &pdf) {
    const TToolResult r = RunTool(QStringLiteral("pdffonts"), {pdf});
    if (!r.Ok) return {QStringLiteral("pdffonts failed: ") + r.Out};
    QStringList problems;
    // Columns: name type [type] encoding emb sub uni object ID; the three flags come before
    // the object number and generation.
    const QStringList lines = r.Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QStringList cells = lines[i].simplified().split(QLatin1Char(' '));
        if (cells.size() < 6) continue;
        const QStringList flags = cells.mid(cells.size() - 5, 3);
        if (flags != QStringList{QStringLiteral("yes"), QStringLiteral("yes"), QStringLiteral("yes")})
            problems << lines[i].simplified();
    }
    return problems;
}

QString QpdfProblems(const QString &pdf) {
    const TToolResult r = RunTool(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf});
    if (r.Ok && !r.Out.contains(QLatin1String("WARNING")) && r.Out.contains(QLatin1String("No syntax or stream encoding errors")))
        return {};
    return r.Out.isEmpty() ? QStringLiteral("qpdf did not run") : r.Out;
}
