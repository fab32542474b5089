#include "reportlib/rep_pdf_font.h"

#include "reportlib/rep_pdf_output.h"

#include <hb-subset.h>
#include <hb.h>
#include <QtEndian>
#include <algorithm>

using namespace RepPdf;

namespace {

quint16 U16(const QByteArray &t, int at) {
    return at + 2 <= t.size() ? qFromBigEndian<quint16>(t.constData() + at) : 0;
}
qint16 S16(const QByteArray &t, int at) { return qint16(U16(t, at)); }

// The tables a PDF reader uses from an embedded program; the others (layout, kerning, colour)
// only make the file bigger.
const char *const kTrueTypeTables[] = {"head", "hhea", "maxp", "hmtx", "loca", "glyf",
                                       "cvt ", "fpgm", "prep", "post", "name", "OS/2", "cmap"};
const char *const kCffTables[] = {"head", "hhea", "maxp", "hmtx", "CFF ", "post", "name", "OS/2", "cmap"};

quint32 Checksum(const QByteArray &data) {
    quint32 sum = 0;
    QByteArray padded = data;
    padded.append(QByteArray((4 - padded.size() % 4) % 4, '\0'));
    for (qsizetype i = 0; i < padded.size(); i += 4) sum += qFromBigEndian<quint32>(padded.constData() + i);
    return sum;
}

// An sfnt file made of the face's tables: QRawFont hands out tables, not the file, and a face
// of a collection has no file of its own anyway.
QByteArray BuildProgram(const QRawFont &raw, bool cff) {
    struct Table {
        QByteArray Tag, Data;
    };
    std::vector<Table> tables;
    if (cff)
        for (const char *tag : kCffTables) tables.push_back({tag, raw.fontTable(tag)});
    else
        for (const char *tag : kTrueTypeTables) tables.push_back({tag, raw.fontTable(tag)});
    tables.erase(std::remove_if(tables.begin(), tables.end(), [](const Table &t) { return t.Data.isEmpty(); }),
                 tables.end());
    std::sort(tables.begin(), tables.end(), [](const Table &a, const Table &b) { return a.Tag < b.Tag; });
    const quint16 n = quint16(tables.size());
    quint16 power = 1, log2 = 0;
    while (power * 2 <= n) power *= 2, ++log2;
    QByteArray out;
    auto u16 = [&out](quint16 v) { out.append(char(v >> 8)).append(char(v & 255)); };
    auto u32 = [&out](quint32 v) {
        for (int s = 24; s >= 0; s -= 8) out.append(char((v >> s) & 255));
    };
    u32(cff ? 0x4F54544F : 0x00010000);
    u16(n);
    u16(quint16(power * 16));
    u16(log2);
    u16(quint16(n * 16 - power * 16));
    quint32 offset = 12 + 16 * quint32(n);
    for (const Table &t : tables) {
        out.append(t.Tag.leftJustified(4, ' ', true));
        u32(Checksum(t.Data));
        u32(offset);
        u32(quint32(t.Data.size()));
        offset += quint32((t.Data.size() + 3) & ~3);
    }
    for (const Table &t : tables) {
        out.append(t.Data);
        out.append(QByteArray((4 - t.Data.size() % 4) % 4, '\0'));
    }
    return out;
}

QByteArray Subset(const QByteArray &program, const std::vector<char> &used) {
    hb_blob_t *blob = hb_blob_create(program.constData(), unsigned(program.size()), HB_MEMORY_MODE_READONLY, nullptr, nullptr);
    hb_face_t *face = hb_face_create(blob, 0);
    hb_blob_destroy(blob);
    QByteArray result;
    if (hb_subset_input_t *input = hb_subset_input_create_or_fail()) {
        hb_set_t *glyphs = hb_subset_input_glyph_set(input);
        for (size_t g = 0; g < used.size(); ++g)
            if (used[g]) hb_set_add(glyphs, hb_codepoint_t(g));
        // The pages name glyphs by their indexes in the full face.
        hb_subset_input_set_flags(input, HB_SUBSET_FLAGS_RETAIN_GIDS | HB_SUBSET_FLAGS_NAME_LEGACY);
        if (hb_face_t *subset = hb_subset_or_fail(face, input)) {
            hb_blob_t *data = hb_face_reference_blob(subset);
            unsigned length = 0;
            const char *bytes = hb_blob_get_data(data, &length);
            result = QByteArray(bytes, qsizetype(length));
            hb_blob_destroy(data);
            hb_face_destroy(subset);
        }
        hb_subset_input_destroy(input);
    }
    hb_face_destroy(face);
    return result;
}

// A PostScript name: printable ASCII without delimiters or blanks.
QByteArray PostScriptName(const QString &family, const QString &style) {
    QByteArray name;
    for (QChar c : family + QLatin1Char('-') + style)
        if (c.unicode() > 32 && c.unicode() < 127 && !QByteArray("()<>[]{}/%#").contains(char(c.unicode())))
            name.append(char(c.unicode()));
    return name.isEmpty() ? QByteArray("Font") : name;
}

}  // namespace

