#include "persist/common_block.h"

#include "persist/band_numbers.h"
#include "persist/graphic_records.h"
#include "persist/record_block.h"
#include "persist/report_records.h"

#include "host/property_access.h"
#include "host/stream.h"
#include "model/report_constants.h"
#include "reportlib/rep_band.h"

namespace {
constexpr int PenStyleCount = 7;
}

void WriteCommonProperties(TStream &Stream, TRepControl *Element) {
    using namespace ElementProperty;
    TRecordBlock b(BlockSize::Common);
    QObject *parent = Element->parent();
    b.SetWord(0, AsBand(parent) ? BandNumOf(parent) : NoBandNum);
    b.SetFlag(2, Element->Enabled());
    b.SetExtended(3, Element->SizeValue(2));
    b.SetExtended(13, Element->SizeValue(1));
    b.SetExtended(23, Element->SizeValue(3));
    b.SetExtended(33, Element->SizeValue(0));
    const TRepFrame *frame = Element->Frame();
    b.SetInt(43, frame->Color());
    b.SetFlag(47, frame->DrawBottom());
    b.SetFlag(48, frame->DrawLeft());
    b.SetByte(49, quint8(frame->Style()));
    b.SetFlag(50, frame->DrawRight());
    b.SetFlag(51, frame->DrawTop());
    b.SetSmallInt(52, qint16(frame->Width()));
    b.SetFlag(54, GetBooleanProperty(Element, BlockDelete));
    b.SetFlag(55, GetBooleanProperty(Element, BlockMove));
    b.SetFlag(56, GetBooleanProperty(Element, BlockResize));
    b.SetFlag(57, GetBooleanProperty(Element, BlockEdit));
    b.SetFlag(58, GetBooleanProperty(Element, BlockChange));
    b.SetFlag(59, GetBooleanProperty(Element, StretchHeightWithBand));
    b.SetFlag(60, GetBooleanProperty(Element, FixBottomPosition));
    b.SetInt(61, Element->Tag());
    b.SetInt(65, qint32(GetIntegerProperty(Element, GroupID)));
    Bin::WriteWord(Stream, BlockSize::Common);
    b.WriteTo(Stream);
    Bin::WriteShortString(Stream, Element->Hint());
    Bin::WriteShortString(Stream, Element->Name(), ComponentNameStrLength);
}

void ReadCommonProperties(TStream &Stream, TComponent *ReportForm, QWidget *DefaultParent, TRepControl *Element) {
    using namespace ElementProperty;
    TRecordBlock b(BlockSize::Common);
    if (CurrentReportID == OldReportFileID)
        b.ReadFrom(Stream, BlockSize::OldCommon);
    else
        b.ReadSizedFrom(Stream);

    const quint16 bandNum = b.Word(0);
    if (bandNum == NoBandNum)
        Element->SetParent(DefaultParent);
    else
        Element->SetParent(GetBand(ReportForm, bandNum));  // no such band: no parent

    // Nothing may resize the element while its position and size are set.
    SetBooleanProperty(Element, QStringLiteral("AutoSize"), false);
    SetBooleanProperty(Element, QStringLiteral("WordWrap"), false);
    Element->SetSizeValue(0, b.Extended(33));
    Element->SetSizeValue(1, b.Extended(13));
    Element->SetSizeValue(2, b.Extended(3));
    Element->SetSizeValue(3, b.Extended(23));
    Element->SetEnabled(b.Flag(2));
    TRepFrame *frame = Element->Frame();
    frame->SetColor(b.Int(43));
    frame->SetDrawBottom(b.Flag(47));
    frame->SetDrawLeft(b.Flag(48));
    frame->SetDrawRight(b.Flag(50));
    frame->SetDrawTop(b.Flag(51));
    frame->SetWidth(b.SmallInt(52));
    frame->SetStyle(TPenStyle(KnownOrdinal(b.Byte(49), PenStyleCount)));
    Element->SetTag(b.Int(61));
    SetBooleanProperty(Element, BlockDelete, b.Flag(54));
    SetBooleanProperty(Element, BlockMove, b.Flag(55));
    SetBooleanProperty(Element, BlockResize, b.Flag(56));
    SetBooleanProperty(Element, BlockEdit, b.Flag(57));
    SetBooleanProperty(Element, BlockChange, b.Flag(58));
    SetBooleanProperty(Element, StretchHeightWithBand, b.Flag(59));
    SetBooleanProperty(Element, FixBottomPosition, b.Flag(60));
    SetIntegerProperty(Element, GroupID, b.Int(65));
    Element->SetHint(Bin::ReadShortString(Stream));
}
