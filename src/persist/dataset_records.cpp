#include "persist/dataset_records.h"

#include "persist/datasource_numbers.h"
#include "persist/graphic_records.h"
#include "persist/kept_field_settings.h"
#include "persist/param_texts.h"
#include "persist/report_records.h"
#include "persist/stored_names.h"

#include "dblib/data_source.h"
#include "dblib/field_classes.h"
#include "dblib/table.h"
#include "dblib/wiz_query.h"
#include "host/interaction.h"
#include "host/property_access.h"
#include "host/stream.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

const QString DisplayFormatProp = QStringLiteral("DisplayFormat");
const QString PrecisionProp = QStringLiteral("Precision");
constexpr int FieldTypeCount = ftGraphic + 1;
// How the data access library's database names for a PostgreSQL server begin.
const QString ServerDatabasePrefix = QStringLiteral("postgres:");
constexpr int FilterRecordMinSize = 7;  // format, two empty strings, operator, or-flag, type, case flag

quint16 Word(int number) { return quint16(number); }

// The master reference of a table or query: 0 none, the master's number on the same owner, or
// -1 with the master's name written after the block.
int MasterNumber(const TDataSource *self, const TDataSource *master) {
    if (!master) return 0;
    return ReportDatasourceNum(self ? self->Owner() : nullptr, master);
}

bool HasDefaultDisplay(const TField *f) {
    const QMetaProperty precision = FindProperty(f, PrecisionProp);
    return f->Visible() && f->DisplayLabel() == f->FieldName() &&
           (!precision.isValid() || GetIntegerProperty(f, PrecisionProp) == 15) &&
           GetStringProperty(f, DisplayFormatProp).isEmpty();
}

void WriteDataFieldRecord(TStream &s, const QString &name, const QString &format, const QString &label,
                          quint16 precision, bool visible) {
    TRecordBlock b(BlockSize::DataField);
    b.SetString(0, name);
    b.SetString(256, format);
    b.SetString(512, label);
    b.SetWord(768, precision);
    b.SetFlag(770, visible);
    WriteRecordHeader(s, RecordKind::DataField, BlockSize::DataField);
    b.WriteTo(s);
}

void WriteFieldRecords(TStream &s, TDataSet *dataset, TComponent *reportForm) {
    const QList<TField *> fields = dataset->Fields();
    QList<TField *> calculated, lookups, data;
    for (TField *f : fields) {
        if (FieldTypeCode(f) == 0) {
            Interaction().ShowError(QStringLiteral("Unsupported fieldtype for ") + f->Name());
            continue;
        }
        (f->Lookup() ? lookups : f->Calculated() ? calculated : data) << f;
    }
    for (TField *f : calculated) {
        TRecordBlock b(BlockSize::CalcField);
        b.SetString(0, f->FieldName());
        b.SetByte(256, quint8(FieldTypeCode(f)));
        b.SetWord(257, Word(f->Size()));
        b.SetString(515, f->DisplayLabel());
        b.SetString(771, GetStringProperty(f, DisplayFormatProp));
        b.SetWord(1027, Word(int(GetIntegerProperty(f, PrecisionProp))));
        WriteRecordHeader(s, RecordKind::CalcField, BlockSize::CalcField);
        b.WriteTo(s);
    }
    for (TField *f : lookups) {
        const int lookupNumber = DatasetReferenceNumber(reportForm, f->LookupDataSet());
        TRecordBlock b(BlockSize::LookupField);
        b.SetString(0, f->FieldName());
        b.SetByte(256, quint8(FieldTypeCode(f)));
        b.SetWord(257, Word(f->Size()));
        b.SetString(259, f->DisplayLabel());
        b.SetString(515, GetStringProperty(f, DisplayFormatProp));
        b.SetWord(771, Word(int(GetIntegerProperty(f, PrecisionProp))));
        b.SetString(773, f->KeyFields());
        b.SetWord(1029, Word(lookupNumber));
        b.SetString(1031, f->LookupKeyFields());
        b.SetString(1287, f->LookupResultField());
        WriteRecordHeader(s, RecordKind::LookupField, BlockSize::LookupField);
        b.WriteTo(s);
        if (lookupNumber == -1) Bin::WriteShortString(s, f->LookupDataSet()->Name());
    }
    for (TField *f : data) {
        if (HasDefaultDisplay(f)) continue;
        WriteDataFieldRecord(s, f->FieldName(), GetStringProperty(f, DisplayFormatProp), f->DisplayLabel(),
                             Word(int(GetIntegerProperty(f, PrecisionProp))), f->Visible());
    }
    // Settings the last load could not apply (the dataset did not open) go back as they came.
    for (const TFieldPropClass &kept : UnappliedFieldSettings(dataset))
        WriteDataFieldRecord(s, kept.FieldName, kept.DisplayFormat, kept.DisplayLabel, kept.Precision, kept.Visible);
}

