#include "reportlib/rtf_reader.h"

#include "reportlib/rtf_units.h"

#include "host/text_codec.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {

// Limits that keep hostile input from costing unbounded time or memory.
constexpr int MaxGroupDepth = 1000;
constexpr int MaxWordLength = 32;

struct TCharState {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    int Font = -1;          // -1: the default font (\deff)
    int HalfPoints = 24;    // RTF's default size is 12 points
    int Color = 0;          // 0: automatic colour
};

struct TParaState {
    Qt::Alignment Alignment = Qt::AlignLeft;
    int LeftTwips = 0;
    int RightTwips = 0;
    int FirstTwips = 0;
};

enum TDestination { dText, dFontTable, dColorTable, dSkip };

struct TGroupState {
    TCharState Char;
    TParaState Para;
    TDestination Destination = dText;
    int UnicodeSkip = 1;  // \uc: fallback characters that follow each \u
};

bool IsDestinationToSkip(const QByteArray &word) {
    static const char *const words[] = {
        "info", "stylesheet", "pict", "header", "headerl", "headerr", "headerf", "footer",
        "footerl", "footerr", "footerf", "footnote", "annotation", "listtable",
        "listoverridetable", "revtbl", "rsidtbl", "generator", "xmlnstbl", "themedata",
        "colorschememapping", "datastore", "latentstyles", "object", "fldinst", "filetbl",
        "nonshppict", "shpinst", "pgdsctbl", "author", "operator", "title", "subject",
        "keywords", "comment", "doccomm", "company", "bkmkstart", "bkmkend", "template"};
    for (const char *w : words)
        if (word == w)
            return true;
    return false;
}

class TRtfReader {
public:
    TRtfReader(const QByteArray &data, QTextDocument &document)
        : FData(data), FDocument(document), FCursor(&document) {}

    void Run() {
        FDocument.clear();
        FCursor = QTextCursor(&FDocument);
        qsizetype start = 0;
        while (start < FData.size() && IsBlank(FData.at(start)))
            ++start;
        FPos = start;
        // One edit block for the whole text: otherwise every run of text inserted updates the
        // cursor's position on a fresh layout of its paragraph, which makes reading a long
        // paragraph of many runs take time that grows with the square of its length.
        FCursor.beginEditBlock();
        Parse();
        Finish();
        FCursor.endEditBlock();
    }

private:
    static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
    static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

    TGroupState &State() { return FStack.last(); }

    void Parse() {
        while (FPos < FData.size()) {
            char c = FData.at(FPos++);
            switch (c) {
            case '{':
                OpenGroup();
                break;
            case '}':
                if (CloseGroup())
                    return;  // the outermost group has closed: the document ends here
                break;
            case '\\':
                ControlSequence();
                break;
            case '\r':
            case '\n':
                break;  // line ends in RTF source carry no meaning
            case '\t':
                Character(u'\t');
                break;
            default:
                if (static_cast<unsigned char>(c) >= 0x20)  // other control bytes are noise
                    Character(Cp1252Char(static_cast<unsigned char>(c)));
                break;
            }
        }
    }

    void OpenGroup() {
        FlushText();
        if (FStack.isEmpty()) {
            FStack.append(TGroupState());
        } else if (FStack.size() >= MaxGroupDepth) {
            ++FExcessDepth;  // too deep to keep state for: count it so the braces still pair
        } else {
            FStack.append(FStack.last());
        }
        FSkipChars = 0;
    }

    // True when the outermost group has closed.
    bool CloseGroup() {
        FlushText();
        FSkipChars = 0;
        if (FExcessDepth > 0) {
            --FExcessDepth;
            return false;
        }
        if (FStack.isEmpty())
            return false;  // a stray brace before any group: ignore it
        if (FStack.last().Destination == dFontTable)
            EndFontEntry();
        if (FStack.size() == 1)
            FLastState = FStack.last();  // the state the last paragraph ends in
        FStack.removeLast();
        return FStack.isEmpty();
    }

