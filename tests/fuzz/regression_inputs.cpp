#include "regression_inputs.h"

QList<QByteArray> ReportFileRegressions() { return {}; }

QList<QByteArray> ElementStreamRegressions() { return {}; }

QList<QByteArray> ComponentStreamRegressions() { return {}; }

QList<QByteArray> RtfRegressions() { return {}; }

QList<QByteArray> LanguageFileRegressions() { return {}; }

QList<QByteArray> SettingsFileRegressions() { return {}; }

QList<QByteArray> PictureRegressions() { return {}; }