void WriteTableRecord(TStream &s, TTable *table, TDataSource *ds) {
    TRecordBlock b(BlockSize::Table);
    const int master = MasterNumber(ds, table->MasterSource());
    b.SetString(0, table->Name());
    b.SetWord(256, Word(ds->Tag()));
    b.SetString(258, StoredDatabaseName(table->DatabaseName()));
    b.SetString(514, table->TableName());
    b.SetString(770, table->IndexName());
    b.SetString(1026, table->MasterFields());
    b.SetWord(1282, Word(master));
    b.SetString(1284, table->Filter());
    b.SetFlag(1540, table->Filtered());
    b.SetByte(1541, quint8(table->FilterOptions() & (foCaseInsensitive | foNoPartialCompare)));
    WriteRecordHeader(s, RecordKind::Table, BlockSize::Table);
    b.WriteTo(s);
    if (master == -1) Bin::WriteShortString(s, table->MasterSource()->Name());
}

void WriteQueryRecord(TStream &s, TQuery *query, TDataSource *ds) {
    auto *wizard = qobject_cast<TWizQuery *>(query);
    const TStrings *sql = query->SQL();
    const int lines = qMin(sql->Count(), 0xFFFF);
    const int params = qMin(query->ParamCount(), 0xFFFF);
    const int master = MasterNumber(ds, query->DataSource());
    TRecordBlock b(BlockSize::Query);
    b.SetString(0, query->Name());
    b.SetWord(256, Word(ds->Tag()));
    b.SetString(258, StoredDatabaseName(query->DatabaseName()));
    b.SetWord(514, Word(master));
    b.SetWord(516, Word(params));
    b.SetFlag(518, query->RequestLive());
    b.SetWord(519, Word(lines));
    b.SetFlag(521, query->UniDirectional());
    b.SetFlag(522, wizard != nullptr);
    WriteRecordHeader(s, RecordKind::Query, BlockSize::Query);
    b.WriteTo(s);
    if (master == -1) Bin::WriteShortString(s, query->DataSource()->Name());
    for (int i = 0; i < lines; ++i) {
        TRecordBlock line(TRecordBlock::FixedStringSize);
        line.SetString(0, sql->Get(i));
        line.WriteTo(s);
    }
    for (int i = 0; i < params; ++i) {
        const TParam &p = query->Params()[i];
        TRecordBlock r(BlockSize::QueryParam);
        r.SetString(0, p.Name());
        r.SetByte(256, quint8(p.DataType()));
        r.SetString(257, StoredParamText(p), 255);
        r.SetFlag(512, p.Bound());
        r.SetFlag(513, p.IsNull());
        r.WriteTo(s);
    }
    if (!wizard) return;
    Bin::WriteShortString(s, wizard->TableName());
    const int sortCount = qMin(wizard->SortFields()->Count(), 0xFFFF);
    Bin::WriteWord(s, Word(sortCount));
    for (int i = 0; i < sortCount; ++i) Bin::WriteShortString(s, wizard->SortFields()->Get(i));
    const int filterCount = qMin(int(wizard->Filters().size()), 0xFFFF);
    Bin::WriteWord(s, Word(filterCount));
    for (int i = 0; i < filterCount; ++i) wizard->Filters()[i]->SaveToStream(s);
}

// ---- reading -------------------------------------------------------------------------------

QString TableComponentName(const QString &stored, const QString &tableName) {
    if (!stored.isEmpty()) return stored;
    const int dot = int(tableName.indexOf(QLatin1Char('.')));
    return (dot >= 0 ? tableName.left(dot) : tableName) + QStringLiteral("Table");
}

void CreateDataSource(TDatasetReadState &st, TDataSet *dataset, quint16 number) {
    auto *ds = new TDataSource(st.ReportForm);
    try {
        SetStoredName(ds, dataset->Name() + QStringLiteral("Datasource"), QStringLiteral("Datasource"));
    } catch (...) {
        delete ds;
        throw;
    }
    ds->SetDataSet(dataset);
    ds->SetTag(number);
    st.Current = dataset;
}

// The master reference of a table or query record: numbers of the form's own scope are parked
// in the dataset's Tag until every data source exists; others are resolved now.
TDataSource *ReadMaster(TDatasetReadState &st, TDataSet *dataset, quint16 number, const QString &name) {
    if (number < 0x4000) {
        dataset->SetTag(number);
        return nullptr;
    }
    if (number == DatasourceByName) return FindDatasourceByName(st.Loader, name);
    return ReportDatasourceByNum(st.ReportForm, number, st.Loader);
}

