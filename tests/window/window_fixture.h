#pragma once
// The designer window on the screen (offscreen), with scripted answers to its questions, the
// demo database under the alias DEMODB, and its settings kept in a folder of the test's own.
#include "window/report_designer_form.h"

#include "host/scripted_interaction.h"
#include "test_paths.h"

#include <QJsonObject>
#include <gtest/gtest.h>
#include <memory>

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A demo report file (customer-list.QR2, ...) as the build wrote it.
    static QString DemoReport(const QString &name);
    // Clicks the widget of the report surface at a point given in report coordinates (the
    // element, band or selection handle there gets it).
    void ClickReport(QPoint at, Qt::KeyboardModifiers mods = Qt::NoModifier);
    void DragReport(QPoint from, QPoint to);
    // A button of the window, clicked with the mouse (Shift held when asked).
    void ClickButton(QWidget *button, Qt::KeyboardModifiers mods = Qt::NoModifier);
    // The report's description by `vendamo info --json`.
    static QJsonObject Info(const QString &file);
    // The component of the window with that name, as a widget.
    QWidget *Widget(const QString &name) const;

    TestDir Dir;
    std::unique_ptr<TScriptedInteraction> Script;
    std::unique_ptr<TReportDesignerForm> Window;
};
