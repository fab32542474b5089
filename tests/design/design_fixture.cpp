#include "design_fixture.h"

#include "dblib/data_source.h"
#include "dblib/field_classes.h"
#include "dblib/query.h"

#include <QTest>

TDesignForm::TDesignForm() : Form(std::make_unique<TForm>()) {
    Form->resize(900, 700);
    Report = new TDesignReport(Form.get());
    Report->SetName(QStringLiteral("Report"));
    Report->setParent(Form.get());
    Report->show();
    Designer = new TVDMDesigner(Form.get());
    Designer->SetName(QStringLiteral("Designer"));
    Handle = Designer->Handle();
}

TDesignForm::~TDesignForm() {
    // The report goes first, unlinking itself from the designer while both exist.
    delete Report;
}

TVendamoBand *TDesignForm::AddBand(const QString &name, int heightPixels) {
    auto *band = new TVendamoBand(Form.get());
    band->SetName(name);
    band->SetBandType(TRepBand::rbDetail);
    band->SetParent(Report);
    band->SetHeight(heightPixels);
    return band;
}

TVendamoLabel *TDesignForm::AddLabel(const QString &name, QWidget *band, int left, int top, int width, int height) {
    auto *label = new TVendamoLabel(Form.get());
    label->SetName(name);
    label->SetParent(band);
    label->SetAutoSize(false);
    label->SetBounds(left, top, width, height);
    return label;
}

void TDesignForm::Show() {
    Form->show();
    if (!QTest::qWaitForWindowExposed(Form.get())) qWarning("the test form was not shown");
}

TQuery *TDesignForm::AddDataSet(const QString &name, const QStringList &fields) {
    auto *query = new TQuery(Form.get());
    query->SetName(name);
    for (const QString &f : fields) {
        auto *field = new TStringField(Form.get());
        field->SetFieldName(f.section(QLatin1Char('='), 0, 0));
        if (f.contains(QLatin1Char('='))) field->SetDisplayLabel(f.section(QLatin1Char('='), 1));
        field->SetDataSet(query);
    }
    auto *source = new TDataSource(Form.get());
    source->SetName(name + QStringLiteral("Source"));
    source->SetDataSet(query);
    return query;
}

void Drag(QWidget *w, QPoint from, QPoint to, Qt::KeyboardModifiers mods) {
    QTest::mouseMove(w, from);
    QTest::mousePress(w, Qt::LeftButton, mods, from);
    QTest::mouseMove(w, to);
    QTest::mouseRelease(w, Qt::LeftButton, mods, to);
}

void Click(QWidget *w, QPoint at, Qt::KeyboardModifiers mods, Qt::MouseButton button) {
    QTest::mouseMove(w, at);
    QTest::mouseClick(w, button, mods, at);
}

void DoubleClick(QWidget *w, QPoint at) {
    QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, at);
    // A double click sent to a widget leaves the button down in the test's own mouse state.
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, at);
}
