#include "model/report_constants.h"

quint16 CurrentReportID = 0;
