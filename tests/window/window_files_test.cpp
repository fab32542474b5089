// The window's file commands: the unsaved-changes guard of New, Open and Close with every
// answer, the recent files, a failed Open, and Save as.
#include "window_fixture.h"

#include "design/designer.h"
#include "model/design_report.h"
#include "model/vendamo_bands.h"

#include "host/menu_controls.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTest>
#include <QUrl>

namespace {

int BandCount(TComponent *form) {
    int n = 0;
    for (TComponent *c : form->Components()) n += qobject_cast<TRepBand *>(c->Object()) ? 1 : 0;
    return n;
}

}  // namespace

class WindowFilesTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Demo = DemoReport(QStringLiteral("customer-list.QR2"));
        ASSERT_TRUE(Window->OpenReportFile(Demo));
        Bands = BandCount(Window.get());
        ASSERT_GT(Bands, 3);
    }
    // A change the guard must notice.
    void Change() { Window->VDMDesigner1->SetHasChanged(true); }
    // Copies of the demo report under new names.
    QString Copy(int i) {
        const QString name = Dir.Path(QStringLiteral("report%1.QR2").arg(i));
        QFile::copy(Demo, name);
        return name;
    }

    QString Demo;
    int Bands = 0;
};

TEST_F(WindowFilesTest, OpenSetsCaptionRecentListAndRuler) {
    EXPECT_EQ(Window->Caption(), Demo);
    EXPECT_EQ(Window->FileName(), Demo);
    EXPECT_EQ(Window->RecentFiles(), QStringList{Demo});
    EXPECT_FALSE(Window->VDMDesigner1->HasChanged());
    EXPECT_FALSE(Window->VDMDesigner1->CanUndo());
}

