#include "report_description.h"

#include "tool_report.h"

#include "dblib/data_source.h"
#include "dblib/table.h"
#include "dblib/wiz_query.h"
#include "host/property_access.h"
#include "model/design_report.h"
#include "model/report_constants.h"
#include "persist/band_numbers.h"
#include "persist/element_records.h"
#include "persist/report_records.h"
#include "reportlib/rep_dbtext.h"
#include "reportlib/rep_expr.h"
#include "reportlib/rep_image.h"
#include "reportlib/rep_richtext.h"
#include "reportlib/rep_shape.h"
#include "reportlib/rep_sysdata.h"

#include <QJsonArray>

namespace {

QString UnitsName(int units) {
    switch (units) {
    case ruMM: return QStringLiteral("mm");
    case ruInches: return QStringLiteral("inches");
    case ruPixels: return QStringLiteral("pixels");
    case ruCharacters: return QStringLiteral("characters");
    case ruNative: return QStringLiteral("0.1 mm");
    default: return QStringLiteral("unknown");
    }
}

QJsonObject DescribePage(const TReport *report) {
    const TRepPage *p = report->Page();
    QJsonObject page;
    page[QStringLiteral("paperSize")] = p->PaperSize();
    page[QStringLiteral("paper")] = RepPaperSizeName(p->PaperSize());
    page[QStringLiteral("orientation")] =
        p->Orientation() == poLandscape ? QStringLiteral("landscape") : QStringLiteral("portrait");
    page[QStringLiteral("width")] = p->Width();
    page[QStringLiteral("length")] = p->Length();
    page[QStringLiteral("topMargin")] = p->TopMargin();
    page[QStringLiteral("bottomMargin")] = p->BottomMargin();
    page[QStringLiteral("leftMargin")] = p->LeftMargin();
    page[QStringLiteral("rightMargin")] = p->RightMargin();
    page[QStringLiteral("columns")] = p->Columns();
    page[QStringLiteral("columnSpace")] = p->ColumnSpace();
    return page;
}

QJsonArray DescribeDatasets(const TForm *form) {
    QJsonArray list;
    for (TComponent *c : form->Components()) {
        auto *ds = qobject_cast<TDataSource *>(c->Object());
        if (!ds || !ds->DataSet() || ds->Name().startsWith(QLatin1String("__"))) continue;
        TDataSet *dataset = ds->DataSet();
        QJsonObject d;
        d[QStringLiteral("name")] = dataset->Name();
        d[QStringLiteral("dataSource")] = ds->Name();
        if (auto *w = qobject_cast<TWizQuery *>(dataset)) {
            d[QStringLiteral("kind")] = QStringLiteral("wizard query");
            d[QStringLiteral("database")] = w->DatabaseName();
            d[QStringLiteral("table")] = w->TableName();
            d[QStringLiteral("sql")] = w->SQL()->Text().trimmed();
        } else if (auto *q = qobject_cast<TQuery *>(dataset)) {
            d[QStringLiteral("kind")] = QStringLiteral("query");
            d[QStringLiteral("database")] = q->DatabaseName();
            d[QStringLiteral("sql")] = q->SQL()->Text().trimmed();
        } else if (auto *t = qobject_cast<TTable *>(dataset)) {
            d[QStringLiteral("kind")] = QStringLiteral("table");
            d[QStringLiteral("database")] = t->DatabaseName();
            d[QStringLiteral("table")] = t->TableName();
        } else {
            continue;
        }
        d[QStringLiteral("open")] = dataset->Active();
        QJsonArray fields;
        for (TField *f : dataset->Fields()) {
            if (f->Calculated() || f->Lookup())
                fields.append(f->FieldName() + (f->Lookup() ? QStringLiteral(" (lookup)") : QStringLiteral(" (calculated)")));
        }
        if (!fields.isEmpty()) d[QStringLiteral("computedFields")] = fields;
        list.append(d);
    }
    return list;
}

QString BandTypeText(const TToolReport &r, const TRepBand *band) {
    const QString key = KindName(BandTypes, int(band->BandType()));
    const QString text = r.Loader()->Message(key);
    return text.isEmpty() ? key : text;
}

QString DatasetField(const TDataSet *dataset, const QString &field) {
    return dataset ? dataset->Name() + QLatin1Char('.') + field : field;
}

// The kind token and the content of an element as info shows them.
QPair<QString, QString> KindAndContent(const TRepControl *e) {
    switch (ElementRecordKind(e)) {
    case RecordKind::Label: return {QStringLiteral("label"), static_cast<const TRepLabel *>(e)->Caption()};
    case RecordKind::DBText: {
        auto *t = static_cast<const TRepDBText *>(e);
        return {QStringLiteral("data text"), DatasetField(t->DataSet(), t->DataField())};
    }
    case RecordKind::Expression: return {QStringLiteral("expression"), static_cast<const TRepExpr *>(e)->Expression()};
    case RecordKind::SysData: {
        auto *s = static_cast<const TRepSysData *>(e);
        return {QStringLiteral("system data"), KindName(SysDataTypes, int(s->Data())) +
                                                   (s->Text().isEmpty() ? QString() : QStringLiteral(" ") + s->Text())};
    }
    case RecordKind::Shape:
        return {QStringLiteral("shape"), KindName(ShapeTypes, int(static_cast<const TRepShape *>(e)->Shape()))};
    case RecordKind::Image: {
        auto *i = static_cast<const TRepImage *>(e);
        QString content = GetStringProperty(i, QStringLiteral("Filename"));
        if (!i->Picture()->Empty())
            content += QStringLiteral(" [%1x%2]").arg(i->Picture()->Width()).arg(i->Picture()->Height());
        return {QStringLiteral("image"), content.trimmed()};
    }
    case RecordKind::DBImage: {
        auto *i = static_cast<const TRepDBImage *>(e);
        return {QStringLiteral("data image"), DatasetField(i->DataSet(), i->DataField())};
    }
    case RecordKind::Memo:
        return {QStringLiteral("memo"), static_cast<const TRepMemo *>(e)->Lines()->ToStringList().join(QLatin1Char('\n'))};
    case RecordKind::RichText: {
        auto *t = static_cast<const TRepRichText *>(e);
        const TRepRichEdit *edit = t->ActiveRichEdit();
        return {QStringLiteral("rich text"), edit ? edit->toPlainText() : QString()};
    }
    case RecordKind::DBRichText: {
        auto *t = static_cast<const TRepDBRichText *>(e);
        return {QStringLiteral("data rich text"), DatasetField(t->DataSet(), t->DataField())};
    }
    default: return {QString(), QString()};
    }
}

void DescribeElements(QJsonArray &list, QWidget *container, const QString &bandName) {
    for (QObject *child : container->children()) {
        auto *e = qobject_cast<TRepControl *>(child);
        if (!e || ElementRecordKind(e) < 0) continue;
        const auto [kind, content] = KindAndContent(e);
        QJsonObject o;
        o[QStringLiteral("kind")] = kind;
        o[QStringLiteral("class")] = QString::fromLatin1(e->metaObject()->className());
        o[QStringLiteral("name")] = e->Name();
        o[QStringLiteral("band")] = bandName;
        o[QStringLiteral("left")] = e->SizeValue(1);
        o[QStringLiteral("top")] = e->SizeValue(2);
        o[QStringLiteral("width")] = e->SizeValue(3);
        o[QStringLiteral("height")] = e->SizeValue(0);
        o[QStringLiteral("content")] = content;
        list.append(o);
    }
}

QString Number(double v) { return QString::number(v, 'g', 10); }

}  // namespace

