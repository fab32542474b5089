#pragma once
// One font face of the PDF writer: the glyphs the pages used, their widths and the text they
// stand for, written at the end of the document as a composite font (glyph indexes as codes),
// with the face's program cut down to those glyphs and a ToUnicode map so that text stays
// searchable and can be copied. Glyph indexes keep their numbers in the subset, so pages can
// be written before the subset is known.
#include <QByteArray>
#include <QRawFont>
#include <QString>
#include <unordered_map>
#include <vector>

class TRepPdfOutput;

class TRepPdfFont {
public:
    // raw: the face at any size; object: the reserved number of the font dictionary.
    TRepPdfFont(const QRawFont &raw, int object, int index);

    // False for faces without TrueType or CFF outlines (bitmap fonts): their text is painted
    // as outlines instead.
    bool Embeddable() const { return FEmbeddable; }
    int Object() const { return FObject; }
    // The name of the font in page resources ("F1").
    const QByteArray &ResourceName() const { return FResource; }
    int GlyphCount() const { return int(FWidths.size()); }

    // Records that glyph was shown for text (the first text recorded for a glyph is kept).
    void Use(quint32 glyph, QStringView text) {
        if (glyph >= FUsed.size()) return;
        if (!FUsed[glyph]) Mark(glyph, text);
    }
    // Advance of glyph in thousandths of the em, as the font program states it.
    double Width(quint32 glyph) const { return glyph < FWidths.size() ? FWidths[glyph] : 0.0; }

    // The pair kerning of the face's kerning table between two glyphs, in thousandths of the em
    // (negative: closer together); 0 when the face has no such table or pair.
    bool HasKerning() const { return !FKerning.empty(); }
    double Kerning(quint32 left, quint32 right) const {
        // Most glyphs start no pair; a flag per glyph spares the lookup.
        if (left >= FKernsLeft.size() || !FKernsLeft[left]) return 0;
        const auto it = FKerning.find((left << 16) | right);
        return it == FKerning.end() ? 0.0 : it->second;
    }

    // Writes the font dictionary and everything it refers to.
    void Write(TRepPdfOutput &out) const;

    // The subset font program (exposed for tests): a TrueType or OpenType file with the used
    // glyphs, at their original indexes; empty when subsetting failed.
    QByteArray SubsetProgram() const;

private:
    void Mark(quint32 glyph, QStringView text);
    void ReadKerning(const QByteArray &kern, double scale);
    QByteArray BaseName() const;
    QByteArray SubsetTag() const;

    QRawFont FRaw;
    int FObject;
    QByteArray FResource;
    bool FEmbeddable = false;
    bool FCff = false;
    std::vector<double> FWidths;
    std::vector<char> FUsed;
    std::vector<QString> FText;
    std::unordered_map<quint32, double> FKerning;
    std::vector<char> FKernsLeft;
    int FUnitsPerEm = 1000;
    int FBox[4] = {0, 0, 0, 0};
    int FAscent = 0, FDescent = 0, FCapHeight = 0;
    double FItalicAngle = 0;
};
