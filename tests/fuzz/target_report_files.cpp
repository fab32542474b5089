// Report files: the reader must load a damaged file or refuse it, never more.
#include "fuzz_target.h"
#include "regression_inputs.h"

#include "full_report.h"

#include "persist/report_reader.h"

#include <QImage>

namespace {

QList<QByteArray> ReportSeeds() {
    QList<QByteArray> seeds;
    {
        TReportForm f;
        BuildFullReport(f);
        f.Designer->SaveImagesInReportfile = true;
        seeds << f.Save(true) << f.Save(false);
    }
    {
        // A small report whose picture is stored in the file, so the picture bytes get hit often.
        TReportForm f;
        TVendamoBand *band = f.AddBand(QStringLiteral("Detail"), rbDetail);
        auto *image = f.AddElement<TVendamoImage>(QStringLiteral("Picture"), band, 1, 1, 20, 10);
        QImage pixels(6, 4, QImage::Format_RGB32);
        pixels.fill(qRgb(10, 200, 30));
        TBitmap bitmap;
        bitmap.SetImage(pixels);
        image->Picture()->Assign(&bitmap);
        f.AddElement<TVendamoLabel>(QStringLiteral("Caption"), band, 30, 1, 20, 5)->SetCaption(QStringLiteral("x"));
        f.Designer->SaveImagesInReportfile = true;
        seeds << f.Save(false);
    }
    seeds << HandReportStart()
                 .Raw(HandReportRecord())
                 .Raw(HandBandRecord(1, 2, "Detail"))
                 .Raw(HandLabelRecord(1, "L", "x"))
                 .Word(256)
                 .Data();
    return seeds;
}

}  // namespace

TFuzzTarget ReportFileTarget() {
    TFuzzTarget t;
    t.Name = QStringLiteral("report_file");
    t.Seeds = ReportSeeds;
    t.Regressions = ReportFileRegressions;
    t.Run = [](const QByteArray &input) {
        // Opening datasets is slow; most inputs read past them, one in eight (chosen by the
        // bytes, so a replay does the same) opens them too.
        const bool datasets = qHash(input) % 8 == 0;
        TReportForm f;
        TMemoryStream s(input);
        return Load_Report_From_Stream(s, nullptr, f.Designer, datasets, QString(), f.Report, f.Form.get());
    };
    t.Tokens = {QByteArray("\xFF\x00", 2), QByteArray("\x00\x01", 2), QByteArray("\xFF\xFF\xFF\x7F", 4)};
    return t;
}