QJsonObject DescribeReport(const TToolReport &r) {
    const TDesignReport *report = r.Report();
    QJsonObject o;
    o[QStringLiteral("title")] = report->ReportTitle();
    o[QStringLiteral("units")] = UnitsName(report->UnitsOrdinal());
    o[QStringLiteral("page")] = DescribePage(report);
    o[QStringLiteral("dataset")] = report->DataSet() ? report->DataSet()->Name() : QString();
    o[QStringLiteral("datasets")] = DescribeDatasets(r.Form());

    QJsonArray bands;
    QJsonArray elements;
    DescribeElements(elements, r.Report(), QString());
    for (TComponent *c : r.Form()->Components()) {
        TRepBand *band = AsBand(c);
        if (!band) continue;
        QJsonObject b;
        b[QStringLiteral("name")] = band->Name();
        b[QStringLiteral("class")] = QString::fromLatin1(band->metaObject()->className());
        b[QStringLiteral("type")] = BandTypeText(r, band);
        b[QStringLiteral("height")] = band->SizeValue(0);
        bands.append(b);
        DescribeElements(elements, band, band->Name());
    }
    o[QStringLiteral("bands")] = bands;
    o[QStringLiteral("elements")] = elements;
    return o;
}

QString DescriptionText(const QJsonObject &d) {
    const QJsonObject page = d[QStringLiteral("page")].toObject();
    const QString units = d[QStringLiteral("units")].toString();
    QString t;
    t += QStringLiteral("Title: %1\n").arg(d[QStringLiteral("title")].toString());
    t += QStringLiteral("Units: %1\n").arg(units);
    t += QStringLiteral("Page: %1 %2, %3 x %4; margins top %5, bottom %6, left %7, right %8; %9 column(s)\n")
             .arg(page[QStringLiteral("paper")].toString(), page[QStringLiteral("orientation")].toString(),
                  Number(page[QStringLiteral("width")].toDouble()), Number(page[QStringLiteral("length")].toDouble()),
                  Number(page[QStringLiteral("topMargin")].toDouble()),
                  Number(page[QStringLiteral("bottomMargin")].toDouble()),
                  Number(page[QStringLiteral("leftMargin")].toDouble()),
                  Number(page[QStringLiteral("rightMargin")].toDouble()))
             .arg(page[QStringLiteral("columns")].toInt());
    if (!d[QStringLiteral("dataset")].toString().isEmpty())
        t += QStringLiteral("Report dataset: %1\n").arg(d[QStringLiteral("dataset")].toString());
    t += QStringLiteral("Datasets:\n");
    for (const QJsonValue &v : d[QStringLiteral("datasets")].toArray()) {
        const QJsonObject ds = v.toObject();
        t += QStringLiteral("  %1 %2 (database %3%4)%5\n")
                 .arg(ds[QStringLiteral("kind")].toString(), ds[QStringLiteral("name")].toString(),
                      ds[QStringLiteral("database")].toString(),
                      ds.contains(QStringLiteral("table")) ? QStringLiteral(", table ") + ds[QStringLiteral("table")].toString()
                                                           : QString(),
                      ds[QStringLiteral("open")].toBool() ? QString() : QStringLiteral(" [not open]"));
    }
    t += QStringLiteral("Bands:\n");
    for (const QJsonValue &v : d[QStringLiteral("bands")].toArray()) {
        const QJsonObject b = v.toObject();
        t += QStringLiteral("  %1 %2 (%3), height %4\n")
                 .arg(b[QStringLiteral("type")].toString(), b[QStringLiteral("name")].toString(),
                      b[QStringLiteral("class")].toString(), Number(b[QStringLiteral("height")].toDouble()));
    }
    t += QStringLiteral("Elements:\n");
    for (const QJsonValue &v : d[QStringLiteral("elements")].toArray()) {
        const QJsonObject e = v.toObject();
        const QString band = e[QStringLiteral("band")].toString();
        QString content = e[QStringLiteral("content")].toString();
        content.replace(QLatin1Char('\n'), QLatin1String("\\n"));
        t += QStringLiteral("  %1 %2 on %3 at %4, %5 size %6 x %7: %8\n")
                 .arg(e[QStringLiteral("kind")].toString(), e[QStringLiteral("name")].toString(),
                      band.isEmpty() ? QStringLiteral("the report") : band,
                      Number(e[QStringLiteral("left")].toDouble()), Number(e[QStringLiteral("top")].toDouble()),
                      Number(e[QStringLiteral("width")].toDouble()), Number(e[QStringLiteral("height")].toDouble()),
                      content);
    }
    return t;
}
