// Breaking text into printed lines at 96 pixels per inch.
#include "reportlib/rep_text_layout.h"

#include "host/font.h"

#include <gtest/gtest.h>

namespace {

TRepTextMetrics Metrics() {
    TFont font;
    font.SetName("Liberation Sans");
    font.SetSize(10);
    return TRepTextMetrics(font.ToQFont(100));
}

}  // namespace

TEST(RepTextLayout, LineBreaksOfEveryKindSplitParagraphs) {
    const TRepTextMetrics m = Metrics();
    EXPECT_EQ(RepBreakText("a\r\nb\nc\rd", m, 0, false), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(RepBreakText("", m, 100, true), QStringList({""}));
    EXPECT_EQ(RepBreakText("x\n\ny", m, 100, true), QStringList({"x", "", "y"}));
}

TEST(RepTextLayout, WrapsAtBlanksAndBreaksWordsThatAloneAreTooWide) {
    const TRepTextMetrics m = Metrics();
    const double width = qMax(m.Width("alpha beta"), m.Width("gamma delta")) + 1;
    const QStringList lines = RepBreakText("alpha beta gamma delta", m, width, true);
    EXPECT_EQ(lines, QStringList({"alpha beta", "gamma delta"}));
    for (const QString &l : lines) EXPECT_LE(m.Width(l), width);
    // Without word wrap the text stays on one line.
    EXPECT_EQ(RepBreakText("alpha beta gamma delta", m, width, false).size(), 1);
    // A word wider than the line is cut where it no longer fits, nothing is lost.
    const QString word(40, u'W');
    const QStringList parts = RepBreakText(word, m, m.Width("WWWWW") + 1, true);
    EXPECT_GT(parts.size(), 4);
    EXPECT_EQ(parts.join(QString()), word);
}

TEST(RepTextLayout, UpperBoundNeverUnderestimates) {
    const TRepTextMetrics m = Metrics();
    for (const QString &t : {QString("AVAVAVAV To Ta"), QString("Wkthwqzwuognrhpxtlhmkdvxpnvct"), QString("1,234.56"),
                             QString::fromUtf8("Grüße, Ωmega ✓")})
        EXPECT_GE(m.UpperBound(t), m.Width(t)) << t.toStdString();
}

TEST(RepTextLayout, HugeTextsStayBounded) {
    const TRepTextMetrics m = Metrics();
    const QString many = QString("line\n").repeated(50000);
    EXPECT_EQ(RepBreakText(many, m, 100, true, 1000).size(), 1000);
    EXPECT_EQ(RepBreakText(QString(100000, u'x'), m, 50, true, 200).size(), 200);
}
