#pragma once
// A report form with a design report and a designer, and the demo database as alias DEMODB,
// for driving the data dialogs headless.
#include <gtest/gtest.h>

#include "dblib/data_source.h"
#include "dblib/query.h"
#include "dblib/session.h"
#include "dblib/table.h"
#include "demo_database.h"
#include "design/designer.h"
#include "host/forms.h"
#include "host/scripted_interaction.h"
#include "host/strings.h"
#include "model/design_report.h"
#include "model/runtime_messages.h"
#include "test_paths.h"

// The demo table files, written once per test program; DEMODB names them.
inline QString DemoTables() {
    static TestDir dir;
    static const QString tables = DemoDatabase::Create(dir.Path());
    Session().AddAliasDefinition(QStringLiteral("DEMODB=") + tables);
    return tables;
}

struct TReportForm {
    TReportForm() {
        DemoTables();
        report = new TDesignReport(&form);
        designer = new TVDMDesigner(&form);
        designer->SetReport(report);
    }
    ~TReportForm() { delete report; }

    // A table of Owner (the form when null) reached through a data source, opened with
    // persistent fields.
    TTable *AddTable(const QString &name, const QString &table, TComponent *owner = nullptr) {
        owner = owner ? owner : &form;
        auto *t = new TTable(owner);
        t->SetName(name);
        t->SetDatabaseName(QStringLiteral("DEMODB"));
        t->SetTableName(table);
        auto *ds = new TDataSource(owner);
        ds->SetName(name + QStringLiteral("Source"));
        ds->SetDataSet(t);
        t->Open();
        return t;
    }

    TForm form;
    TDesignReport *report;
    TVDMDesigner *designer;
};
