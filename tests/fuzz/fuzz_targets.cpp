#include "fuzz_target.h"

QList<TFuzzTarget> AllFuzzTargets() {
    return {ReportFileTarget(),  ElementStreamTarget(), ElementFileTarget(),  ComponentStreamTarget(),
            RtfTarget(),         LanguageFileTarget(),  SettingsFileTarget(), PictureTarget()};
}