    void ControlSequence() {
        if (FPos >= FData.size())
            return;
        char c = FData.at(FPos);
        if (!IsLetter(c)) {
            ++FPos;
            ControlSymbol(c);
            return;
        }
        qsizetype start = FPos;
        while (FPos < FData.size() && IsLetter(FData.at(FPos)) && FPos - start < MaxWordLength)
            ++FPos;
        QByteArray word = FData.mid(start, FPos - start);
        while (FPos < FData.size() && IsLetter(FData.at(FPos)))
            ++FPos;  // an overlong word: the rest is dropped with it
        bool hasParam = false;
        bool negative = false;
        qint64 param = 0;
        if (FPos < FData.size() && FData.at(FPos) == '-' && FPos + 1 < FData.size() &&
            IsDigit(FData.at(FPos + 1))) {
            negative = true;
            ++FPos;
        }
        while (FPos < FData.size() && IsDigit(FData.at(FPos))) {
            hasParam = true;
            if (param < 100000000000LL)  // further digits cannot bring it back into range
                param = param * 10 + (FData.at(FPos) - '0');
            ++FPos;
        }
        if (FPos < FData.size() && FData.at(FPos) == ' ')
            ++FPos;  // the delimiting blank belongs to the control word
        if (negative)
            param = -param;
        int value = int(std::clamp<qint64>(param, -2147483647LL, 2147483647LL));
        ControlWord(word, hasParam, value);
    }

