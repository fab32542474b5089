#pragma once
// Counts the Changed() signals of a value object.
#include "host/persistent.h"

#include <QObject>

class ChangeCounter {
public:
    explicit ChangeCounter(TPersistent *object) {
        QObject::connect(object, &TPersistent::Changed, &FContext, [this] { ++FCount; });
    }
    int count() const { return FCount; }

private:
    QObject FContext;  // ends the connection with the counter
    int FCount = 0;
};
