#include "persist_fixture.h"

#include "host/extended_float.h"
#include "persist/report_reader.h"
#include "persist/report_writer.h"

TReportForm::TReportForm() : Form(std::make_unique<TForm>()) {
    Report = new TDesignReport(Form.get());
    Report->SetName(QStringLiteral("Report"));
    Designer = new TTestDesigner(Form.get());
    Designer->SetName(QStringLiteral("Designer"));
    Designer->SetReport(Report);
}

TReportForm::~TReportForm() {
    // The report goes first, unlinking itself from the designer while both exist.
    delete Report;
}

TVendamoBand *TReportForm::AddBand(const QString &name, TRepBandType type, double height) {
    auto *band = Add<TVendamoBand>(name, Report);
    band->SetBandType(type);
    band->SetSizeValue(0, height);
    return band;
}

QByteArray TReportForm::Save(bool saveDatasets) {
    TMemoryStream stream;
    if (!Save_Report_To_Stream(stream, nullptr, Designer, saveDatasets, Form.get())) return QByteArray();
    return stream.Data();
}

bool TReportForm::Load(const QByteArray &bytes, bool loadDatasets, const QString &fileName) {
    TMemoryStream stream(bytes);
    return Load_Report_From_Stream(stream, nullptr, Designer, loadDatasets, fileName, Report, Form.get());
}

TBytes &TBytes::Byte(int v) {
    FData.append(char(quint8(v)));
    return *this;
}

TBytes &TBytes::Word(int v) { return Byte(v & 0xFF).Byte((v >> 8) & 0xFF); }

TBytes &TBytes::Int(qint32 v) {
    const quint32 u = quint32(v);
    return Byte(u & 0xFF).Byte((u >> 8) & 0xFF).Byte((u >> 16) & 0xFF).Byte((u >> 24) & 0xFF);
}

TBytes &TBytes::Ext(double v) { return Raw(ExtendedToByteArray(v)); }

TBytes &TBytes::Str(const QByteArray &latin1) { return Byte(int(latin1.size())).Raw(latin1); }

TBytes &TBytes::Fixed(const QByteArray &latin1, int size) { return Str(latin1).Zeros(size - 1 - int(latin1.size())); }

TBytes &TBytes::Zeros(int count) {
    FData.append(QByteArray(count, '\0'));
    return *this;
}

TBytes &TBytes::Raw(const QByteArray &bytes) {
    FData.append(bytes);
    return *this;
}

QByteArray FontBlock(qint32 color, int height, int pitch, int size, int style, const QByteArray &name) {
    return TBytes().Int(color).Word(height).Byte(pitch).Word(size).Word(style).Byte(int(name.size())).Raw(name).Data();
}

QByteArray HandReportRecord(int units, int paperSize, double width, double length, int options) {
    TBytes b;
    b.Record(255, 356);
    b.Word(0);                        // no dataset
    b.Int(0).Byte(0).Byte(0).Byte(0).Byte(0).Byte(0).Word(1);  // frame
    b.Byte(options);
    b.Ext(10).Word(1).Ext(0).Ext(10).Ext(length).Byte(0).Byte(paperSize).Ext(10).Byte(1).Ext(10).Ext(width);
    b.Word(1).Byte(0).Byte(0);        // copies, duplex, bin
    b.Fixed("Hand made");
    b.Byte(0).Byte(1).Byte(units).Int(100);
    b.Word(0);                        // description lines
    b.Raw(FontBlock(0, -13, 0, 10, 0, "Arial"));
    b.Str("").Str("HandReport");
    return b.Data();
}

QByteArray HandLabelRecord(int bandNum, const QByteArray &name, const QByteArray &caption, double left, double top,
                           double width, double height) {
    TBytes b;
    b.Record(0, 13);
    b.Word(69).Word(bandNum).Byte(1).Ext(top).Ext(left).Ext(width).Ext(height);
    b.Int(0).Zeros(5).Word(1).Zeros(7).Int(0).Int(0);
    b.Str("").Str(name);
    b.Raw(FontBlock(0, -13, 0, 10, 0, "Arial"));
    b.Byte(0).Byte(0).Byte(0).Byte(0).Int(0xFFFFFF).Byte(0).Byte(0).Byte(1).Word(0);
    b.Str(caption);
    return b.Data();
}

QByteArray HandBandRecord(int bandNum, int type, const QByteArray &name, double height, int ownClass, int blockSize) {
    TBytes block;
    block.Word(bandNum).Byte(0).Byte(ownClass).Byte(type).Zeros(6).Int(0xFFFFFF).Byte(1).Word(0).Byte(0).Byte(0);
    block.Int(0).Zeros(5).Word(1).Ext(height).Ext(0).Word(0).Byte(0).Word(0).Word(0).Zeros(2);
    block.Fixed("").Byte(0).Word(0).Zeros(2);
    QByteArray fixed = block.Data();
    fixed.resize(blockSize, '\0');
    TBytes b;
    b.Record(101, blockSize).Raw(fixed).Str(name).Raw(FontBlock(0, -13, 0, 10, 0, "Arial")).Str("");
    return b.Data();
}

TBytes HandReportStart(const QByteArray &title) {
    TBytes b;
    b.Word(0x0404).Record(254, 256).Fixed(title);
    return b;
}

int FindRecord(const QByteArray &bytes, int kind, int size, int from) {
    const QByteArray header = TBytes().Word(kind).Word(size).Data();
    return int(bytes.indexOf(header, from));
}
