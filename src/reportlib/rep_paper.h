#pragma once
// Paper sizes by their conventional numbers (the numbering report files store): 0 is the
// default paper (A4 here), 27 a custom size whose width and length the page gives itself.
#include <QSizeF>
#include <QString>

enum TRepPaperSize {
    psDefault = 0, psLetter, psLetterSmall, psTabloid, psLedger, psLegal, psStatement, psExecutive,
    psA3, psA4, psA4Small, psA5, psB4, psB5, psFolio, psQuarto, ps10X14, ps11X17, psNote, psEnv9,
    psEnv10, psEnv11, psEnv12, psEnv14, psCSheet, psDSheet, psESheet, psCustom
};

constexpr int RepPaperSizeCount = 28;

// Width and length in millimetres, portrait; an invalid size for psCustom and unknown numbers.
QSizeF RepPaperSizeMM(int paperSize);
// A readable name ("A4", "Letter", "Custom").
QString RepPaperSizeName(int paperSize);
// The number of a standard size whose portrait dimensions match within half a millimetre
// (either way round), else psCustom.
int RepFindPaperSize(const QSizeF &mm);