void ReadTable(TStream &s, quint16 size, TDatasetReadState &st) {
    TRecordBlock b(BlockSize::Table);
    b.ReadFrom(s, size);
    const quint16 master = b.Word(1282);
    const QString masterName = master == DatasourceByName ? Bin::ReadShortString(s) : QString();
    if (!st.CreateDatasets) return;
    auto holder = std::make_unique<TTable>(st.ReportForm);
    TTable *table = holder.get();
    table->SetReadOnly(true);
    table->SetReadOnlyConnection(true);  // a report file never changes data
    SetStoredName(table, TableComponentName(b.String(0), b.String(514)), QStringLiteral("Table"));
    table->SetDatabaseName(b.String(258));
    table->SetTableName(b.String(514));
    table->SetIndexName(b.String(770));
    table->SetMasterFields(b.String(1026));
    if (TDataSource *m = ReadMaster(st, table, master, masterName)) table->SetMasterSource(m);
    table->SetFiltered(b.Flag(1540));
    table->SetFilter(b.String(1284));
    table->SetFilterOptions(b.Byte(1541) & (foCaseInsensitive | foNoPartialCompare));
    CreateDataSource(st, table, b.Word(256));
    holder.release();
}

void ReadQuery(TStream &s, quint16 size, TDatasetReadState &st) {
    TRecordBlock b(BlockSize::Query);
    b.ReadFrom(s, size);
    const quint16 master = b.Word(514);
    const int paramCount = b.Word(516);
    const int lineCount = b.Word(519);
    const bool isWizard = b.Flag(522);
    const QString masterName = master == DatasourceByName ? Bin::ReadShortString(s) : QString();

    CheckCount(s, lineCount, TRecordBlock::FixedStringSize);
    QStringList lines;
    for (int i = 0; i < lineCount; ++i) {
        TRecordBlock line(TRecordBlock::FixedStringSize);
        line.ReadFrom(s, TRecordBlock::FixedStringSize);
        lines << line.String(0);
    }
    CheckCount(s, paramCount, BlockSize::QueryParam);
    QList<TRecordBlock> params;
    for (int i = 0; i < paramCount; ++i) {
        params << TRecordBlock(BlockSize::QueryParam);
        params.last().ReadFrom(s, BlockSize::QueryParam);
    }
    QString tableName;
    QStringList sortFields;
    std::vector<std::unique_ptr<TWizQueryFilter>> filters;
    if (isWizard) {
        tableName = Bin::ReadShortString(s);
        const int sortCount = Bin::ReadWord(s);
        CheckCount(s, sortCount, 1);
        for (int i = 0; i < sortCount; ++i) sortFields << Bin::ReadShortString(s);
        const int filterCount = Bin::ReadWord(s);
        CheckCount(s, filterCount, FilterRecordMinSize);
        for (int i = 0; i < filterCount; ++i) filters.emplace_back(TWizQueryFilter::CreateFromStream(s));
    }
    if (!st.CreateDatasets) return;

    std::unique_ptr<TQuery> holder(isWizard ? new TWizQuery(st.ReportForm) : new TQuery(st.ReportForm));
    TQuery *query = holder.get();
    query->SetReadOnlyConnection(true);  // a report file never changes data
    query->SetRequestLive(false);
    SetStoredName(query, b.String(0), QStringLiteral("Query"));
    query->SetDatabaseName(b.String(258));
    query->SetRequestLive(b.Flag(518));
    query->SetUniDirectional(b.Flag(521));
    if (TDataSource *m = ReadMaster(st, query, master, masterName)) query->SetDataSource(m);
    query->SQL()->BeginUpdate();
    query->SQL()->Clear();
    for (const QString &line : lines) query->SQL()->Add(line);
    query->SQL()->EndUpdate();
    for (const TRecordBlock &r : params) {
        TParam *p = query->Params().FindParam(r.String(0));
        if (!p) continue;
        const int type = KnownOrdinal(r.Byte(256), FieldTypeCount);
        const QString value = r.String(257, 255);
        p->SetDataType(TFieldType(type));
        if (type == ftString || !value.isEmpty()) {
            try {
                SetStoredParamText(*p, value);
            } catch (const EConvertError &e) {
                // One value that does not fit its type costs that value, not the report.
                p->Clear();
                Interaction().ShowError(QStringLiteral("Query %1: %2. The parameter is left empty.")
                                            .arg(query->Name(), e.Message()));
            }
        } else {
            p->Clear();
        }
        if (r.Flag(513)) p->Clear();
        p->SetBound(r.Flag(512));
    }
    for (int i = 0; i < query->ParamCount(); ++i)
        if (query->Params()[i].DataType() == ftUnknown) query->Params()[i].SetDataType(ftString);
    if (auto *wizard = qobject_cast<TWizQuery *>(query)) {
        wizard->SetTableName(tableName);
        wizard->SortFields()->SetStringList(sortFields);
        for (auto &f : filters) wizard->AddFilter(f.release());
    }
    CreateDataSource(st, query, b.Word(256));
    holder.release();
}

