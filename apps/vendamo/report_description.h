#pragma once
// What `vendamo info` tells about a loaded report: title, page setup, units, datasets, bands and
// elements, as JSON and as readable text.
#include <QJsonObject>
#include <QString>

class TToolReport;

QJsonObject DescribeReport(const TToolReport &report);
QString DescriptionText(const QJsonObject &description);
