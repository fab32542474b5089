#pragma once
// Queries and tables on a report form over the sales database of the report library's tests,
// each behind a data source of the form as a loaded report has them.
#include "report_fixture.h"

#include "dblib/data_source.h"
#include "dblib/query.h"
#include "dblib/table.h"

#include <QFileInfo>

// The sales database in the directory of a file name of the test directory.
inline QString SalesDatabaseBeside(const QString &someFile) {
    return CreateSalesDatabase(QFileInfo(someFile).absolutePath());
}

// A query named name with its data source named name + "Source".
inline TQuery *SourcedQuery(TComponent *form, const QString &name, const QString &database, const QString &sql) {
    auto *q = new TQuery(form);
    q->SetName(name);
    q->SetDatabaseName(database);
    q->SQL()->SetText(sql);
    auto *s = new TDataSource(form);
    s->SetName(name + QStringLiteral("Source"));
    s->SetDataSet(q);
    return q;
}

// A parameter the user is asked for: typed, bound and empty.
inline TParam &AskedParam(TQuery *q, const QString &name, TFieldType type) {
    TParam &p = q->ParamByName(name);
    p.SetDataType(type);
    p.Clear();
    p.SetBound(true);
    return p;
}