void ReadCalcField(TStream &s, quint16 size, TDatasetReadState &st) {
    TRecordBlock b(BlockSize::CalcField);
    b.ReadFrom(s, size);
    if (!st.CreateDatasets || !st.Current) return;
    st.CalcFields.push_back(std::make_unique<TCalcFieldPropClass>(
        st.Current, b.Word(1027), b.String(771), b.String(515), b.Word(257), FieldClassForCode(b.Byte(256)),
        b.String(0)));
}

void ReadLookupField(TStream &s, quint16 size, TDatasetReadState &st) {
    TRecordBlock b(BlockSize::LookupField);
    b.ReadFrom(s, size);
    const quint16 number = b.Word(1029);
    const QString lookupName = number == DatasourceByName ? Bin::ReadShortString(s) : QString();
    if (!st.CreateDatasets || !st.Current) return;
    auto def = std::make_unique<TLookupFieldPropClass>(st.Current, b.String(1287), b.String(1031), number,
                                                       b.String(773), b.Word(771), b.String(515), b.String(259),
                                                       b.Word(257), FieldClassForCode(b.Byte(256)), b.String(0));
    def->LookupDatasetName = lookupName;
    st.LookupFields.push_back(std::move(def));
}

void ReadDataField(TStream &s, quint16 size, TDatasetReadState &st) {
    TRecordBlock b(BlockSize::DataField);
    b.ReadFrom(s, size);
    if (!st.CreateDatasets || !st.Current) return;
    st.DataFields.push_back(std::make_unique<TFieldPropClass>(st.Current, false, b.Flag(770), b.Word(768),
                                                              b.String(512), b.String(256), b.String(0)));
}

}  // namespace

QString StoredDatabaseName(const QString &DatabaseName) {
    if (DatabaseName.isEmpty() ||
        !(DatabaseName.contains(QLatin1Char('\\')) || DatabaseName.contains(QLatin1Char('/'))))
        return DatabaseName;  // an alias
    // A server's connection text ("postgres:host=/run/postgresql;...") is no path, whatever
    // characters it holds.
    if (DatabaseName.trimmed().startsWith(ServerDatabasePrefix, Qt::CaseInsensitive)) return DatabaseName;
    QString path = DatabaseName;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    path = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QString appDir = QDir::cleanPath(QCoreApplication::applicationDirPath());
    // The application's directory only counts as a whole path component: "/app" does not
    // contain "/apple".
    if (path.compare(appDir, Qt::CaseInsensitive) == 0) return QStringLiteral("+");
    const QString prefix = appDir.endsWith(QLatin1Char('/')) ? appDir : appDir + QLatin1Char('/');
    if (path.startsWith(prefix, Qt::CaseInsensitive)) return QLatin1Char('+') + path.mid(prefix.size());
    return path;
}

void WriteDatasetRecords(TStream &Stream, TDataSource *DataSource, TComponent *ReportForm) {
    TDataSet *dataset = DataSource ? DataSource->DataSet() : nullptr;
    if (auto *query = qobject_cast<TQuery *>(dataset))
        WriteQueryRecord(Stream, query, DataSource);
    else if (auto *table = qobject_cast<TTable *>(dataset))
        WriteTableRecord(Stream, table, DataSource);
    else
        return;
    WriteFieldRecords(Stream, dataset, ReportForm);
}

bool IsDatasetRecordKind(quint16 Kind) {
    return Kind == RecordKind::Table || Kind == RecordKind::Query || Kind == RecordKind::CalcField ||
           Kind == RecordKind::LookupField || Kind == RecordKind::DataField;
}

void ReadDatasetRecord(TStream &Stream, quint16 Kind, quint16 Size, TDatasetReadState &State) {
    switch (Kind) {
    case RecordKind::Table: ReadTable(Stream, Size, State); break;
    case RecordKind::Query: ReadQuery(Stream, Size, State); break;
    case RecordKind::CalcField: ReadCalcField(Stream, Size, State); break;
    case RecordKind::LookupField: ReadLookupField(Stream, Size, State); break;
    case RecordKind::DataField: ReadDataField(Stream, Size, State); break;
    default: throw EReportFileError(QStringLiteral("Record kind %1 is not a dataset record").arg(Kind));
    }
}
