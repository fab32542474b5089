// The designer component: its published properties and their setters, the design state, and
// loading and saving through it.
#include "design_fixture.h"

#include "host/property_access.h"
#include "host/scripted_interaction.h"
#include "host/stream.h"

#include "test_paths.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(Designer, PublishedPropertiesStartWithTheirValues) {
    TDesignForm f;
    QObject *d = f.Designer;
    EXPECT_TRUE(IsDesigner(d));
    for (const char *name : {"AllowSQLEdit", "AutoEditAfterInsert", "ShowBandNames"})
        EXPECT_TRUE(GetBooleanProperty(d, QString::fromLatin1(name))) << name;
    for (const char *name : {"AllowBlockEdit", "AllowNewCalcFields", "QueriesOnlyInExpert", "QueriesOnlyInDBSetup",
                             "SaveBackupFiles", "SaveImagesInReportfile", "ShowComponentFrames", "UndoEnabled"})
        EXPECT_FALSE(GetBooleanProperty(d, QString::fromLatin1(name))) << name;
    for (const char *name : {"GridSizeX", "GridSizeY", "KeyboardMoveX", "KeyboardMoveY"})
        EXPECT_EQ(GetIntegerProperty(d, QString::fromLatin1(name)), 1) << name;
    EXPECT_EQ(GetIntegerProperty(d, QStringLiteral("MinElementWidth")), 5);
    EXPECT_EQ(GetIntegerProperty(d, QStringLiteral("MinElementHeight")), 5);
    EXPECT_EQ(GetIntegerProperty(d, QStringLiteral("AddCursor")), 0);
    EXPECT_EQ(GetIntegerProperty(d, QStringLiteral("ComponentFrameColor")), clGray);
    EXPECT_EQ(GetIntegerProperty(d, QStringLiteral("ComponentFrameStyle")), 2);
    EXPECT_EQ(GetStringProperty(d, QStringLiteral("BackupFileExtension")), QStringLiteral(".BAK"));
    auto *font = qobject_cast<TFont *>(GetPointerProperty(d, QStringLiteral("BandNameFont")));
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->Name(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(font->Color(), clSilver);
    EXPECT_EQ(font->Height(), 20);
    for (const char *name : {"OnSaveReport", "OnEditQuery", "OnShowInfo", "OnEditProperties", "OnSelectionChanged",
                             "OnDesignStateChanged", "OnDeleteElement", "OnBeforeCopyToClipboard"})
        EXPECT_FALSE(GetMethodProperty(d, QString::fromLatin1(name)).Assigned()) << name;
    for (const char *name : {"AvailableDatasetNames", "AvailableTableNames", "FieldDisplayLabels"}) {
        auto *l = qobject_cast<TStrings *>(GetPointerProperty(d, QString::fromLatin1(name)));
        ASSERT_NE(l, nullptr) << name;
        EXPECT_EQ(l->Count(), 0);
    }
    EXPECT_EQ(f.Designer->VendamoState(), 0);
    EXPECT_FALSE(f.Designer->HasChanged());
    EXPECT_FALSE(f.Designer->RepeatInsertion);
}

TEST(Designer, SettersClampGridStepsIgnoreSmallMinimaAndCopyLists) {
    TDesignForm f;
    QObject *d = f.Designer;
    // A grid of 0 would divide by zero when snapping: steps stay within 1..32.
    SetIntegerProperty(d, QStringLiteral("GridSizeX"), 0);
    SetIntegerProperty(d, QStringLiteral("GridSizeY"), 40);
    EXPECT_EQ(f.Designer->GridSizeX(), 1);
    EXPECT_EQ(f.Designer->GridSizeY(), 32);
    SetIntegerProperty(d, QStringLiteral("GridSizeX"), 8);
    EXPECT_EQ(f.Designer->GridSizeX(), 8);

    SetIntegerProperty(d, QStringLiteral("MinElementWidth"), 4);
    EXPECT_EQ(f.Designer->MinElementWidth(), 5);
    SetIntegerProperty(d, QStringLiteral("MinElementHeight"), 9);
    EXPECT_EQ(f.Designer->MinElementHeight(), 9);

    SetStringProperty(d, QStringLiteral("BackupFileExtension"), QStringLiteral(".BACKUP"));
    EXPECT_EQ(f.Designer->BackupFileExtension(), QStringLiteral(".BAC"));

    TStringList names;
    names.Add(QStringLiteral("Customers"));
    SetPointerProperty(d, QStringLiteral("AvailableDatasetNames"), &names);
    names.Add(QStringLiteral("Orders"));
    EXPECT_NE(f.Designer->AvailableDatasetNames(), &names);
    EXPECT_EQ(f.Designer->AvailableDatasetNames()->Count(), 1);

    TFont font;
    font.SetName(QStringLiteral("Arial"));
    f.Designer->SetBandNameFont(&font);
    EXPECT_EQ(f.Designer->BandNameFont()->Name(), QStringLiteral("Arial"));
    EXPECT_NE(f.Designer->BandNameFont(), &font);
}

