#include "demo_database.h"

#include "dblib/db_error.h"
#include "dblib/session.h"

#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <cmath>

namespace DemoDatabase {

namespace {

// A small linear congruential generator: the same numbers on every platform and compiler.
class TRandom {
public:
    explicit TRandom(quint64 seed) : FState(seed) {}
    quint32 Next() {
        FState = FState * 6364136223846793005ULL + 1442695040888963407ULL;
        return quint32(FState >> 33);
    }
    int Range(int lo, int hi) { return lo + int(Next() % quint32(hi - lo + 1)); }
    template <class T>
    const T &Pick(const QList<T> &list) { return list[int(Next() % quint32(list.size()))]; }

private:
    quint64 FState;
};

struct Column {
    QString Name;
    QString SQLiteType;
    QString PostgresType;
};

struct Table {
    QString Name;
    QList<Column> Columns;
    QString PrimaryKey;  // SQL of the key clause, empty when the key is the column itself
    QList<QPair<QString, QString>> Indexes;  // name, column list
    QList<QVariantList> Rows;
};

const QList<QStringList> kCountryData = {
    {"Argentina", "Buenos Aires", "South America", "2780400", "45376763"},
    {"Australia", "Canberra", "Oceania", "7692024", "25687041"},
    {"Austria", "Vienna", "Europe", "83879", "8917205"},
    {"Brazil", "Brasilia", "South America", "8515767", "212559417"},
    {"Canada", "Ottawa", "North America", "9984670", "38005238"},
    {"Chile", "Santiago", "South America", "756102", "19116201"},
    {"Denmark", "Copenhagen", "Europe", "42933", "5831404"},
    {"Egypt", "Cairo", "Africa", "1002450", "102334404"},
    {"France", "Paris", "Europe", "551695", "67391582"},
    {"Germany", "Berlin", "Europe", "357022", "83240525"},
    {"Italy", "Rome", "Europe", "301340", "59554023"},
    {"Japan", "Tokyo", "Asia", "377975", "125836021"},
    {"Kenya", "Nairobi", "Africa", "580367", "53771296"},
    {"Mexico", "Mexico City", "North America", "1964375", "128932753"},
    {"Netherlands", "Amsterdam", "Europe", "41850", "17441139"},
    {"Norway", "Oslo", "Europe", "385207", "5379475"},
    {"Portugal", "Lisbon", "Europe", "92212", "10305564"},
    {"Spain", "Madrid", "Europe", "505990", "47351567"},
    {"Sweden", "Stockholm", "Europe", "450295", "10353442"},
    {"United States", "Washington", "North America", "9833517", "329484123"},
};

const QStringList kCompanyWords1 = {"Blue", "Coral", "Deep", "Golden", "Island", "Ocean", "Reef", "Sea", "Sun", "Tide", "Wave", "Marine"};
const QStringList kCompanyWords2 = {"Divers", "Sports", "Adventures", "Supply", "Outfitters", "Shop", "Center", "Club", "Traders", "Gear"};
const QStringList kStreets = {"Harbour Road", "Beach Street", "Main Street", "Coral Way", "Market Square", "Bay Avenue", "Pier Lane"};
const QStringList kFirstNames = {"Anna", "Bruno", "Carla", "David", "Elena", "Frank", "Greta", "Hugo", "Irene", "Jonas", "Karin", "Luis"};
const QStringList kLastNames = {"Alvarez", "Becker", "Costa", "Dubois", "Eriksen", "Fischer", "Garcia", "Hansen", "Ito", "Jensen", "Keller", "Lopez"};
const QStringList kPartWords = {"Mask", "Fins", "Snorkel", "Regulator", "Wetsuit", "Tank", "Gauge", "Compass", "Knife", "Light", "Camera", "Computer"};
const QStringList kPartKinds = {"Standard", "Pro", "Compact", "Deluxe"};
const QStringList kShipVia = {"UPS", "DHL", "FedEx", "Post", "Ship"};
const QStringList kPayment = {"Cash", "Check", "Credit", "Invoice"};
const QStringList kMemoSentences = {
    "Prefers delivery in the morning.", "Asks for catalogues twice a year.", "Long-standing customer since the shop opened.",
    "Pays reliably within thirty days.", "Interested in the new underwater cameras.", "Runs diving courses for schools.",
    "Contact the manager before large orders.", "Requests invoices in two copies."};

QByteArray Picture(int index) {
    // A small picture: a coloured gradient with a disc, different for every index.
    QImage image(48, 48, QImage::Format_RGB32);
    const int r = (index * 70) % 256, g = (index * 130 + 60) % 256, b = (index * 40 + 120) % 256;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) {
            const int dx = x - 24, dy = y - 20;
            const bool disc = dx * dx + dy * dy < 14 * 14;
            image.setPixel(x, y, disc ? qRgb(240, 220, 190) : qRgb((r + x * 2) % 256, (g + y * 2) % 256, b));
        }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

QString IsoDate(const QDate &d) { return d.toString(Qt::ISODate); }

QList<Table> BuildTables() {
    TRandom rnd(20041103);
    QList<Table> tables;

    Table country{"country",
                  {{"Name", "VARCHAR(24)", "VARCHAR(24)"}, {"Capital", "VARCHAR(24)", "VARCHAR(24)"},
                   {"Continent", "VARCHAR(24)", "VARCHAR(24)"}, {"Area", "FLOAT", "DOUBLE PRECISION"},
                   {"Population", "INTEGER", "BIGINT"}},
                  "PRIMARY KEY (\"Name\")",
                  {{"ByContinent", "\"Continent\""}},
                  {}};
    for (const QStringList &c : kCountryData)
        country.Rows << QVariantList{c[0], c[1], c[2], c[3].toDouble(), c[4].toLongLong()};

    Table employee{"employee",
                   {{"EmpNo", "INTEGER PRIMARY KEY AUTOINCREMENT", "SERIAL PRIMARY KEY"}, {"LastName", "VARCHAR(20)", "VARCHAR(20)"},
                    {"FirstName", "VARCHAR(15)", "VARCHAR(15)"}, {"PhoneExt", "VARCHAR(4)", "VARCHAR(4)"},
                    {"DeptNo", "WORD", "SMALLINT"}, {"HireDate", "DATE", "DATE"}, {"StartTime", "TIME", "TIME"},
                    {"Salary", "NUMERIC(10,2)", "NUMERIC(10,2)"}, {"Photo", "GRAPHIC", "BYTEA"}},
                   {},
                   {{"ByName", "\"LastName\", \"FirstName\""}},
                   {}};
    for (int i = 0; i < kEmployees; ++i) {
        const QDate hired = QDate(1988, 1, 4).addDays(rnd.Range(0, 5000));
        const QString start = QStringLiteral("%1:%2:00").arg(7 + i % 3, 2, 10, QLatin1Char('0')).arg((i * 15) % 60, 2, 10, QLatin1Char('0'));
        employee.Rows << QVariantList{i + 1, kLastNames[i], kFirstNames[(i * 5) % kFirstNames.size()], QString::number(100 + i * 7),
                                      10 * (1 + i % 4), IsoDate(hired), start, double(rnd.Range(2500000, 9000000)) / 100.0,
                                      i < 4 ? QVariant(Picture(i)) : QVariant()};
    }

    Table parts{"parts",
                {{"PartNo", "INTEGER", "INTEGER"}, {"Description", "VARCHAR(30)", "VARCHAR(30)"}, {"OnHand", "INTEGER", "INTEGER"},
                 {"OnOrder", "INTEGER", "INTEGER"}, {"Cost", "MONEY", "NUMERIC(12,2)"}, {"ListPrice", "MONEY", "NUMERIC(12,2)"}},
                "PRIMARY KEY (\"PartNo\")",
                {{"ByDescription", "\"Description\""}},
                {}};
    QList<double> listPrices;
    for (int i = 0; i < kParts; ++i) {
        const double cost = double(rnd.Range(500, 40000)) / 100.0;
        const double list = std::round(cost * 1.6 * 100.0) / 100.0;
        listPrices << list;
        parts.Rows << QVariantList{kFirstPartNo + i, kPartKinds[i / kPartWords.size() % kPartKinds.size()] + QLatin1Char(' ') + kPartWords[i % kPartWords.size()],
                                   rnd.Range(0, 200), rnd.Range(0, 50), cost, list};
    }

    Table customer{"customer",
                   {{"CustNo", "INTEGER", "INTEGER"}, {"Company", "VARCHAR(30)", "VARCHAR(30)"}, {"Addr1", "VARCHAR(30)", "VARCHAR(30)"},
                    {"City", "VARCHAR(20)", "VARCHAR(20)"}, {"Country", "VARCHAR(24)", "VARCHAR(24)"}, {"Phone", "VARCHAR(15)", "VARCHAR(15)"},
                    {"Contact", "VARCHAR(25)", "VARCHAR(25)"}, {"TaxRate", "FLOAT", "DOUBLE PRECISION"},
                    {"LastInvoiceDate", "DATETIME", "TIMESTAMP"}, {"Notes", "MEMO", "TEXT"}},
                   "PRIMARY KEY (\"CustNo\")",
                   {{"ByCompany", "\"Company\""}, {"ByCountry", "\"Country\", \"City\""}},
                   {}};
    for (int i = 0; i < kCustomers; ++i) {
        const QStringList &c = kCountryData[(i * 7 + rnd.Range(0, 3)) % kCountryData.size()];
        const QString company = kCompanyWords1[i % kCompanyWords1.size()] + QLatin1Char(' ') + kCompanyWords2[(i / 2 + i) % kCompanyWords2.size()] +
                                (i >= kCompanyWords1.size() ? QStringLiteral(" %1").arg(i / kCompanyWords1.size() + 1) : QString());
        QString notes;
        if (i % 3 == 0) notes = kMemoSentences[i % kMemoSentences.size()] + QLatin1Char('\n') + kMemoSentences[(i + 3) % kMemoSentences.size()];
        customer.Rows << QVariantList{kFirstCustNo + i, company, QStringLiteral("%1 %2").arg(rnd.Range(1, 250)).arg(rnd.Pick(kStreets)),
                                      c[1], c[0], QStringLiteral("%1-%2").arg(rnd.Range(100, 999)).arg(rnd.Range(1000, 9999)),
                                      kFirstNames[i % kFirstNames.size()] + QLatin1Char(' ') + kLastNames[(i * 3) % kLastNames.size()],
                                      i % 4 == 0 ? QVariant() : QVariant(double(rnd.Range(0, 16)) / 2.0),
                                      QStringLiteral("2004-%1-%2 %3:%4:00").arg(1 + i % 12, 2, 10, QLatin1Char('0')).arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                          .arg(8 + i % 10, 2, 10, QLatin1Char('0')).arg((i * 7) % 60, 2, 10, QLatin1Char('0')),
                                      notes.isEmpty() ? QVariant() : QVariant(notes)};
    }

    Table orders{"orders",
                 {{"OrderNo", "INTEGER", "INTEGER"}, {"CustNo", "INTEGER", "INTEGER"}, {"SaleDate", "DATE", "DATE"},
                  {"ShipDate", "DATETIME", "TIMESTAMP"}, {"EmpNo", "INTEGER", "INTEGER"}, {"ShipVia", "VARCHAR(7)", "VARCHAR(7)"},
                  {"PaymentMethod", "VARCHAR(7)", "VARCHAR(7)"}, {"ItemsTotal", "MONEY", "NUMERIC(12,2)"},
                  {"AmountPaid", "MONEY", "NUMERIC(12,2)"}, {"Paid", "BOOLEAN", "BOOLEAN"}},
                 "PRIMARY KEY (\"OrderNo\")",
                 {{"ByCustNo", "\"CustNo\""}, {"BySaleDate", "\"SaleDate\""}},
                 {}};
    Table items{"items",
                {{"OrderNo", "INTEGER", "INTEGER"}, {"ItemNo", "INTEGER", "INTEGER"}, {"PartNo", "INTEGER", "INTEGER"},
                 {"Qty", "SMALLINT", "SMALLINT"}, {"Discount", "FLOAT", "DOUBLE PRECISION"}},
                "PRIMARY KEY (\"OrderNo\", \"ItemNo\")",
                {{"ByPartNo", "\"PartNo\""}},
                {}};
    for (int i = 0; i < kOrders; ++i) {
        const int orderNo = kFirstOrderNo + i;
        const QDate sale = QDate(2003, 1, 2).addDays(i * 2 + rnd.Range(0, 1));
        const int itemCount = 1 + int(rnd.Next() % 5);
        double total = 0;
        for (int k = 0; k < itemCount; ++k) {
            const int part = rnd.Range(0, kParts - 1);
            const int qty = rnd.Range(1, 12);
            const double discount = double(rnd.Range(0, 4) * 5);
            total += std::round(qty * listPrices[part] * (100.0 - discount)) / 100.0;
            items.Rows << QVariantList{orderNo, k + 1, kFirstPartNo + part, qty, discount};
        }
        total = std::round(total * 100.0) / 100.0;
        const bool paid = rnd.Range(0, 3) != 0;
        orders.Rows << QVariantList{orderNo, kFirstCustNo + int(rnd.Next() % kCustomers), IsoDate(sale),
                                    i % 10 == 9 ? QVariant() : QVariant(IsoDate(sale.addDays(rnd.Range(1, 9))) + QStringLiteral(" 14:30:00")),
                                    1 + int(rnd.Next() % kEmployees), rnd.Pick(kShipVia), rnd.Pick(kPayment), total,
                                    paid ? total : 0.0, paid};
    }
    tables << customer << orders << items << parts << employee << country;
    return tables;
}

void Exec(QSqlDatabase &db, const QString &sql) {
    QSqlQuery q(db);
    if (!q.exec(sql)) throw EDatabaseError(QStringLiteral("Demo database: %1 (%2)").arg(q.lastError().text(), sql));
}

void WriteTable(QSqlDatabase &db, const Table &t, bool postgres, int maxRows) {
    const auto quote = [](const QString &n) { return QLatin1Char('"') + n + QLatin1Char('"'); };
    Exec(db, QStringLiteral("DROP TABLE IF EXISTS %1").arg(quote(t.Name)));
    QStringList defs;
    for (const Column &c : t.Columns) defs << quote(c.Name) + QLatin1Char(' ') + (postgres ? c.PostgresType : c.SQLiteType);
    if (!t.PrimaryKey.isEmpty()) defs << t.PrimaryKey;
    Exec(db, QStringLiteral("CREATE TABLE %1 (%2)").arg(quote(t.Name), defs.join(QStringLiteral(", "))));
    for (const auto &idx : t.Indexes)
        Exec(db, QStringLiteral("CREATE INDEX %1 ON %2 (%3)").arg(quote(idx.first), quote(t.Name), idx.second));
    QStringList names, marks;
    for (const Column &c : t.Columns) {
        names << quote(c.Name);
        marks << QStringLiteral("?");
    }
    db.transaction();
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(quote(t.Name), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
    int written = 0;
    for (const QVariantList &row : t.Rows) {
        if (maxRows > 0 && written >= maxRows) break;
        for (int i = 0; i < row.size(); ++i) {
            QVariant v = row[i];
            if (!v.isValid()) v = QVariant(QMetaType::fromType<QString>());
            q.bindValue(i, v);
        }
        if (!q.exec()) {
            db.rollback();
            throw EDatabaseError(QStringLiteral("Demo database: %1").arg(q.lastError().text()));
        }
        ++written;
    }
    if (postgres && t.Name == QLatin1String("employee"))
        Exec(db, QStringLiteral("SELECT setval(pg_get_serial_sequence('employee', 'EmpNo'), (SELECT MAX(\"EmpNo\") FROM employee))"));
    db.commit();
}

// Runs fn with a private SQLite connection to the file.
template <class Fn>
void WithSQLiteFile(const QString &fileName, Fn fn) {
    static int counter = 0;
    const QString name = QStringLiteral("vendamo_demo_writer_%1").arg(++counter);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(fileName);
        if (!db.open()) throw EDatabaseError(QStringLiteral("Demo database: cannot create %1").arg(fileName));
        try {
            fn(db);
        } catch (...) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            throw;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

}  // namespace

QStringList TableNames() { return {"customer", "orders", "items", "parts", "employee", "country"}; }

void WriteTables(QSqlDatabase db, int maxRows) {
    const bool postgres = db.driverName() == QLatin1String("QPSQL");
    for (const Table &t : BuildTables()) WriteTable(db, t, postgres, maxRows);
}

void WriteDirectory(const QString &directory) {
    if (!QDir().mkpath(directory)) throw EDatabaseError(QStringLiteral("Demo database: cannot create %1").arg(directory));
    for (const Table &t : BuildTables()) {
        const QString file = QDir(directory).filePath(t.Name + QStringLiteral(".db"));
        QFile::remove(file);
        WithSQLiteFile(file, [&](QSqlDatabase &db) { WriteTable(db, t, false, 0); });
    }
}

void WriteDatabaseFile(const QString &fileName) {
    QFile::remove(fileName);
    WithSQLiteFile(fileName, [](QSqlDatabase &db) { WriteTables(db, 0); });
}

QString Create(const QString &directory) {
    const QString tables = QDir(directory).filePath(QStringLiteral("tables"));
    // A session may hold connections to earlier files of the same names.
    Session().CloseDatabase(tables);
    Session().CloseDatabase(QDir(directory).filePath(QStringLiteral("demo.sqlite")));
    WriteDirectory(tables);
    WriteDatabaseFile(QDir(directory).filePath(QStringLiteral("demo.sqlite")));
    Session().AddAlias(QStringLiteral("DEMODB"), tables);
    return tables;
}

}  // namespace DemoDatabase
