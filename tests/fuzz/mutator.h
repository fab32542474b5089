#pragma once
// A fixed-seed mutator: the same seed gives the same inputs on every machine, so a failing run
// can be repeated exactly. Each input is a writer-made sample with a few damaging edits stacked
// on it: cuts, flipped bytes, size words made huge or zero, removed and repeated slices, noise,
// tokens of the format and splices of two samples.
#include <QByteArray>
#include <QList>
#include <QRandomGenerator>

class TMutator {
public:
    // Tokens are format words the edits may insert ("{\\b", "[", "=" ...); may be empty.
    TMutator(quint32 seed, QList<QByteArray> tokens);

    // A damaged copy of bytes; other is a second sample for splices (may be the same).
    QByteArray Mutate(const QByteArray &bytes, const QByteArray &other);

    QRandomGenerator &Random() { return FRandom; }

private:
    void EditOnce(QByteArray &bytes, const QByteArray &other);
    void PutWord(QByteArray &bytes, int at, int size, quint64 value);

    QRandomGenerator FRandom;
    QList<QByteArray> FTokens;
};
