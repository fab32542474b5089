#include "report_form.h"

#include "reportlib/rep_printable.h"

TBenchReportForm::TBenchReportForm()
    : Form(std::make_unique<TReportPrintForm>()), Report(Form->DesignReport()), Loader(Form->VDMLoader1()) {}

TBenchReportForm::~TBenchReportForm() = default;

TVendamoBand *TBenchReportForm::AddBand(TRepBand::TRepBandType type, double heightMM) {
    auto *band = new TVendamoBand(Form.get());
    band->SetName(NextName("Band"));
    band->SetParent(Report);
    band->SetBandType(type);
    band->SetHeightMM(heightMM);
    return band;
}

QString TBenchReportForm::NextName(const char *className) {
    return QString::fromLatin1(className).mid(1) + QString::number(++FNames);
}

void TBenchReportForm::NameComponents() {
    for (TComponent *c : Form->Components())
        if (c->Name().isEmpty()) c->SetName(NextName(c->Object()->metaObject()->className()));
}

QMap<QString, int> TBenchReportForm::ClassCounts() const {
    QMap<QString, int> counts;
    for (TComponent *c : Form->Components()) {
        const QObject *o = c->Object();
        if (qobject_cast<const TRepBand *>(o) || qobject_cast<const TRepPrintable *>(o))
            ++counts[QString::fromLatin1(o->metaObject()->className())];
    }
    return counts;
}

int TBenchReportForm::BandCount() const {
    int n = 0;
    for (TComponent *c : Form->Components()) n += qobject_cast<TRepBand *>(c->Object()) != nullptr;
    return n;
}

int TBenchReportForm::ElementCount() const {
    int n = 0;
    for (TComponent *c : Form->Components()) n += qobject_cast<TRepPrintable *>(c->Object()) != nullptr;
    return n;
}
