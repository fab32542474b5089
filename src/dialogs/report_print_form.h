#pragma once
// The print form: the private form on which applications and the command line load a report
// file and print, preview or export it without the designer. It holds the report
// ("DesignReport") and its loader ("VDMLoader1"), and before every run gathers the datasets
// the report's expressions may use besides those of the form itself.
#include "host/forms.h"

class TDesignReport;
class TVDMLoader;

class TReportPrintForm : public TForm {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TReportPrintForm(TComponent *AOwner = nullptr);
    ~TReportPrintForm() override;

    TDesignReport *DesignReport() const { return FDesignReport; }
    TVDMLoader *VDMLoader1() const { return FVDMLoader1; }

    // The report's before-print handler: every dataset owned by this form, by the loader's
    // DatabaseOwner and, with UseDataModules, by every open data module joins the report's
    // datasets.
    void DesignReportBeforePrint(QObject *Sender, bool &PrintReport);

private:
    TDesignReport *FDesignReport;
    TVDMLoader *FVDMLoader1;
};