TRepPdfFont::TRepPdfFont(const QRawFont &raw, int object, int index)
    : FRaw(raw), FObject(object), FResource("F" + QByteArray::number(index)) {
    const QByteArray head = raw.fontTable("head");
    const QByteArray hhea = raw.fontTable("hhea");
    const QByteArray maxp = raw.fontTable("maxp");
    const QByteArray hmtx = raw.fontTable("hmtx");
    FCff = !raw.fontTable("CFF ").isEmpty();
    FEmbeddable = head.size() >= 54 && hhea.size() >= 36 && maxp.size() >= 6 && !hmtx.isEmpty() &&
                  (FCff || !raw.fontTable("glyf").isEmpty());
    if (!FEmbeddable) return;
    FUnitsPerEm = qMax<int>(16, U16(head, 18));
    const double scale = 1000.0 / FUnitsPerEm;
    for (int i = 0; i < 4; ++i) FBox[i] = int(S16(head, 36 + 2 * i) * scale);
    FAscent = int(S16(hhea, 4) * scale);
    FDescent = int(S16(hhea, 6) * scale);
    const QByteArray os2 = raw.fontTable("OS/2");
    FCapHeight = U16(os2, 0) >= 2 && os2.size() >= 90 ? int(S16(os2, 88) * scale) : FAscent;
    const QByteArray post = raw.fontTable("post");
    if (post.size() >= 8) FItalicAngle = double(qint32(qFromBigEndian<quint32>(post.constData() + 4))) / 65536.0;
    const int glyphs = U16(maxp, 4);
    const int metrics = qMax(1, int(U16(hhea, 34)));
    FWidths.resize(size_t(glyphs));
    for (int g = 0; g < glyphs; ++g) FWidths[size_t(g)] = U16(hmtx, 4 * qMin(g, metrics - 1)) * scale;
    FUsed.assign(size_t(glyphs), 0);
    FText.resize(size_t(glyphs));
    FKernsLeft.assign(size_t(glyphs), 0);
    ReadKerning(raw.fontTable("kern"), scale);
}

// The horizontal pair lists (format 0) of a kerning table, which text shaping applies too.
void TRepPdfFont::ReadKerning(const QByteArray &kern, double scale) {
    if (U16(kern, 0) != 0) return;
    const int tables = U16(kern, 2);
    int at = 4;
    for (int t = 0; t < tables && at + 6 <= kern.size(); ++t) {
        const int length = U16(kern, at + 2);
        const int coverage = U16(kern, at + 4);
        // Horizontal, kerning values (not minimums), along the line, format 0.
        if ((coverage & 0x0F) == 0x01 && (coverage >> 8) == 0) {
            const int pairs = U16(kern, at + 6);
            for (int i = 0; i < pairs; ++i) {
                const int p = at + 14 + 6 * i;
                if (p + 6 > kern.size()) break;
                const quint32 key = (quint32(U16(kern, p)) << 16) | U16(kern, p + 2);
                FKerning[key] = S16(kern, p + 4) * scale;
                if (const quint32 left = key >> 16; left < FKernsLeft.size()) FKernsLeft[left] = 1;
            }
        }
        if (length < 6) break;
        at += length;
    }
}

void TRepPdfFont::Mark(quint32 glyph, QStringView text) {
    FUsed[glyph] = 1;
    FText[glyph] = text.toString();
}

QByteArray TRepPdfFont::BaseName() const { return PostScriptName(FRaw.familyName(), FRaw.styleName()); }

// Six capitals that differ between subsets of one face (readers tell subsets apart by them).
QByteArray TRepPdfFont::SubsetTag() const {
    quint32 h = 2166136261u;
    for (size_t g = 0; g < FUsed.size(); ++g)
        if (FUsed[g]) h = (h ^ quint32(g)) * 16777619u;
    h ^= quint32(FObject) * 2654435761u;
    QByteArray tag(6, 'A');
    for (int i = 0; i < 6; ++i, h /= 26) tag[i] = char('A' + h % 26);
    return tag;
}

