#include "report_fixture.h"

#include "test_paths.h"

#include "dblib/data_source.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

QString CreateSalesDatabase(const QString &directory) {
    const QString file = directory + QStringLiteral("/sales.sqlite");
    const QString connection = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(file);
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral("CREATE TABLE customers(id INTEGER PRIMARY KEY, name VARCHAR(30), city VARCHAR(20))"));
        q.exec(QStringLiteral("CREATE TABLE orders(id INTEGER PRIMARY KEY, customer_id INTEGER, order_date DATE, amount REAL)"));
        q.exec(QStringLiteral("CREATE TABLE items(id INTEGER PRIMARY KEY, order_id INTEGER, product VARCHAR(20), qty INTEGER)"));
        const char *customers[][2] = {{"Anders", "Berlin"}, {"Baker", "Berlin"}, {"Chen", "Berlin"},
                                      {"Dubois", "Lyon"},   {"Eriksen", "Lyon"}, {"Fischer", "Oslo"},
                                      {"Garcia", "Oslo"},   {"Hansen", "Oslo"}};
        db.transaction();
        int order = 0, item = 0;
        for (int c = 0; c < 8; ++c) {
            q.prepare(QStringLiteral("INSERT INTO customers VALUES(?,?,?)"));
            q.addBindValue(c + 1);
            q.addBindValue(QString::fromLatin1(customers[c][0]));
            q.addBindValue(QString::fromLatin1(customers[c][1]));
            q.exec();
            if (c == 7) continue;   // the last customer has no orders
            for (int o = 0; o < 2; ++o) {
                ++order;
                q.prepare(QStringLiteral("INSERT INTO orders VALUES(?,?,?,?)"));
                q.addBindValue(order);
                q.addBindValue(c + 1);
                q.addBindValue(QStringLiteral("2024-%1-%2").arg(o + 1, 2, 10, QLatin1Char('0')).arg(c + 10));
                q.addBindValue(100.0 * (c + 1) + 10.5 * o);
                q.exec();
                for (int i = 0; i <= (order % 2); ++i) {
                    q.prepare(QStringLiteral("INSERT INTO items VALUES(?,?,?,?)"));
                    q.addBindValue(++item);
                    q.addBindValue(order);
                    q.addBindValue(QStringLiteral("Product%1").arg(item));
                    q.addBindValue(i + 1);
                    q.exec();
                }
            }
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return file;
}

QStringList PdfPages(const QString &pdfFile) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfFile, QStringLiteral("-")});
    if (!p.waitForFinished(60000)) return {};
    QString text = QString::fromUtf8(p.readAllStandardOutput());
    QStringList pages = text.split(u'\f');
    // pdftotext ends the last page with a form feed too.
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
    return pages;
}

QList<TPdfWord> PdfWords(const QString &pdfFile) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfFile, QStringLiteral("-")});
    if (!p.waitForFinished(60000)) return {};
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression item(
        QStringLiteral("<page [^>]*>|<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>"));
    QList<TPdfWord> words;
    int page = 0;
    const double mmPerPoint = 25.4 / 72;
    for (auto it = item.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        words.append({page, m.captured(3), m.captured(1).toDouble() * mmPerPoint, m.captured(2).toDouble() * mmPerPoint});
    }
    return words;
}

TPdfWord FindWord(const QList<TPdfWord> &words, const QString &text) {
    for (const TPdfWord &w : words)
        if (w.Text == text) return w;
    return {};
}

QString Squeeze(const QString &text) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return QString(text).replace(blanks, QStringLiteral(" ")).trimmed();
}

bool InOrder(const QString &text, const QStringList &needles) {
    qsizetype from = 0;
    for (const QString &n : needles) {
        const qsizetype at = text.indexOf(n, from);
        if (at < 0) return false;
        from = at + n.size();
    }
    return true;
}

struct TReportFixture::TImpl {
    TestDir Dir;
};

TReportFixture::TReportFixture() : FImpl(std::make_unique<TImpl>()), FForm(std::make_unique<TForm>()) {
    FReport = new TReport(FForm.get());
    FReport->setParent(FForm.get());
    FReport->Font()->SetName(QStringLiteral("Liberation Sans"));
    FReport->Font()->SetSize(10);
}

TReportFixture::~TReportFixture() = default;

QString TReportFixture::Path(const QString &name) const { return FImpl->Dir.Path(name); }

TQuery *TReportFixture::Query(const QString &name, const QString &databaseFile, const QString &sql) {
    auto *q = new TQuery(FForm.get());
    q->SetName(name);
    q->SetDatabaseName(databaseFile);
    q->SQL()->SetText(sql);
    return q;
}

TDataSource *TReportFixture::Source(TDataSet *dataSet) {
    auto *s = new TDataSource(FForm.get());
    s->SetDataSet(dataSet);
    return s;
}

TRepBand *TReportFixture::Band(TRepBandType type, double heightMM) {
    auto *b = AddBand<TRepBand>(heightMM);
    b->SetBandType(type);
    return b;
}

TRepLabel *TReportFixture::Label(TRepBand *band, const QString &caption, double leftMM, double topMM) {
    auto *l = new TRepLabel(FForm.get());
    l->SetParent(band);
    l->SetSizeMM(1, leftMM);
    l->SetSizeMM(2, topMM);
    l->SetCaption(caption);
    return l;
}

QStringList TReportFixture::RenderPdf(const QString &name) {
    const QString file = Path(name);
    FReport->ExportToPdf(file);
    return PdfPages(file);
}
