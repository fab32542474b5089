#pragma once
// Test scaffolding for report runs: a small deterministic sales database, a report form that
// owns everything, builders for bands and elements, and the text of PDF pages.
#include "reportlib/rep_band.h"
#include "reportlib/rep_label.h"
#include "reportlib/report.h"

#include "dblib/query.h"
#include "host/forms.h"

#include <QString>
#include <QStringList>
#include <memory>

// Writes an SQLite database file with three tables:
//   customers(id, name, city)              8 customers in 3 cities
//   orders(id, customer_id, order_date, amount)   2 orders for each customer but the last
//   items(id, order_id, product, qty)       1 or 2 items per order
// Returns the file name.
QString CreateSalesDatabase(const QString &directory);

// The text of every page of a PDF file (pdftotext -layout), empty when it cannot be read.
QStringList PdfPages(const QString &pdfFile);
// One word of a PDF page with its position in millimetres from the page's top-left corner.
struct TPdfWord {
    int Page = 0;   // 1-based
    QString Text;
    double X = 0, Y = 0;
};
// Every word of a PDF file (pdftotext -bbox), in reading order.
QList<TPdfWord> PdfWords(const QString &pdfFile);
// The first word with this text (Page 0 when there is none).
TPdfWord FindWord(const QList<TPdfWord> &words, const QString &text);

// A page's text with runs of blanks reduced to one, for order checks.
QString Squeeze(const QString &text);
// Position of each needle in the text, in order; -1 for one not found after the previous.
bool InOrder(const QString &text, const QStringList &needles);

// A form owning a report and everything on it.
class TReportFixture {
public:
    TReportFixture();
    ~TReportFixture();

    TForm *Form() const { return FForm.get(); }
    TReport *Report() const { return FReport; }

    TQuery *Query(const QString &name, const QString &databaseFile, const QString &sql);
    TDataSource *Source(TDataSet *dataSet);
    TRepBand *Band(TRepBandType type, double heightMM);
    template <class T>
    T *AddBand(double heightMM) {
        auto *b = new T(FForm.get());
        b->SetHeightMM(heightMM);
        b->SetParent(FReport);
        return b;
    }
    TRepLabel *Label(TRepBand *band, const QString &caption, double leftMM, double topMM = 0);
    template <class T>
    T *Add(TRepBand *band, double leftMM, double topMM = 0, double widthMM = 40, double heightMM = 5) {
        auto *e = new T(FForm.get());
        e->SetParent(band);
        e->SetSizeMM(1, leftMM);
        e->SetSizeMM(2, topMM);
        e->SetSizeMM(3, widthMM);
        e->SetSizeMM(0, heightMM);
        return e;
    }

    // Renders to PDF in the test directory and returns the page texts.
    QStringList RenderPdf(const QString &name = QStringLiteral("out.pdf"));
    QString Path(const QString &name) const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
    std::unique_ptr<TForm> FForm;
    TReport *FReport;
};
