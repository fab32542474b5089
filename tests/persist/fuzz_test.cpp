// Damaged report files: thousands of mutated and truncated copies of writer-made files go through
// the reader. None may crash, hang or leave anything behind after its form is gone.
#include "full_report.h"

#include "persist/report_reader.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

QByteArray Mutate(QByteArray bytes, QRandomGenerator &rng) {
    const int kind = rng.bounded(5);
    const int n = int(bytes.size());
    if (kind == 0) return bytes.left(rng.bounded(n));  // truncated
    if (kind == 1) {                                 // a few flipped bytes
        for (int i = 0, count = 1 + rng.bounded(4); i < count; ++i) bytes[rng.bounded(n)] = char(rng.bounded(256));
        return bytes;
    }
    if (kind == 2) {  // a count or size word made huge or zero
        const int at = rng.bounded(n - 1);
        const quint16 v = rng.bounded(2) ? 0xFFFF : quint16(rng.bounded(3));
        bytes[at] = char(v & 0xFF);
        bytes[at + 1] = char(v >> 8);
        return bytes;
    }
    if (kind == 3) {  // a slice removed
        const int at = rng.bounded(n);
        return bytes.remove(at, rng.bounded(1, 64));
    }
    QByteArray noise(rng.bounded(1, 32), '\0');  // noise inserted
    for (char &c : noise) c = char(rng.bounded(256));
    return bytes.insert(rng.bounded(n), noise);
}

TEST(Fuzz, MutatedAndTruncatedReportsNeverCrash) {
    TScriptedInteraction ui;
    QList<QByteArray> seeds;
    {
        TReportForm f;
        BuildFullReport(f);
        f.Designer->SaveImagesInReportfile = true;
        seeds << f.Save(true) << f.Save(false);
    }
    seeds << HandReportStart().Raw(HandReportRecord()).Raw(HandBandRecord(1, 2, "Detail")).Raw(HandLabelRecord(1, "L", "x")).Word(256).Data();

    QRandomGenerator rng(20240611);
    QElapsedTimer timer;
    timer.start();
    int runs = 0, loaded = 0;
    for (; runs < 4000 && timer.elapsed() < 15000; ++runs) {
        const QByteArray input = Mutate(seeds[runs % seeds.size()], rng);
        // Without datasets most runs stay fast; every eighth opens datasets too.
        const bool datasets = runs % 8 == 0;
        TReportForm f;
        TMemoryStream s(input);
        if (Load_Report_From_Stream(s, nullptr, f.Designer, datasets, QString(), f.Report, f.Form.get())) ++loaded;
        ui.Clear();
    }
    EXPECT_GE(runs, 1000);
    EXPECT_GT(loaded, 0);
    std::cout << "fuzz: " << runs << " runs, " << loaded << " loaded, " << timer.elapsed() << " ms\n";
}

}  // namespace
