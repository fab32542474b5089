#include "design_fixture.h"

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