TEST_F(WindowFilesTest, NewAsksAboutUnsavedChangesAndStartsAnEmptyReport) {
    Change();
    Script->AnswerConfirm(mrCancel);
    QTest::keyClick(Window.get(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(Script->Questions().size(), 1);
    EXPECT_EQ(Script->Questions()[0].Text, QStringLiteral("You have not saved the current report! Continue anyway?"));
    EXPECT_EQ(BandCount(Window.get()), Bands);
    EXPECT_EQ(Window->FileName(), Demo);

    // New opens the report expert; cancelled, it leaves an empty report.
    Script->AnswerConfirm(mrOk);
    Script->AnswerCancel();
    Window->NewMI->trigger();
    ASSERT_EQ(Script->Questions().size(), 3);
    EXPECT_EQ(Script->Questions()[2].Text, QStringLiteral("TVendamoExpertForm"));
    EXPECT_EQ(BandCount(Window.get()), 0);
    EXPECT_TRUE(Window->FileName().isEmpty());
    EXPECT_EQ(Window->Caption(), TReportDesignerForm::UntitledCaption());
    EXPECT_FALSE(Window->VDMDesigner1->HasChanged());
    EXPECT_FALSE(Window->VDMDesigner1->CanUndo());

    // Without changes there is no question before the expert.
    Script->AnswerCancel();
    Window->NewMI->trigger();
    ASSERT_EQ(Script->Questions().size(), 4);
    EXPECT_EQ(Script->Questions()[3].Kind, QStringLiteral("dialog"));
}

TEST_F(WindowFilesTest, OpenAsksAboutUnsavedChangesFirst) {
    const QString other = Copy(1);
    Change();
    Script->AnswerConfirm(mrCancel);
    ClickButton(Window->OpenSpeedButton);
    ASSERT_EQ(Script->Questions().size(), 1);  // no file dialog after Cancel
    EXPECT_EQ(Window->FileName(), Demo);

    Script->AnswerConfirm(mrOk);
    Script->AnswerFile(other);
    ClickButton(Window->OpenSpeedButton);
    ASSERT_EQ(Script->Questions().size(), 3);
    EXPECT_EQ(Script->Questions()[2].Kind, QStringLiteral("open"));
    EXPECT_EQ(Window->FileName(), other);
    EXPECT_EQ(Window->RecentFiles(), (QStringList{other, Demo}));
}

TEST_F(WindowFilesTest, CloseAsksToSaveWithEveryAnswer) {
    Change();
    // Cancel keeps the window open.
    Script->AnswerConfirm(mrCancel);
    EXPECT_FALSE(Window->close());
    EXPECT_TRUE(Window->isVisible());
    EXPECT_EQ(Script->Questions().last().Text, QStringLiteral("Save report %1?").arg(Demo));

    // Yes on a report never saved asks for a name; cancelling that keeps the window open.
    Script->AnswerConfirm(mrOk);  // the guard of New
    Script->AnswerCancel();       // the report expert
    Window->NewMI->trigger();
    Script->AnswerConfirm(mrYes);
    Script->AnswerCancel();
    Change();
    EXPECT_FALSE(Window->close());
    EXPECT_TRUE(Window->isVisible());

    // Yes with a name saves and closes.
    const QString file = Dir.Path(QStringLiteral("closing.QR2"));
    Script->AnswerConfirm(mrYes);
    Script->AnswerFile(file);
    EXPECT_TRUE(Window->close());
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_EQ(Script->Pending(), 0);
}

TEST_F(WindowFilesTest, CloseWithNoDiscardsAndAFailedSaveKeepsTheWindowOpen) {
    // An untitled report, so that Yes asks for a name: one in a folder that does not exist.
    Script->AnswerCancel();  // the report expert
    Window->NewMI->trigger();
    Change();
    Script->AnswerConfirm(mrYes);
    Script->AnswerFile(Dir.Path(QStringLiteral("gone/report.QR2")));
    EXPECT_FALSE(Window->close());
    EXPECT_TRUE(Window->isVisible());
    EXPECT_FALSE(Script->Errors().isEmpty());
    EXPECT_TRUE(Window->FileName().isEmpty());
    EXPECT_TRUE(Window->VDMDesigner1->HasChanged());

    Script->AnswerConfirm(mrNo);
    EXPECT_TRUE(Window->close());
    EXPECT_FALSE(QFile::exists(Dir.Path(QStringLiteral("gone/report.QR2"))));
}

TEST_F(WindowFilesTest, RecentListKeepsTwentyNewestFirstWithoutDuplicates) {
    QStringList names;
    for (int i = 1; i <= 21; ++i) {
        names << Copy(i);
        ASSERT_TRUE(Window->OpenReportFile(names.last()));
    }
    ASSERT_EQ(Window->RecentFiles().size(), 20);
    EXPECT_EQ(Window->RecentFiles().first(), names[20]);
    EXPECT_EQ(Window->RecentFiles().last(), names[1]);  // the demo and the first copy dropped off
    EXPECT_FALSE(Window->RecentFiles().contains(Demo));
    // Reopening a listed file moves it to the top.
    ASSERT_TRUE(Window->OpenReportFile(names[5]));
    EXPECT_EQ(Window->RecentFiles().size(), 20);
    EXPECT_EQ(Window->RecentFiles().first(), names[5]);
    EXPECT_EQ(Window->RecentFiles().count(names[5]), 1);
}

TEST_F(WindowFilesTest, AFailedOpenLeavesTheWindowAsItWas) {
    Change();
    const QStringList recent = Window->RecentFiles();
    // A missing file.
    EXPECT_FALSE(Window->OpenReportFile(Dir.Path(QStringLiteral("missing.QR2"))));
    EXPECT_EQ(Script->Errors().size(), 1);
    // A damaged file: the right header, then garbage.
    const QString damaged = Dir.Path(QStringLiteral("damaged.QR2"));
    QFile f(damaged);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    QFile demo(Demo);
    ASSERT_TRUE(demo.open(QIODevice::ReadOnly));
    f.write(demo.read(40) + QByteArray(200, '\xff'));
    f.close();
    EXPECT_FALSE(Window->OpenReportFile(damaged));
    EXPECT_EQ(Window->FileName(), Demo);
    EXPECT_EQ(Window->Caption(), Demo);
    EXPECT_EQ(Window->RecentFiles(), recent);
    EXPECT_EQ(BandCount(Window.get()), Bands);
    EXPECT_TRUE(Window->VDMDesigner1->HasChanged());
}

TEST_F(WindowFilesTest, SaveAsRenamesOnlyAfterTheSaveSucceeded) {
    Script->AnswerFile(Dir.Path(QStringLiteral("no/such/folder/x.QR2")));
    EXPECT_FALSE(Window->SaveAsClick());
    EXPECT_EQ(Window->FileName(), Demo);
    EXPECT_EQ(Window->Caption(), Demo);
    EXPECT_FALSE(Script->Errors().isEmpty());

    const QString file = Dir.Path(QStringLiteral("copy.QR2"));
    Script->AnswerFile(file);
    EXPECT_TRUE(Window->SaveAsClick());
    EXPECT_EQ(Window->FileName(), file);
    EXPECT_TRUE(QFile::exists(file));
    // Save then writes to the current name without asking.
    QFile::remove(file);
    Window->VDMDesigner1->SetHasChanged(true);
    QTest::keyClick(Window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_EQ(Script->Pending(), 0);
}

TEST_F(WindowFilesTest, AReportFileDroppedOnTheWindowOpensAfterTheGuard) {
    const QString other = Copy(7);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(other)});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(Window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    // The drop itself (Qt delivers it only from a real drag).
    Change();
    Script->AnswerConfirm(mrCancel);
    EXPECT_FALSE(Window->OpenDropped(&data));
    EXPECT_EQ(Window->FileName(), Demo);
    Script->AnswerConfirm(mrOk);
    EXPECT_TRUE(Window->OpenDropped(&data));
    EXPECT_EQ(Window->FileName(), other);
    EXPECT_EQ(Window->RecentFiles().first(), other);

    // Anything else is not taken.
    QMimeData text;
    text.setUrls({QUrl::fromLocalFile(Dir.Path(QStringLiteral("notes.txt")))});
    QDragEnterEvent refused(QPoint(50, 50), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    refused.setAccepted(false);
    QApplication::sendEvent(Window.get(), &refused);
    EXPECT_FALSE(refused.isAccepted());
    EXPECT_FALSE(Window->OpenDropped(&text));
}