TEST(Designer, StateChangesFireTheirEventOncePerChange) {
    TDesignForm f;
    QList<int> states;
    SetMethodProperty(f.Designer, QStringLiteral("OnDesignStateChanged"),
                      Handler<TVDMDesigner *, quint16>([&](TVDMDesigner *, quint16 s) { states << s; }));
    f.Designer->SetVendamoState(3);
    f.Designer->SetVendamoState(3);
    f.Designer->SetVendamoState(0);
    EXPECT_EQ(states, (QList<int>{3, 0}));
}

TEST(Designer, SelectElementClearsOrAddsAndTheHandleFollowsTheSelection) {
    TDesignForm f;
    auto *band = f.AddBand(QStringLiteral("Band1"));
    auto *a = f.AddLabel(QStringLiteral("A"), band, 10, 10, 40, 10);
    auto *b = f.AddLabel(QStringLiteral("B"), band, 100, 10, 40, 10);
    f.Designer->SelectElement(false, a);
    f.Designer->SelectElement(false, b);
    EXPECT_EQ(f.Designer->GetSelectedElements(), (QList<QWidget *>{a, b}));
    f.Designer->SelectElement(true, b);
    EXPECT_EQ(f.Designer->GetSelectedElements(), (QList<QWidget *>{b}));
    b->SetBounds(120, 30, 40, 10);
    f.Designer->RedrawSelection();
    EXPECT_EQ(f.Handle->geometry(), QRect(118, 28, 45, 15));
    f.Designer->UpdateHandle(b);
    EXPECT_EQ(f.Designer->GetSelectedElement(), nullptr);
    f.Designer->SelectElement(false, a);
    f.Designer->SelectElement(true, nullptr);
    EXPECT_FALSE(f.Handle->IsAttached());
}

TEST(Designer, SaveAndLoadClearTheChangedFlagEmptyTheSelectionAndEndInsertion) {
    TestDir dir;
    QByteArray saved;
    {
        TDesignForm f;
        auto *band = f.AddBand(QStringLiteral("Band1"));
        f.AddLabel(QStringLiteral("Greeting"), band, 10, 10, 40, 10)->SetCaption(QStringLiteral("Hello"));
        f.Designer->SetHasChanged(true);
        TMemoryStream stream;
        ASSERT_TRUE(f.Designer->SaveReport_ToStream(stream));
        EXPECT_FALSE(f.Designer->HasChanged());
        saved = stream.Data();

        f.Designer->SetHasChanged(true);
        const QString file = dir.Path(QStringLiteral("greeting.vdm"));
        ASSERT_TRUE(f.Designer->SaveReport(file));
        EXPECT_FALSE(f.Designer->HasChanged());
        EXPECT_TRUE(QFile::exists(file));
    }
    TDesignForm f;
    auto *old = f.AddBand(QStringLiteral("Old"));
    f.Designer->SelectElement(true, f.AddLabel(QStringLiteral("Stale"), old, 5, 5, 20, 10));
    f.Designer->SetVendamoState(3);
    f.Designer->SetHasChanged(true);
    TMemoryStream in(saved);
    ASSERT_TRUE(f.Designer->LoadReport_FromStream(in));
    EXPECT_FALSE(f.Handle->IsAttached());
    EXPECT_FALSE(f.Designer->HasChanged());
    EXPECT_EQ(f.Designer->VendamoState(), 0);
    auto *label = dynamic_cast<TVendamoLabel *>(f.Form->FindComponent(QStringLiteral("Greeting")));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Caption(), QStringLiteral("Hello"));
    // The selection handle is still there to select what was loaded.
    f.Designer->SelectElement(true, label);
    EXPECT_EQ(f.Designer->GetSelectedElement(), label);
}

TEST(Designer, AFailedLoadKeepsTheChangedFlagButStillEndsInsertion) {
    TDesignForm f;
    TScriptedInteraction answers;
    f.Designer->SetHasChanged(true);
    f.Designer->SetVendamoState(5);
    TMemoryStream garbage(QByteArray("not a report at all"));
    EXPECT_FALSE(f.Designer->LoadReport_FromStream(garbage));
    EXPECT_TRUE(f.Designer->HasChanged());
    EXPECT_EQ(f.Designer->VendamoState(), 0);
    EXPECT_EQ(answers.Pending(), 0);
}