QByteArray TRepPdfFont::SubsetProgram() const {
    if (!FEmbeddable) return {};
    return Subset(BuildProgram(FRaw, FCff), FUsed);
}

void TRepPdfFont::Write(TRepPdfOutput &out) const {
    QByteArray program = SubsetProgram();
    const bool subset = !program.isEmpty();
    if (!subset) program = BuildProgram(FRaw, FCff);
    const QByteArray name = (subset ? SubsetTag() + '+' : QByteArray()) + BaseName();

    const int descendant = out.Reserve();
    const int descriptor = out.Reserve();
    const int file = out.Reserve();
    const int toUnicode = out.Reserve();

    QByteArray &b = out.Body();
    out.BeginObject(FObject);
    b.append("<</Type/Font/Subtype/Type0/BaseFont/").append(name).append("/Encoding/Identity-H/DescendantFonts[");
    AppendInt(b, descendant);
    b.append(" 0 R]/ToUnicode ");
    AppendInt(b, toUnicode);
    b.append(" 0 R>>");
    out.EndObject();

    out.BeginObject(descendant);
    b.append(FCff ? "<</Type/Font/Subtype/CIDFontType0/BaseFont/" : "<</Type/Font/Subtype/CIDFontType2/BaseFont/");
    b.append(name).append("/CIDSystemInfo<</Registry(Adobe)/Ordering(Identity)/Supplement 0>>/FontDescriptor ");
    AppendInt(b, descriptor);
    b.append(" 0 R");
    if (!FCff) b.append("/CIDToGIDMap/Identity");
    b.append("/W[");
    // Runs of consecutive glyphs share one bracket: "first [w w w]".
    for (size_t g = 0; g < FUsed.size();) {
        if (!FUsed[g]) {
            ++g;
            continue;
        }
        AppendInt(b, qint64(g));
        b.append('[');
        for (bool first = true; g < FUsed.size() && FUsed[g]; ++g, first = false) {
            if (!first) b.append(' ');
            AppendReal(b, FWidths[g]);
        }
        b.append(']');
    }
    b.append("]>>");
    out.EndObject();

    out.BeginObject(descriptor);
    b.append("<</Type/FontDescriptor/FontName/").append(name).append("/Flags ");
    AppendInt(b, FItalicAngle != 0 ? 4 | 64 : 4);
    b.append("/FontBBox[");
    for (int i = 0; i < 4; ++i) {
        if (i) b.append(' ');
        AppendInt(b, FBox[i]);
    }
    b.append("]/ItalicAngle ");
    AppendReal(b, FItalicAngle);
    b.append("/Ascent ");
    AppendInt(b, FAscent);
    b.append("/Descent ");
    AppendInt(b, FDescent);
    b.append("/CapHeight ");
    AppendInt(b, FCapHeight);
    b.append(FCff ? "/StemV 80/FontFile3 " : "/StemV 80/FontFile2 ");
    AppendInt(b, file);
    b.append(" 0 R>>");
    out.EndObject();

    QByteArray extra;
    if (FCff) {
        extra = "/Subtype/OpenType";
    } else {
        extra = "/Length1 ";
        AppendInt(extra, program.size());
    }
    out.WriteStream(file, extra, program, 6);

    QByteArray cmap(
        "/CIDInit/ProcSet findresource begin\n12 dict begin\nbegincmap\n"
        "/CIDSystemInfo<</Registry(Adobe)/Ordering(UCS)/Supplement 0>>def\n"
        "/CMapName/Adobe-Identity-UCS def\n/CMapType 2 def\n"
        "1 begincodespacerange\n<0000><FFFF>\nendcodespacerange\n");
    std::vector<quint32> mapped;
    for (size_t g = 0; g < FUsed.size(); ++g)
        if (FUsed[g] && !FText[g].isEmpty()) mapped.push_back(quint32(g));
    // At most 100 entries per block.
    for (size_t start = 0; start < mapped.size(); start += 100) {
        const size_t end = qMin(mapped.size(), start + 100);
        AppendInt(cmap, qint64(end - start));
        cmap.append(" beginbfchar\n");
        for (size_t i = start; i < end; ++i) {
            cmap.append('<');
            AppendHex4(cmap, mapped[i]);
            cmap.append("><");
            for (QChar c : FText[mapped[i]]) AppendHex4(cmap, c.unicode());
            cmap.append(">\n");
        }
        cmap.append("endbfchar\n");
    }
    cmap.append("endcmap\nCMapName currentdict/CMap defineresource pop\nend\nend\n");
    out.WriteStream(toUnicode, QByteArray(), cmap, 6);
}
