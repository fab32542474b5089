#pragma once
// Constants shared by the report model, the report files and the designer: the identifiers that
// open report and element files, the kind-name tables, the component-name limit, and the names of
// the common element properties that generic code reads and writes by name.
#include <QString>
#include <QtGlobal>
#include <array>

// File identifiers: the first 16-bit word of a stream.
constexpr quint16 OldReportFileID = 0x0402;     // oldest report layout (59-byte common block, no size word)
constexpr quint16 OldReportFileID093 = 0x0403;  // an older report layout
constexpr quint16 ReportFileID = 0x0404;        // the current report layout, the only one read
constexpr quint16 ElementFileID = 0x1001;       // element files

// Identifier of the report being read; the common-block reader consults it.
extern quint16 CurrentReportID;

// Component names are stored in at most this many characters.
constexpr int ComponentNameStrLength = 63;
// Most stored and edited texts are short strings of at most this many characters.
constexpr int ShortStringLength = 255;
// A kind-name entry holds at most this many characters (a 21-byte length-prefixed string).
constexpr int KindNameLength = 20;

// Band numbers: 0 is no band, 9999 the report itself.
constexpr quint16 NoBandNum = 0;
constexpr quint16 ReportBandNum = 9999;

// Kind-name tables, indexed by the report library's own ordinals. Each entry is a key of the
// run-time message table, through which lists and menus show a translated kind name.
inline constexpr std::array<const char *, 11> BandTypes = {
    "BandTitle",        "BandPageheader", "BandDetail",       "BandPagefooter",
    "BandSummary",      "BandGroupheader", "BandGroupfooter", "BandSubDetail",
    "BandColumnheader", "BandOverlay",    "BandChildband"};

inline constexpr std::array<const char *, 5> CalcTypes = {"CalcSum", "CalcCount", "CalcMaximum", "CalcMinimum",
                                                         "CalcAverage"};

inline constexpr std::array<const char *, 7> SysDataTypes = {
    "SysdataTime",        "SysdataDate",          "SysdataDateTime",    "SysdataPagenumber",
    "SysdataReporttitle", "SysdataDetailcounter", "SysdataDetailnumber"};

inline constexpr std::array<const char *, 6> ShapeTypes = {"ShapeRectangle",      "ShapeCircle",
                                                          "ShapeVerticalLine",   "ShapeHorizontalLine",
                                                          "ShapeTopBottomLines", "ShapeLeftRightLines"};

// The kind name of an ordinal, or an empty text when the ordinal is outside the table (a damaged
// file must not index past it).
template <size_t N>
QString KindName(const std::array<const char *, N> &table, int ordinal) {
    return ordinal >= 0 && size_t(ordinal) < N ? QString::fromLatin1(table[size_t(ordinal)]) : QString();
}

// Names of the common element properties, reached by name on elements of any class.
namespace ElementProperty {
inline const QString BandNum = QStringLiteral("BandNum");
inline const QString GroupID = QStringLiteral("GroupID");
inline const QString BlockDelete = QStringLiteral("BlockDelete");
inline const QString BlockMove = QStringLiteral("BlockMove");
inline const QString BlockResize = QStringLiteral("BlockResize");
inline const QString BlockEdit = QStringLiteral("BlockEdit");
inline const QString BlockChange = QStringLiteral("BlockChange");
inline const QString BlockSelection = QStringLiteral("BlockSelection");
inline const QString StretchHeightWithBand = QStringLiteral("StretchHeightWithBand");
inline const QString FixBottomPosition = QStringLiteral("FixBottomPosition");
inline const QString Tag = QStringLiteral("Tag");
}  // namespace ElementProperty
