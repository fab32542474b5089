#include "regression_inputs.h"

#include "persist_fixture.h"

#include "model/vendamo_bands.h"

#include <QtEndian>

namespace {

// The samples with the binary value of a component-stream property overwritten by noise of the
// same length: picture bytes that do not decode.
QList<QByteArray> WithUndecodablePicture(const QList<QByteArray> &samples, const QByteArray &path) {
    QList<QByteArray> damaged;
    const QByteArray key = char(path.size()) + path + char(7);
    for (QByteArray data : samples) {
        const qsizetype at = data.indexOf(key);
        if (at < 0 || at + key.size() + 4 > data.size()) continue;
        const qint32 length = qFromLittleEndian<qint32>(data.constData() + at + key.size());
        if (length <= 0 || at + key.size() + 4 + length > data.size()) continue;
        data.replace(at + key.size() + 4, length, QByteArray(length, 'x'));
        damaged << data;
    }
    return damaged;
}

// The samples with their first font name entry turned into a name entry whose value is not an
// identifier: the component refused the name with an error of its own, not the stream's.
QList<QByteArray> WithNameThatIsNoIdentifier(const QList<QByteArray> &samples) {
    QList<QByteArray> damaged;
    const QByteArray key("\x09" "Font.Name\x05");
    for (QByteArray data : samples) {
        const qsizetype at = data.indexOf(key);
        if (at < 0 || at + key.size() + 4 > data.size()) continue;
        const qint32 length = qFromLittleEndian<qint32>(data.constData() + at + key.size());
        if (length < 0 || at + key.size() + 4 + length > data.size()) continue;
        data.replace(at, key.size() + 4 + length, QByteArray("\x04Name\x05\x07\x00\x00\x00no name", 17));
        damaged << data;
    }
    return damaged;
}

// The samples with their first element size value turned into nil for the size object itself:
// the element refused it with a conversion error that escaped the reader.
QList<QByteArray> WithNilSizeObject(const QList<QByteArray> &samples) {
    QList<QByteArray> damaged;
    const QByteArray key("\x0b" "Size.Height\x04");
    for (QByteArray data : samples) {
        const qsizetype at = data.indexOf(key);
        if (at < 0 || at + key.size() + 10 > data.size()) continue;
        data.replace(at, key.size() + 10, QByteArray("\x04" "Size\x00", 6));
        damaged << data;
    }
    return damaged;
}

}  // namespace

QList<QByteArray> ReportFileRegressions(const QList<QByteArray> &) {
    // Thousands of labels of one name: each looked for a free number from 1 again.
    TBytes sameName = HandReportStart();
    sameName.Raw(HandReportRecord()).Raw(HandBandRecord(1, rbDetail, "Detail"));
    for (int i = 0; i < 3000; ++i) sameName.Raw(HandLabelRecord(1, "Same", "x"));
    sameName.Word(256);
    // Hundreds of bands, each followed by a chain of child bands: arranging the bands after each
    // one read took the cube of their number, and then the square after every band change.
    TReportForm f;
    for (int i = 0; i < 400; ++i) {
        TRepBand *parent = f.AddBand(QStringLiteral("Detail%1").arg(i), rbDetail, 2);
        for (int k = 0; k < 2; ++k) {
            auto *child = f.Add<TVendamoChildBand>(QStringLiteral("Child%1_%2").arg(i).arg(k), f.Report);
            child->SetParentBand(parent);
            parent = child;
        }
    }
    return {sameName.Data(), f.Save(false)};
}

QList<QByteArray> ElementStreamRegressions(const QList<QByteArray> &samples) {
    return WithUndecodablePicture(samples, "Picture") + WithNameThatIsNoIdentifier(samples) + WithNilSizeObject(samples);
}

QList<QByteArray> ComponentStreamRegressions(const QList<QByteArray> &samples) {
    // The largest integers as a radio group's column count (the buttons' grid overflowed) and as
    // a control's position (Qt's geometry arithmetic overflowed on the next resize).
    QList<QByteArray> damaged;
    for (const QByteArray &key : {QByteArray("\x07" "Columns\x03"), QByteArray("\x03" "Top\x03"), QByteArray("\x04" "Left\x03")})
        for (QByteArray data : samples) {
            const qsizetype at = data.indexOf(key);
            if (at < 0 || at + key.size() + 8 > data.size()) continue;
            data.replace(at + key.size(), 8, QByteArray("\xff\xff\xff\x7f\x00\x00\x00\x00", 8));
            damaged << data;
        }
    return damaged;
}

QList<QByteArray> RtfRegressions(const QList<QByteArray> &) {
    // One paragraph of thousands of runs of alternating format: reading took quadratic time.
    QByteArray runs = "{\\rtf1 ";
    for (int i = 0; i < 6000; ++i) runs += i % 2 ? "\\i0 run " : "\\i italic ";
    return {runs + "}"};
}

QList<QByteArray> LanguageFileRegressions(const QList<QByteArray> &) { return {}; }

QList<QByteArray> SettingsFileRegressions(const QList<QByteArray> &) {
    // Thousands of sections: listing them took quadratic time.
    QByteArray sections;
    for (int i = 0; i < 20000; ++i) sections += "[S" + QByteArray::number(i) + "]\r\n";
    return {sections + "[Printer]\r\nPaperSize=9\r\n"};
}

QList<QByteArray> PictureRegressions(const QList<QByteArray> &) { return {}; }
