#include "host/font.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <cmath>

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const double v = double(a) * double(b) / double(c);
    return int(v < 0 ? -std::floor(-v + 0.5) : std::floor(v + 0.5));
}

namespace {

// Families that reports name after fonts of another platform, and their Liberation
// counterparts with the same metrics.
QString SubstituteFamily(const QString &name) {
    static const QHash<QString, QString> substitutes = {
        {QStringLiteral("arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("ms sans serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("microsoft sans serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("helvetica"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("times new roman"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("times"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("ms serif"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("courier new"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("courier"), QStringLiteral("Liberation Mono")},
    };
    return substitutes.value(name.trimmed().toLower());
}

bool FamilyInstalled(const QString &name) {
    // The font database needs a GUI application; without one nothing counts as installed.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) return false;
    static QHash<QString, bool> known;
    auto it = known.constFind(name);
    if (it != known.constEnd()) return *it;
    return *known.insert(name, QFontDatabase::hasFamily(name));
}

}  // namespace

QString ResolveFontFamily(const QString &name) {
    if (name.isEmpty() || FamilyInstalled(name)) return name;
    const QString substitute = SubstituteFamily(name);
    return substitute.isEmpty() ? name : substitute;
}

TFont::TFont(QObject *parent) : TPersistent(parent), FHeight(-MulDiv(10, ScreenPixelsPerInch, 72)) {}

void TFont::SetName(const QString &value) {
    if (value == FName) return;
    FName = value;
    emit Changed();
}

int TFont::Size() const { return -MulDiv(FHeight, 72, ScreenPixelsPerInch); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, ScreenPixelsPerInch, 72)); }

void TFont::SetHeight(int pixels) {
    if (pixels == FHeight) return;
    FHeight = pixels;
    emit Changed();
}

void TFont::SetPitch(TFontPitch value) {
    if (value == FPitch) return;
    FPitch = value;
    emit Changed();
}

void TFont::SetStyle(int bits) {
    bits &= fsBold | fsItalic | fsUnderline | fsStrikeOut;
    if (bits == FStyle) return;
    FStyle = bits;
    emit Changed();
}

void TFont::SetColor(TColor value) {
    if (value == FColor) return;
    FColor = value;
    emit Changed();
}

int TFont::CharHeight() const {
    if (FHeight <= 0) return -FHeight;
    // Measure the cell height of a large em and scale: cell = em * (ascent + descent) / em.
    QFont probe(ResolveFontFamily(FName));
    constexpr int probeEm = 200;
    probe.setPixelSize(probeEm);
    probe.setBold(HasStyle(fsBold));
    probe.setItalic(HasStyle(fsItalic));
    const QFontMetricsF metrics(probe);
    const double cell = metrics.ascent() + metrics.descent();
    if (cell <= 0) return FHeight;
    return qMax(1, int(std::lround(FHeight * probeEm / cell)));
}

QFont TFont::ToQFont(double zoomPercent) const {
    QFont f(ResolveFontFamily(FName));
    const double pixels = CharHeight() * zoomPercent / 100.0;
    f.setPixelSize(qMax(1, int(std::lround(pixels))));
    f.setBold(HasStyle(fsBold));
    f.setItalic(HasStyle(fsItalic));
    f.setUnderline(HasStyle(fsUnderline));
    f.setStrikeOut(HasStyle(fsStrikeOut));
    if (FPitch == fpFixed) {
        f.setFixedPitch(true);
        f.setStyleHint(QFont::TypeWriter);
    } else if (FPitch == fpVariable) {
        f.setFixedPitch(false);
    }
    return f;
}

void TFont::FromQFont(const QFont &font) {
    const QString name = font.family();
    int height = FHeight;
    if (font.pixelSize() > 0)
        height = -font.pixelSize();
    else if (font.pointSizeF() > 0)
        height = -int(std::lround(font.pointSizeF() * ScreenPixelsPerInch / 72.0));
    int style = 0;
    if (font.bold()) style |= fsBold;
    if (font.italic()) style |= fsItalic;
    if (font.underline()) style |= fsUnderline;
    if (font.strikeOut()) style |= fsStrikeOut;
    const TFontPitch pitch = font.fixedPitch() ? fpFixed : fpDefault;
    if (name == FName && height == FHeight && style == FStyle && pitch == FPitch) return;
    FName = name;
    FHeight = height;
    FStyle = style;
    FPitch = pitch;
    emit Changed();
}

void TFont::Assign(const TPersistent *Source) {
    const auto *other = qobject_cast<const TFont *>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    if (other == this) return;
    FName = other->FName;
    FHeight = other->FHeight;
    FPitch = other->FPitch;
    FStyle = other->FStyle;
    FColor = other->FColor;
    emit Changed();
}

bool TFont::Equals(const TFont &other) const {
    return FName == other.FName && FHeight == other.FHeight && FPitch == other.FPitch && FStyle == other.FStyle &&
           FColor == other.FColor;
}
