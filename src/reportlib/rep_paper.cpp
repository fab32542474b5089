#include "reportlib/rep_paper.h"

#include <cmath>

namespace {

struct PaperEntry {
    const char *name;
    double width;
    double length;
};

constexpr double In = 25.4;

// Dimensions in millimetres, portrait, in the order of TRepPaperSize.
const PaperEntry Papers[RepPaperSizeCount] = {
    {"Default", 210, 297},          {"Letter", 8.5 * In, 11 * In},   {"Letter small", 8.5 * In, 11 * In},
    {"Tabloid", 11 * In, 17 * In},  {"Ledger", 17 * In, 11 * In},    {"Legal", 8.5 * In, 14 * In},
    {"Statement", 5.5 * In, 8.5 * In}, {"Executive", 7.25 * In, 10.5 * In}, {"A3", 297, 420},
    {"A4", 210, 297},               {"A4 small", 210, 297},          {"A5", 148, 210},
    {"B4", 250, 354},               {"B5", 182, 257},                {"Folio", 8.5 * In, 13 * In},
    {"Quarto", 215, 275},           {"10x14", 10 * In, 14 * In},     {"11x17", 11 * In, 17 * In},
    {"Note", 8.5 * In, 11 * In},    {"Envelope #9", 3.875 * In, 8.875 * In},
    {"Envelope #10", 4.125 * In, 9.5 * In}, {"Envelope #11", 4.5 * In, 10.375 * In},
    {"Envelope #12", 4.75 * In, 11 * In},   {"Envelope #14", 5 * In, 11.5 * In},
    {"C sheet", 17 * In, 22 * In},  {"D sheet", 22 * In, 34 * In},   {"E sheet", 34 * In, 44 * In},
    {"Custom", 0, 0},
};

}  // namespace

QSizeF RepPaperSizeMM(int paperSize) {
    if (paperSize < 0 || paperSize >= psCustom) return QSizeF();
    return QSizeF(Papers[paperSize].width, Papers[paperSize].length);
}

QString RepPaperSizeName(int paperSize) {
    if (paperSize < 0 || paperSize >= RepPaperSizeCount) return QString();
    return QString::fromLatin1(Papers[paperSize].name);
}

int RepFindPaperSize(const QSizeF &mm) {
    auto near = [](double a, double b) { return std::abs(a - b) < 0.5; };
    // Named sizes first (A4 before "Default" and "A4 small"), then the rest.
    static const int order[] = {psA4, psLetter, psLegal, psA3, psA5, psB4, psB5, psExecutive, psStatement,
                                psTabloid, psLedger, psFolio, psQuarto, ps10X14, psEnv9, psEnv10,
                                psEnv11, psEnv12, psEnv14, psCSheet, psDSheet, psESheet};
    for (int p : order) {
        const QSizeF s = RepPaperSizeMM(p);
        if ((near(s.width(), mm.width()) && near(s.height(), mm.height())) ||
            (near(s.width(), mm.height()) && near(s.height(), mm.width())))
            return p;
    }
    return psCustom;
}
