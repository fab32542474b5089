#pragma once
// The data access library's exception: every failure to open, read or write a dataset, resolve a
// database name, or parse SQL, filters and parameters. Conversion failures raise EConvertError.
#include "host/exceptions.h"

VENDAMO_EXCEPTION(EDatabaseError, Exception)
