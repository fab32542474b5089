#pragma once
// Colours as report files store them: a 32-bit value 0x00BBGGRR (red in the low byte), or a
// system colour 0x80000000 | index. System colours paint as fixed, theme-independent values so
// that output is the same on every machine.
#include <QColor>
#include <QString>
#include <QtGlobal>

using TColor = qint32;

constexpr TColor SystemColorFlag = TColor(0x80000000u);

// System colours, by their conventional indices.
constexpr TColor clScrollBar = SystemColorFlag | 0;
constexpr TColor clBackground = SystemColorFlag | 1;
constexpr TColor clActiveCaption = SystemColorFlag | 2;
constexpr TColor clInactiveCaption = SystemColorFlag | 3;
constexpr TColor clMenu = SystemColorFlag | 4;
constexpr TColor clWindow = SystemColorFlag | 5;
constexpr TColor clWindowFrame = SystemColorFlag | 6;
constexpr TColor clMenuText = SystemColorFlag | 7;
constexpr TColor clWindowText = SystemColorFlag | 8;
constexpr TColor clCaptionText = SystemColorFlag | 9;
constexpr TColor clActiveBorder = SystemColorFlag | 10;
constexpr TColor clInactiveBorder = SystemColorFlag | 11;
constexpr TColor clAppWorkSpace = SystemColorFlag | 12;
constexpr TColor clHighlight = SystemColorFlag | 13;
constexpr TColor clHighlightText = SystemColorFlag | 14;
constexpr TColor clBtnFace = SystemColorFlag | 15;
constexpr TColor clBtnShadow = SystemColorFlag | 16;
constexpr TColor clGrayText = SystemColorFlag | 17;
constexpr TColor clBtnText = SystemColorFlag | 18;
constexpr TColor clInactiveCaptionText = SystemColorFlag | 19;
constexpr TColor clBtnHighlight = SystemColorFlag | 20;
constexpr TColor cl3DDkShadow = SystemColorFlag | 21;
constexpr TColor cl3DLight = SystemColorFlag | 22;
constexpr TColor clInfoText = SystemColorFlag | 23;
constexpr TColor clInfoBk = SystemColorFlag | 24;
constexpr int SystemColorCount = 25;

// Plain colours (0x00BBGGRR).
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor clNone = 0x1FFFFFFF;     // nothing is painted
constexpr TColor clDefault = 0x20000000;  // the owner's default colour

inline constexpr bool IsSystemColor(TColor c) { return (quint32(c) & 0xFF000000u) == 0x80000000u; }

// The plain 0x00BBGGRR value a colour paints as: system colours give their fixed default,
// other high bytes (palette forms) keep the low 24 bits; clNone and clDefault are returned as
// they are, since they have no colour of their own.
TColor ColorToRGB(TColor c);

// clNone paints as fully transparent, clDefault as the window colour (white).
QColor ColorToQColor(TColor c);
// Drops alpha; a fully transparent or invalid colour gives clNone.
TColor QColorToColor(const QColor &c);

// "clRed" for named colours, else "$00BBGGRR".
QString ColorToString(TColor c);
// Accepts the names (any case), "$hex", "0xhex" and decimal; raises EConvertError otherwise.
TColor StringToColor(const QString &s);
// As StringToColor but reports failure instead of raising.
bool IdentToColor(const QString &ident, TColor &color);
