// Element streams (the designer's clipboard) and element files: a paste reads whole or not at all.
#include "fuzz_target.h"
#include "regression_inputs.h"

#include "full_report.h"

#include "dblib/data_source.h"
#include "dblib/table.h"
#include "host/component_stream.h"
#include "host/exceptions.h"
#include "persist/element_streams.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

namespace {

// A data module the pasted controls may name datasets of by number.
TForm &DatabaseOwner() {
    static TForm *owner = [] {
        auto *form = new TForm;
        form->SetName(QStringLiteral("FuzzDataModule"));
        auto *table = new TTable(form);
        table->SetName(QStringLiteral("SharedTable"));
        auto *source = new TDataSource(form);
        source->SetName(QStringLiteral("SharedSource"));
        source->SetDataSet(table);
        return form;
    }();
    return *owner;
}

// Every band of the full report with its elements, and each band's elements on their own.
QList<QByteArray> ElementStreamSeeds() {
    QList<QByteArray> seeds;
    TReportForm f;
    BuildFullReport(f);
    f.Designer->SetDatabaseOwner(&DatabaseOwner());
    QList<QWidget *> bands;
    for (QObject *child : f.Report->children())
        if (auto *w = qobject_cast<QWidget *>(child); w && TComponent::FromObject(w)) bands << w;
    for (QWidget *band : bands) {
        TMemoryStream whole;
        CopyElementsToStream(f.Designer, {band}, whole);
        seeds << whole.Data();
        QList<QWidget *> elements;
        for (QObject *child : band->children())
            if (auto *w = qobject_cast<QWidget *>(child); w && TComponent::FromObject(w)) elements << w;
        if (elements.isEmpty()) continue;
        TMemoryStream some;
        CopyElementsToStream(f.Designer, elements, some);
        seeds << some.Data();
    }
    f.Designer->SetDatabaseOwner(nullptr);
    return seeds;
}

// Pastes as the designer does: names are given afresh, dataset numbers resolved. A refused
// paste must leave the form as it was.
bool Paste(TStream &stream) {
    TReportForm f;
    f.Designer->SetDatabaseOwner(&DatabaseOwner());
    const int before = f.Form->ComponentCount();
    bool read = false;
    try {
        TComponentReader reader(stream, f.Form.get(), f.Report);
        reader.OnSetName = [](TComponent *, QString &name) { name = QString(); };
        reader.ReadComponents();
        for (TComponent *c : f.Form->Components()) RestoreDatasetReference(c->Object(), &DatabaseOwner());
        read = true;
    } catch (const EStreamError &) {
        if (f.Form->ComponentCount() != before) throw std::logic_error("a refused paste left components behind");
    }
    f.Designer->SetDatabaseOwner(nullptr);
    return read;
}

QString ScratchFile() {
    static const QString path =
        QDir::temp().filePath(QStringLiteral("vendamo-fuzz-%1.vde").arg(QCoreApplication::applicationPid()));
    return path;
}

}  // namespace

TFuzzTarget ElementStreamTarget() {
    TFuzzTarget t;
    t.Name = QStringLiteral("element_stream");
    t.Seeds = ElementStreamSeeds;
    t.Regressions = ElementStreamRegressions;
    t.Run = [](const QByteArray &input) {
        TMemoryStream s(input);
        return Paste(s);
    };
    t.Tokens = {QByteArray("VCS1"), QByteArray("\x03", 1), QByteArray("\x05\xFF\xFF\xFF\x7F", 5),
                QByteArray("\x08" "BandType\x03", 10), QByteArray("\x04Font", 5)};
    return t;
}

TFuzzTarget ElementFileTarget() {
    TFuzzTarget t;
    t.Name = QStringLiteral("element_file");
    t.Seeds = [] {
        QList<QByteArray> seeds;
        for (const QByteArray &stream : ElementStreamSeeds())
            seeds << QByteArray("\x01\x10\x00\x01", 4) + stream << QByteArray("\x01\x10\x00\x00", 4) + stream;
        return seeds;
    };
    t.Regressions = ElementStreamRegressions;  // they find the picture bytes behind the header too
    t.Run = [](const QByteArray &input) {
        {
            QFile file(ScratchFile());
            if (!file.open(QIODevice::WriteOnly) || file.write(input) != input.size())
                throw std::runtime_error("cannot write the scratch file");
        }
        TMemoryStream clipboard;
        bool hasBands = false;
        if (!ReadElementsFromFile(ScratchFile(), clipboard, hasBands)) return false;
        return Paste(clipboard);
    };
    t.Tokens = {QByteArray("\x01\x10", 2), QByteArray("VCS1")};
    return t;
}
