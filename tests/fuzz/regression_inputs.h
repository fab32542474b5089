#pragma once
// Inputs that once made a reader crash, hang or take time without bound, built by code from the
// writer-made samples so that their shape stays readable. Each target runs them with its seeds,
// before any mutated input.
#include <QByteArray>
#include <QList>

QList<QByteArray> ReportFileRegressions(const QList<QByteArray> &samples);
QList<QByteArray> ElementStreamRegressions(const QList<QByteArray> &samples);
QList<QByteArray> ComponentStreamRegressions(const QList<QByteArray> &samples);
QList<QByteArray> RtfRegressions(const QList<QByteArray> &samples);
QList<QByteArray> LanguageFileRegressions(const QList<QByteArray> &samples);
QList<QByteArray> SettingsFileRegressions(const QList<QByteArray> &samples);
QList<QByteArray> PictureRegressions(const QList<QByteArray> &samples);
