#pragma once
// Inputs that once made a reader crash, hang or allocate without bound, built by code so that
// their shape stays readable. Each target runs them first, before any mutated input.
#include <QByteArray>
#include <QList>

QList<QByteArray> ReportFileRegressions();
QList<QByteArray> ElementStreamRegressions();
QList<QByteArray> ComponentStreamRegressions();
QList<QByteArray> RtfRegressions();
QList<QByteArray> LanguageFileRegressions();
QList<QByteArray> SettingsFileRegressions();
QList<QByteArray> PictureRegressions();
