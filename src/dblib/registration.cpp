#include "dblib/registration.h"

#include "dblib/data_source.h"
#include "dblib/field_classes.h"
#include "dblib/table.h"
#include "dblib/wiz_query.h"
#include "host/class_registry.h"

void RegisterDbComponents() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterComponentClass<TTable>();
    RegisterComponentClass<TQuery>();
    RegisterComponentClass<TWizQuery>();
    RegisterComponentClass<TDataSource>();
    RegisterComponentClass<TStringField>();
    RegisterComponentClass<TSmallintField>();
    RegisterComponentClass<TIntegerField>();
    RegisterComponentClass<TWordField>();
    RegisterComponentClass<TAutoIncField>();
    RegisterComponentClass<TBooleanField>();
    RegisterComponentClass<TFloatField>();
    RegisterComponentClass<TCurrencyField>();
    RegisterComponentClass<TBCDField>();
    RegisterComponentClass<TDateField>();
    RegisterComponentClass<TTimeField>();
    RegisterComponentClass<TDateTimeField>();
    RegisterComponentClass<TBytesField>();
    RegisterComponentClass<TVarBytesField>();
    RegisterComponentClass<TBlobField>();
    RegisterComponentClass<TMemoField>();
    RegisterComponentClass<TGraphicField>();
}

namespace {
// Every program that uses datasets links this file through them.
const bool registered = (RegisterDbComponents(), true);
}  // namespace