    void ControlSymbol(char c) {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            Character(QChar::fromLatin1(c));
            break;
        case '\'':
            HexCharacter();
            break;
        case '~':
            Character(u'\u00A0');
            break;
        case '_':
            Character(u'\u2011');
            break;
        case '*':
            if (!FStack.isEmpty())
                State().Destination = dSkip;  // a destination we do not know: skip its group
            break;
        case '\r':
        case '\n':
            Paragraph();
            break;
        default:
            break;  // \- (optional hyphen), \: and the rest show nothing
        }
    }

    void HexCharacter() {
        int value = 0;
        for (int i = 0; i < 2; ++i) {
            if (FPos >= FData.size())
                return;
            char c = FData.at(FPos);
            int digit = IsDigit(c) ? c - '0'
                        : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                        : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                                 : -1;
            if (digit < 0)
                return;
            value = value * 16 + digit;
            ++FPos;
        }
        Character(Cp1252Char(static_cast<unsigned char>(value)));
    }

    void ControlWord(const QByteArray &word, bool hasParam, int param) {
        if (FStack.isEmpty())
            return;
        if (word == "bin") {
            // Binary data follows raw: skip it whole.
            FlushText();
            qint64 count = std::clamp<qint64>(hasParam ? param : 0, 0, FData.size() - FPos);
            FPos += count;
            return;
        }
        TGroupState &state = State();
        if (state.Destination == dSkip)
            return;
        if (word == "fonttbl") {
            FlushText();
            state.Destination = dFontTable;
            return;
        }
        if (word == "colortbl") {
            FlushText();
            state.Destination = dColorTable;
            FColorOpen = false;
            return;
        }
        if (IsDestinationToSkip(word)) {
            FlushText();
            state.Destination = dSkip;
            return;
        }
        if (state.Destination == dFontTable) {
            if (word == "f" && hasParam) {
                EndFontEntry();
                FFontNumber = param;
            } else if (word == "u" && hasParam) {
                Unicode(param);
            }
            return;
        }
        if (state.Destination == dColorTable) {
            int component = std::clamp(param, 0, 255);
            if (word == "red") FRed = component;
            else if (word == "green") FGreen = component;
            else if (word == "blue") FBlue = component;
            else return;
            FColorOpen = true;
            return;
        }
        TextControlWord(word, hasParam, param);
    }

    void TextControlWord(const QByteArray &word, bool hasParam, int param) {
        TGroupState &state = State();
        bool on = !hasParam || param != 0;
        if (word == "u") {
            if (hasParam)
                Unicode(param);
            return;
        }
        // Any other control word ends the fallback text of a \u.
        FSkipChars = 0;
        if (word == "par") { Paragraph(); return; }
        if (word == "line") { Character(QChar::LineSeparator); return; }
        if (word == "tab" || word == "cell") { Character(u'\t'); return; }
        if (word == "row") { Paragraph(); return; }
        if (word == "emdash") { Character(u'\u2014'); return; }
        if (word == "endash") { Character(u'\u2013'); return; }
        if (word == "emspace") { Character(u'\u2003'); return; }
        if (word == "enspace") { Character(u'\u2002'); return; }
        if (word == "bullet") { Character(u'\u2022'); return; }
        if (word == "lquote") { Character(u'\u2018'); return; }
        if (word == "rquote") { Character(u'\u2019'); return; }
        if (word == "ldblquote") { Character(u'\u201C'); return; }
        if (word == "rdblquote") { Character(u'\u201D'); return; }
        if (word == "uc") { state.UnicodeSkip = std::clamp(param, 0, 10); return; }
        if (word == "deff") { FDefaultFont = param; return; }

        // Formatting: the text so far keeps the format it was written in.
        FlushText();
        TCharState &ch = state.Char;
        TParaState &para = state.Para;
        if (word == "b") ch.Bold = on;
        else if (word == "i") ch.Italic = on;
        else if (word == "strike") ch.StrikeOut = on;
        else if (word == "ulnone") ch.Underline = false;
        else if (word == "ul" || (word.startsWith("ul") && word != "ulc")) ch.Underline = on;
        else if (word == "f" && hasParam) ch.Font = param;
        else if (word == "fs" && hasParam && param > 0) ch.HalfPoints = std::min(param, RtfMaxHalfPoints);
        else if (word == "cf" && hasParam) ch.Color = std::max(param, 0);
        else if (word == "plain") ch = TCharState();
        else if (word == "pard") para = TParaState();
        else if (word == "ql") para.Alignment = Qt::AlignLeft;
        else if (word == "qr") para.Alignment = Qt::AlignRight;
        else if (word == "qc") para.Alignment = Qt::AlignHCenter;
        else if (word == "qj") para.Alignment = Qt::AlignJustify;
        else if (word == "li" && hasParam) para.LeftTwips = ClampTwips(param);
        else if (word == "ri" && hasParam) para.RightTwips = ClampTwips(param);
        else if (word == "fi" && hasParam) para.FirstTwips = ClampTwips(param);
    }

    static int ClampTwips(int twips) { return std::clamp(twips, -RtfMaxIndentTwips, RtfMaxIndentTwips); }

    void Unicode(int code) {
        int unit = code < 0 ? code + 65536 : code;
        if (unit > 0 && unit <= 0xFFFF)
            Character(QChar(char16_t(unit)), true);
        FSkipChars = FStack.isEmpty() ? 0 : State().UnicodeSkip;
    }

    // One character of text. Characters that stand in for a preceding \u are dropped.
    void Character(QChar c, bool fromUnicode = false) {
        if (FStack.isEmpty())
            return;  // text outside every group is not part of the document
        if (!fromUnicode && FSkipChars > 0) {
            --FSkipChars;
            return;
        }
        switch (State().Destination) {
        case dText:
            FText.append(c);
            break;
        case dFontTable:
            if (c == QLatin1Char(';'))
                EndFontEntry();
            else
                FFontName.append(c);
            break;
        case dColorTable:
            if (c == QLatin1Char(';')) {
                FColors.append(FColorOpen ? QColor(FRed, FGreen, FBlue) : QColor());
                FRed = FGreen = FBlue = 0;
                FColorOpen = false;
            }
            break;
        case dSkip:
            break;
        }
    }

    void EndFontEntry() {
        QString name = FFontName.trimmed();
        if (FFontNumber >= 0 && !name.isEmpty() && !FFonts.contains(FFontNumber))
            FFonts.insert(FFontNumber, name);
        FFontName.clear();
    }

    QTextCharFormat CharFormat(const TCharState &ch) const {
        QTextCharFormat format;
        QString family = FFonts.value(ch.Font < 0 ? FDefaultFont : ch.Font,
                                      FFonts.value(FDefaultFont));
        if (!family.isEmpty())
            format.setFontFamilies(QStringList{family});
        format.setFontPointSize(ch.HalfPoints / 2.0);
        format.setFontWeight(ch.Bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(ch.Italic);
        format.setFontUnderline(ch.Underline);
        format.setFontStrikeOut(ch.StrikeOut);
        QColor color = ch.Color > 0 && ch.Color < FColors.size() ? FColors.at(ch.Color) : QColor();
        if (color.isValid())
            format.setForeground(color);
        return format;
    }

    static QTextBlockFormat BlockFormat(const TParaState &para) {
        QTextBlockFormat format;
        format.setAlignment(para.Alignment);
        format.setLeftMargin(TwipsToPixels(para.LeftTwips));
        format.setRightMargin(TwipsToPixels(para.RightTwips));
        format.setTextIndent(TwipsToPixels(para.FirstTwips));
        return format;
    }

    // A paragraph mark ends the current block; the next block is made only when something
    // follows, so the mark after the last paragraph adds no empty paragraph.
    void StartPendingBlock() {
        if (FBlockPending) {
            FCursor.insertBlock();
            FBlockPending = false;
        }
    }

    void FlushText() {
        if (FText.isEmpty())
            return;
        StartPendingBlock();
        FCursor.insertText(FText, CharFormat(State().Char));
        FText.clear();
    }

    void EndBlock(const TGroupState &state) {
        FCursor.setBlockFormat(BlockFormat(state.Para));
        // An empty paragraph still has a font: it sets the paragraph's height.
        if (FCursor.block().length() <= 1)
            FCursor.setBlockCharFormat(CharFormat(state.Char));
    }

    void Paragraph() {
        if (FStack.isEmpty() || State().Destination != dText)
            return;
        FlushText();
        StartPendingBlock();
        EndBlock(State());
        FBlockPending = true;
    }

    void Finish() {
        if (!FStack.isEmpty()) {
            // Cut off inside a group: keep the text read so far, in its format.
            FlushText();
            FLastState = FStack.first();
            for (const TGroupState &state : FStack)
                if (state.Destination == dText)
                    FLastState = state;
        }
        if (!FBlockPending)
            EndBlock(FLastState);
    }

    const QByteArray &FData;
    QTextDocument &FDocument;
    QTextCursor FCursor;
    qsizetype FPos = 0;
    QList<TGroupState> FStack;
    TGroupState FLastState;
    int FExcessDepth = 0;
    int FSkipChars = 0;
    QString FText;
    bool FBlockPending = false;

    QHash<int, QString> FFonts;
    int FDefaultFont = 0;
    int FFontNumber = -1;
    QString FFontName;

    QList<QColor> FColors;
    int FRed = 0, FGreen = 0, FBlue = 0;
    bool FColorOpen = false;
};

}  // namespace

bool IsRtf(const QByteArray &data) {
    qsizetype i = 0;
    while (i < data.size() && (data.at(i) == ' ' || data.at(i) == '\t' || data.at(i) == '\r' ||
                               data.at(i) == '\n'))
        ++i;
    return data.mid(i, 5) == "{\\rtf";
}

bool ReadRtf(const QByteArray &data, QTextDocument &document) {
    if (!IsRtf(data)) {
        document.setPlainText(DecodeText8(data));
        return false;
    }
    TRtfReader(data, document).Run();
    return true;
}
