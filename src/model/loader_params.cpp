// Query parameters before a print run: the application's values, the BeforeGetQueryParams
// event, and an input box for every parameter still empty.
#include "model/loader.h"

#include "model/report_messages.h"
#include "model/runtime_messages.h"

#include "dblib/data_source.h"
#include "dblib/params.h"
#include "dblib/query.h"
#include "host/exceptions.h"
#include "host/interaction.h"

// The queries behind the report form's own data sources, in component order. Data sources
// whose name begins with "__" belong to the designer and are left alone.
static QList<TQuery *> ReportQueries(const TComponent *form) {
    QList<TQuery *> queries;
    if (!form) return queries;
    for (TComponent *c : form->Components()) {
        auto *ds = dynamic_cast<TDataSource *>(c);
        if (!ds || ds->Name().startsWith(QStringLiteral("__"))) continue;
        auto *q = qobject_cast<TQuery *>(ds->DataSet());
        if (q && !queries.contains(q)) queries.append(q);
    }
    return queries;
}

static bool HasEmptyBoundParam(const TParams &params) {
    for (int i = 0; i < params.Count(); ++i)
        if (params[i].Bound() && params[i].IsNull()) return true;
    return false;
}

// Opens a query; a failure is shown to the user instead of ending the preparation.
static void OpenShowingErrors(TQuery *q) {
    try {
        q->Open();
    } catch (const Exception &e) {
        Interaction().ShowError(e.Message());
    }
}

void TVDMLoader::VDMCalcFields(TDataSet *DataSet) {
    if (HasState(csDesigning)) return;
    FOnCalcFields.Invoke<TDataSet *>(DataSet);
}

bool TVDMLoader::GetQueryParameters() {
    ResetQueryParameters();
    const QList<TQuery *> queries = ReportQueries(Owner());

    // The application sees (and may change or veto) the parameters that have a value to use.
    std::unique_ptr<TParams> P;
    if (FBeforeGetQueryParams.Assigned()) {
        P = std::make_unique<TParams>();
        for (TQuery *q : queries)
            for (int i = 0; i < q->Params().Count(); ++i) {
                const TParam &src = q->Params()[i];
                if (!src.Bound()) continue;
                TParam &p = P->CreateParam(src.DataType(), src.Name(), src.ParamType());
                if (!src.IsNull()) p.SetValue(src.Value());
                p.SetBound(true);
            }
        if (FQueryParams) P->AssignValues(*FQueryParams);
        bool cancel = false;
        FBeforeGetQueryParams.Invoke<TParams *, bool &>(P.get(), cancel);
        if (cancel) return false;
    }

    for (TQuery *q : queries) {
        if (FQueryParams) {
            q->Close();
            q->Params().AssignValues(*FQueryParams);
        }
        if (P) {
            q->Close();
            q->Params().AssignValues(*P);
        }
        if (HasEmptyBoundParam(q->Params()) && !AskQueryParameters(q)) return false;
        if (!q->Active()) OpenShowingErrors(q);
    }
    return true;
}

// Asks for each empty bound parameter of Q in turn; false when the user cancelled (the asked
// parameters are then empty again and Q is open as before).
bool TVDMLoader::AskQueryParameters(TQuery *Q) {
    Q->Close();
    const QString caption = FormatRuntimeMessage(Message(QStringLiteral("GetQueryParamCaption")), Q->Name());
    for (int i = 0; i < Q->Params().Count(); ++i) {
        TParam &p = Q->Params()[i];
        if (!p.Bound() || !p.IsNull()) continue;
        FPrompted.append({Q, p.Name()});
        const QString prompt = FormatRuntimeMessage(Message(QStringLiteral("GetQueryParamPrompt")), p.Name());
        for (;;) {
            QString value;
            if (!Interaction().InputQuery(caption, prompt, value)) {
                ResetQueryParameters();
                OpenShowingErrors(Q);
                return false;
            }
            try {
                p.SetText(value);
                break;
            } catch (const Exception &) {
                ShowError(FRuntimeMessages, QStringLiteral("Invalid value"));
            }
        }
    }
    OpenShowingErrors(Q);
    return true;
}

void TVDMLoader::ResetQueryParameters() {
    for (const TPrompted &asked : std::as_const(FPrompted))
        if (auto *q = qobject_cast<TQuery *>(asked.Query.data()))
            if (TParam *p = q->Params().FindParam(asked.Name)) p->Clear();
    FPrompted.clear();
}
