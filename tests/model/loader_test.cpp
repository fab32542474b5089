// The loader and the design report: how they find each other on a form, the loader's message
// table, and the report surface's mouse and clipboard-key events.
#include "recording_designer.h"

#include "model/design_report.h"
#include "model/loader.h"

#include "host/class_registry.h"
#include "host/forms.h"
#include "host/property_access.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include <memory>

TEST(Loader, FindsTheReportWhicheverComesFirstAndForgetsIt) {
    TForm form;
    auto *first = new TDesignReport(&form);
    auto *second = new TDesignReport(&form);
    auto *loader = new TVDMLoader(&form);
    // At creation the last report of the form is taken.
    EXPECT_EQ(loader->Report(), second);
    EXPECT_EQ(first->Loader(), loader);
    EXPECT_EQ(second->Loader(), loader);
    delete second;
    EXPECT_EQ(loader->Report(), nullptr);
    // Later the first report inserted while none is set.
    auto *third = new TDesignReport(&form);
    auto *fourth = new TDesignReport(&form);
    EXPECT_EQ(loader->Report(), third);
    EXPECT_EQ(fourth->Loader(), loader);
    // Property access by name sees the same link.
    EXPECT_EQ(GetPointerProperty(loader, "Report"), third);
    delete loader;
    EXPECT_EQ(first->Loader(), nullptr);
    EXPECT_EQ(third->Loader(), nullptr);
}

TEST(Loader, AReportOfAnotherOwnerForgetsALoaderThatGoesFirst) {
    TForm a, b;
    auto *report = new TDesignReport(&b);
    auto *loader = new TVDMLoader(&a);
    loader->SetReport(report);
    report->SetLoader(loader);
    delete loader;  // the loader drops its own interest in the report, not the report's in it
    EXPECT_EQ(report->Loader(), nullptr);
}

TEST(Loader, KeepsTheLinkToAReportOfAnotherOwner) {
    TForm a, b;
    auto *loader = new TVDMLoader(&a);
    auto report = std::make_unique<TDesignReport>(&b);
    loader->SetReport(report.get());
    report.reset();
    EXPECT_EQ(loader->Report(), nullptr);
}

TEST(Loader, OwnsACopyOfTheMessageTable) {
    TForm form;
    auto *loader = new TVDMLoader(&form);
    ASSERT_EQ(loader->RuntimeMessages()->Count(), 133);
    EXPECT_EQ(loader->Message("bandpageheader"), "Page Header");
    TStringList lines;
    lines.Add("BandPageHeader=Seitenkopf");
    loader->SetRuntimeMessages(&lines);
    lines.Put(0, "BandPageHeader=changed afterwards");
    EXPECT_EQ(loader->RuntimeMessages()->Count(), 1);
    EXPECT_EQ(loader->Message("BandPageHeader"), "Seitenkopf");
    // A second loader starts from the default table again.
    auto *other = new TVDMLoader(&form);
    EXPECT_EQ(other->Message("BandPageHeader"), "Page Header");
}

TEST(Loader, SearchVendamoerTakesTheFirstLoaderOfTheForm) {
    TForm form;
    EXPECT_EQ(SearchVendamoer(&form), nullptr);
    EXPECT_EQ(SearchVendamoer(nullptr), nullptr);
    new TDesignReport(&form);
    auto *first = new TRecordingDesigner(&form);
    new TVDMLoader(&form);
    EXPECT_EQ(SearchVendamoer(&form), first);
    EXPECT_TRUE(IsDesigner(first));
    EXPECT_FALSE(IsDesigner(SearchVendamoer(nullptr)));
}

TEST(Loader, ClassesAreRegisteredByName) {
    TForm form;
    new TVDMLoader(&form);
    for (const char *name : {"TVDMLoader", "TDesignReport"}) {
        const TComponentClass *c = FindComponentClass(name);
        ASSERT_NE(c, nullptr) << name;
        std::unique_ptr<TComponent> made(c->Create(nullptr));
        EXPECT_EQ(made->ClassName(), name);
    }
}

TEST(DesignReport, SendsItsSurfaceMouseEventsToTheLoader) {
    TForm form;
    auto *designer = new TRecordingDesigner(&form);
    auto *report = new TDesignReport(&form);
    report->setParent(&form);
    SendMouse(report, QEvent::MouseButtonPress, 30, 40);
    SendMouse(report, QEvent::MouseMove, 31, 41);
    SendMouse(report, QEvent::MouseButtonRelease, 32, 42);
    ASSERT_EQ(designer->Calls.size(), 3);
    EXPECT_EQ(designer->Calls[0].Kind, "down");
    EXPECT_EQ(designer->Calls[0].X, 30);
    EXPECT_EQ(designer->Calls[0].Sender, nullptr);
    EXPECT_EQ(designer->Calls[1].Kind, "move");
    EXPECT_EQ(designer->Calls[2].Kind, "up");
    EXPECT_EQ(designer->Calls[2].Y, 42);
}

TEST(DesignReport, ClipboardKeysReachTheDesignerOnly) {
    TForm form;
    auto *designer = new TRecordingDesigner(&form);
    auto *report = new TDesignReport(&form);
    report->setParent(&form);
    const auto key = [report](int k, Qt::KeyboardModifiers m) {
        QKeyEvent press(QEvent::KeyPress, k, m);
        QCoreApplication::sendEvent(report, &press);
    };
    key(Qt::Key_Insert, Qt::ControlModifier);
    key(Qt::Key_Insert, Qt::ShiftModifier);
    key(Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier);   // Ctrl wins: copy
    key(Qt::Key_C, Qt::ControlModifier);
    key(Qt::Key_V, Qt::ControlModifier);
    key(Qt::Key_X, Qt::ControlModifier);
    key(Qt::Key_C, Qt::NoModifier);
    key(Qt::Key_Insert, Qt::NoModifier);
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(designer->Commands, (QStringList{"copy", "paste", "copy", "copy", "paste", "cut"}));

    // A plain loader has no clipboard: the keys do nothing.
    TForm plainForm;
    new TVDMLoader(&plainForm);
    auto *plainReport = new TDesignReport(&plainForm);
    plainReport->setParent(&plainForm);
    QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::sendEvent(plainReport, &paste);
    EXPECT_EQ(designer->Commands.size(), 6);
}

TEST(DesignReport, BackgroundIsCopiedAndDrawnScaledByTheZoom) {
    TForm form;
    auto *report = new TDesignReport(&form);
    TBitmap picture;
    QImage red(20, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    picture.SetImage(red);
    report->SetDesignBackground(&picture);
    picture.Clear();
    EXPECT_EQ(report->DesignBackground()->Width(), 20);
    report->SetDesignBackgroundDX(10);
    report->SetDesignBackgroundDY(20);
    report->SetZoom(50);
    report->Page()->SetRuler(false);
    QImage canvas(report->size(), QImage::Format_RGB32);
    canvas.fill(Qt::white);
    report->render(&canvas);
    // At zoom 50 the picture with DX 10 starts at x 5 and is 10 pixels wide.
    EXPECT_EQ(canvas.pixelColor(4, 12), QColor(Qt::white));
    EXPECT_EQ(canvas.pixelColor(5, 12), QColor(Qt::red));
    EXPECT_EQ(canvas.pixelColor(14, 14), QColor(Qt::red));
    EXPECT_EQ(canvas.pixelColor(15, 14), QColor(Qt::white));
    EXPECT_EQ(canvas.pixelColor(7, 9), QColor(Qt::white));
    EXPECT_EQ(ScaleDesignRect(10, 20, 20, 10, 50), QRect(5, 10, 10, 5));
}
