#include "mutator.h"

#include <array>

namespace {

// Values that sit on the edges readers get wrong: zero, one, sign bits, all ones.
constexpr std::array<quint64, 12> EdgeValues = {
    0, 1, 2, 0x7F, 0x80, 0xFF, 0x7FFF, 0x8000, 0xFFFF, 0x7FFFFFFF, 0x80000000, ~quint64(0)};

}  // namespace

TMutator::TMutator(quint32 seed, QList<QByteArray> tokens) : FRandom(seed), FTokens(std::move(tokens)) {}

QByteArray TMutator::Mutate(const QByteArray &bytes, const QByteArray &other) {
    QByteArray result = bytes;
    // Mostly one or two edits, so most inputs stay close enough to the format to get deep.
    const int edits = 1 + (FRandom.bounded(4) == 0 ? FRandom.bounded(6) : FRandom.bounded(2));
    for (int i = 0; i < edits; ++i) EditOnce(result, other);
    return result;
}

void TMutator::PutWord(QByteArray &bytes, int at, int size, quint64 value) {
    for (int i = 0; i < size && at + i < bytes.size(); ++i) bytes[at + i] = char((value >> (8 * i)) & 0xFF);
}

void TMutator::EditOnce(QByteArray &bytes, const QByteArray &other) {
    const int n = int(bytes.size());
    const auto at = [&](int end) { return end > 0 ? int(FRandom.bounded(end)) : 0; };
    switch (FRandom.bounded(11)) {
    case 0:  // cut off
        bytes.truncate(at(n));
        return;
    case 1:  // a few bytes replaced
        if (n == 0) break;
        for (int i = 0, count = 1 + FRandom.bounded(4); i < count; ++i) bytes[at(n)] = char(FRandom.bounded(256));
        return;
    case 2:  // one bit flipped
        if (n == 0) break;
        bytes[at(n)] = char(bytes[at(n)] ^ (1 << FRandom.bounded(8)));
        return;
    case 3: {  // a count, size or enumeration word set to an edge value
        if (n == 0) break;
        static constexpr int sizes[] = {1, 2, 4, 8};
        PutWord(bytes, at(n), sizes[FRandom.bounded(4)], EdgeValues[FRandom.bounded(int(EdgeValues.size()))]);
        return;
    }
    case 4:  // a number nudged
        if (n == 0) break;
        {
            const int i = at(n);
            bytes[i] = char(bytes[i] + FRandom.bounded(-3, 4));
        }
        return;
    case 5:  // a slice removed
        if (n == 0) break;
        bytes.remove(at(n), 1 + FRandom.bounded(64));
        return;
    case 6: {  // a slice repeated: nesting, long lists, many records
        if (n == 0) break;
        const int from = at(n);
        const QByteArray slice = bytes.mid(from, 1 + FRandom.bounded(32));
        const int times = FRandom.bounded(4) == 0 ? 1 + FRandom.bounded(2000) : 1 + FRandom.bounded(8);
        bytes.insert(from, slice.repeated(times));
        return;
    }
    case 7: {  // noise inserted
        QByteArray noise(1 + FRandom.bounded(32), '\0');
        for (char &c : noise) c = char(FRandom.bounded(256));
        bytes.insert(at(n + 1), noise);
        return;
    }
    case 8:  // a token of the format inserted
        if (FTokens.isEmpty()) break;
        bytes.insert(at(n + 1), FTokens[FRandom.bounded(int(FTokens.size()))]);
        return;
    case 9:  // the head of one sample on the tail of another
        if (other.isEmpty()) break;
        bytes = bytes.left(at(n + 1)) + other.mid(at(int(other.size())));
        return;
    default:  // bytes copied over from elsewhere in the input
        if (n < 2) break;
        {
            const int len = 1 + FRandom.bounded(qMin(n, 16));
            const QByteArray slice = bytes.mid(at(n - len + 1), len);
            bytes.replace(at(n - len + 1), len, slice);
        }
        return;
    }
    // The chosen edit did not fit this input: replace one byte or add one.
    if (n > 0) bytes[at(n)] = char(FRandom.bounded(256));
    else bytes.append(char(FRandom.bounded(256)));
}
