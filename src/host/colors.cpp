#include "host/colors.h"

#include "host/exceptions.h"

#include <iterator>

namespace {

constexpr TColor RGBValue(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }

// Fixed defaults for the system colours (the classic grey desktop scheme), by index.
constexpr TColor SystemColorValues[SystemColorCount] = {
    RGBValue(212, 208, 200),  // scroll bar
    RGBValue(58, 110, 165),   // background
    RGBValue(10, 36, 106),    // active caption
    RGBValue(128, 128, 128),  // inactive caption
    RGBValue(212, 208, 200),  // menu
    RGBValue(255, 255, 255),  // window
    RGBValue(0, 0, 0),        // window frame
    RGBValue(0, 0, 0),        // menu text
    RGBValue(0, 0, 0),        // window text
    RGBValue(255, 255, 255),  // caption text
    RGBValue(212, 208, 200),  // active border
    RGBValue(212, 208, 200),  // inactive border
    RGBValue(128, 128, 128),  // application work space
    RGBValue(10, 36, 106),    // highlight
    RGBValue(255, 255, 255),  // highlight text
    RGBValue(212, 208, 200),  // button face
    RGBValue(128, 128, 128),  // button shadow
    RGBValue(128, 128, 128),  // grey text
    RGBValue(0, 0, 0),        // button text
    RGBValue(212, 208, 200),  // inactive caption text
    RGBValue(255, 255, 255),  // button highlight
    RGBValue(64, 64, 64),     // 3-D dark shadow
    RGBValue(212, 208, 200),  // 3-D light
    RGBValue(0, 0, 0),        // info text
    RGBValue(255, 255, 225),  // info background
};

struct ColorName {
    TColor value;
    const char *name;
};

constexpr ColorName ColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
};

}  // namespace

TColor ColorToRGB(TColor c) {
    if (c == clNone || c == clDefault) return c;
    if (IsSystemColor(c)) {
        const int index = c & 0xFF;
        return index < SystemColorCount ? SystemColorValues[index] : clBlack;
    }
    return c & 0x00FFFFFF;
}

QColor ColorToQColor(TColor c) {
    if (c == clNone) return QColor(Qt::transparent);
    if (c == clDefault) c = clWindow;
    const TColor rgb = ColorToRGB(c);
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

TColor QColorToColor(const QColor &c) {
    if (!c.isValid() || c.alpha() == 0) return clNone;
    const QColor rgb = c.toRgb();
    return RGBValue(rgb.red(), rgb.green(), rgb.blue());
}

QString ColorToString(TColor c) {
    for (const ColorName &n : ColorNames)
        if (n.value == c) return QString::fromLatin1(n.name);
    return QStringLiteral("$%1").arg(quint32(c), 8, 16, QLatin1Char('0')).toUpper();
}

bool IdentToColor(const QString &ident, TColor &color) {
    const QString s = ident.trimmed();
    for (const ColorName &n : ColorNames) {
        if (s.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0) {
            color = n.value;
            return true;
        }
    }
    bool ok = false;
    qint64 v = 0;
    if (s.startsWith(QLatin1Char('$')))
        v = s.mid(1).toLongLong(&ok, 16);
    else if (s.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        v = s.mid(2).toLongLong(&ok, 16);
    else
        v = s.toLongLong(&ok, 10);
    // Hex forms cover the whole 32-bit pattern; decimal the signed range as stored.
    if (!ok || v > 0xFFFFFFFFll || v < qint64(std::numeric_limits<qint32>::min())) return false;
    color = TColor(quint32(v));
    return true;
}

TColor StringToColor(const QString &s) {
    TColor c = clBlack;
    if (!IdentToColor(s, c)) throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(s));
    return c;
}
