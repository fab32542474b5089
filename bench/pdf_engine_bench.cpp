// The PDF back ends side by side on the same painting: a list of N rows of five texts (the
// shape of the list reports), 52 rows and a rule per A4 page at 600 dpi, painted with QPainter
// on QPdfWriter, on Vendamo's PDF device, and on a device that draws nothing (what QPainter and
// text shaping cost alone: the floor every back end starts from).
//
// Usage: pdf_engine_bench [rows [rounds]] (default 100000 rows, 3 rounds).
#include "list_workload.h"

#include "reportlib/rep_pdf_device.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

using namespace ListWorkload;

namespace {

// Takes every call and draws nothing.
class TNullEngine : public QPaintEngine {
public:
    TNullEngine() : QPaintEngine(AllFeatures) {}
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawTextItem(const QPointF &, const QTextItem &) override {}
    void drawLines(const QLineF *, int) override {}
    void drawRects(const QRectF *, int) override {}
    Type type() const override { return User; }
};

class TNullDevice : public QPaintDevice {
public:
    QPaintEngine *paintEngine() const override { return &FEngine; }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth: return 4961;
        case PdmHeight: return 7016;
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 600;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return QPaintDevice::metric(m);
        }
    }

private:
    mutable TNullEngine FEngine;
};

struct TRow {
    QString Texts[5];
};

// The rows of the list, made before timing so that only painting is measured.
std::vector<TRow> MakeRows(int rows) {
    std::vector<TRow> out(static_cast<size_t>(rows));
    quint64 s = 7;
    auto next = [&s] {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        return quint32(s >> 33);
    };
    auto letters = [&](int lo, int hi) {
        QString t(lo + int(next() % quint32(hi - lo + 1)), u'a');
        for (QChar &c : t) c = QChar(u'a' + int(next() % 26));
        t[0] = t[0].toUpper();
        return t;
    };
    for (int i = 0; i < rows; ++i) {
        TRow &r = out[size_t(i)];
        r.Texts[0] = QString::number(i + 1);
        r.Texts[1] = letters(20, 30);
        r.Texts[2] = letters(8, 15);
        r.Texts[3] = QStringLiteral("%1.%2.2023").arg(1 + next() % 28, 2, 10, QLatin1Char('0')).arg(1 + next() % 12, 2, 10, QLatin1Char('0'));
        r.Texts[4] = QString::number(double(next() % 1000000) / 100.0, 'f', 2);
    }
    return out;
}

int PaintList(QPainter &p, const std::vector<TRow> &rows, const std::function<void()> &newPage) {
    const double mm = 600 / 25.4;
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(int(12 * 600 / 96));
    QFont bold = font;
    bold.setBold(true);
    const double left = 10 * mm, top = 10 * mm, bottom = 279 * mm;
    int page = 0;
    double y = bottom;
    for (const TRow &row : rows) {
        if (y + 5 * mm > bottom) {
            if (page++) newPage();
            p.setFont(bold);
            for (int i = 0; i < 5; ++i)
                p.drawText(QRectF(left + ColX[i] * mm, top, ColW[i] * mm, 6 * mm), Qt::AlignLeft | Qt::AlignTop,
                           QString::fromLatin1(Captions[i]));
            p.drawLine(QPointF(left, top + 7 * mm), QPointF(left + 190 * mm, top + 7 * mm));
            p.setFont(font);
            y = top + 8 * mm;
        }
        for (int i = 0; i < 5; ++i)
            p.drawText(QRectF(left + ColX[i] * mm, y, ColW[i] * mm, 5 * mm),
                       (i == 0 || i == 4 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop, row.Texts[i]);
        y += 5 * mm;
    }
    return page;
}

}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rows = argc > 1 ? qMax(10, QString::fromLocal8Bit(argv[1]).toInt()) : 100000;
    const int rounds = argc > 2 ? qBound(1, QString::fromLocal8Bit(argv[2]).toInt(), 20) : 3;
    const std::vector<TRow> list = MakeRows(rows);
    QTemporaryDir dir;
    const QString qtPdf = dir.filePath(QStringLiteral("qt.pdf")), ownPdf = dir.filePath(QStringLiteral("own.pdf"));

    double qt = 0, own = 0, floor = 0;
    int qtPages = 0, ownPages = 0;
    for (int round = 0; round < rounds; ++round) {
        const double q = Seconds([&] {
            QPdfWriter writer(qtPdf);
            writer.setResolution(600);
            writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
            QPainter p(&writer);
            qtPages = PaintList(p, list, [&] { writer.newPage(); });
        });
        const double o = Seconds([&] {
            TRepPdfDevice device(ownPdf, QSizeF(210, 297), 600);
            QPainter p(&device);
            ownPages = PaintList(p, list, [&] { device.NewPage(); });
        });
        const double f = Seconds([&] {
            TNullDevice device;
            QPainter p(&device);
            PaintList(p, list, [] {});
        });
        qt = round ? qMin(qt, q) : q;
        own = round ? qMin(own, o) : o;
        floor = round ? qMin(floor, f) : f;
    }
    std::printf("bench pdf_engine_pages: %d pages (QPdfWriter %d) for %d rows\n", ownPages, qtPages, rows);
    std::printf("bench pdf_engine_qpdfwriter: %.2f s (processor time, best of %d), %lld KB\n", qt, rounds,
                QFileInfo(qtPdf).size() / 1024);
    std::printf("bench pdf_engine_vendamo: %.2f s (processor time, best of %d), %lld KB\n", own, rounds,
                QFileInfo(ownPdf).size() / 1024);
    std::printf("bench pdf_engine_nothing: %.2f s (QPainter and shaping on a device that writes nothing)\n", floor);
    std::printf("bench pdf_engine_vendamo: ratio %.2f vs pdf_engine_qpdfwriter\n", qt > 0 ? own / qt : 0.0);
    return ownPages == qtPages ? 0 : 1;
}
