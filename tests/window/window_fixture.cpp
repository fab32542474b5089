#include "window_fixture.h"

#include "demo_database.h"
#include "design_fixture.h"

#include "dblib/session.h"
#include "env/settings_file.h"
#include "model/design_report.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QSettings>
#include <QTest>

namespace {

// The demo database, made once for the whole program.
void EnsureDemoDatabase() {
    static TestDir dir;
    static const bool made = [] {
        const QString tables = DemoDatabase::Create(dir.Path());
        return Session().AddAliasDefinition(QStringLiteral("DEMODB=") + tables);
    }();
    ASSERT_TRUE(made);
}

}  // namespace

void WindowTest::SetUp() {
    EnsureDemoDatabase();
    // Window state and the settings file stay within this test.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, Dir.Path(QStringLiteral("config")));
    QFile::remove(VendamoSettingsFileName());
    Script = std::make_unique<TScriptedInteraction>();
    Window = std::make_unique<TReportDesignerForm>();
    EXPECT_TRUE(Window->windowState() & Qt::WindowMaximized);  // the first start
    Window->setWindowState(Qt::WindowNoState);
    Window->resize(1000, 700);
    Window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
    Window->activateWindow();
    QTest::qWaitForWindowActive(Window.get());
}

void WindowTest::TearDown() {
    Window.reset();
    Script.reset();
    QFile::remove(VendamoSettingsFileName());
}

QString WindowTest::DemoReport(const QString &name) { return QDir(QStringLiteral(DEMO_REPORTS_DIR)).filePath(name); }

namespace {

// The visible widget under a report point, and the point in its coordinates.
std::pair<QWidget *, QPoint> Target(QWidget *report, QPoint at) {
    QWidget *w = report->childAt(at);
    if (!w) w = report;
    return {w, w->mapFrom(report, at)};
}

}  // namespace

void WindowTest::ClickReport(QPoint at, Qt::KeyboardModifiers mods) {
    auto [w, p] = Target(Window->DesignReport, at);
    Click(w, p, mods);
}

void WindowTest::DragReport(QPoint from, QPoint to) {
    auto [w, p] = Target(Window->DesignReport, from);
    Drag(w, p, p + (to - from));
}

void WindowTest::ClickButton(QWidget *button, Qt::KeyboardModifiers mods) {
    ASSERT_TRUE(button && button->isVisible());
    QTest::mouseClick(button, Qt::LeftButton, mods, button->rect().center());
}

QJsonObject WindowTest::Info(const QString &file) {
    QProcess tool;
    tool.start(QStringLiteral(VENDAMO_BIN), {QStringLiteral("info"), file, QStringLiteral("--json")});
    tool.waitForFinished(30000);
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(tool.readAllStandardOutput()).object();
}

QWidget *WindowTest::Widget(const QString &name) const {
    TComponent *c = Window->FindComponent(name);
    return c ? qobject_cast<QWidget *>(c->Object()) : nullptr;
}
