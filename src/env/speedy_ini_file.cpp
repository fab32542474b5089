#include "env/speedy_ini_file.h"

#include "host/interaction.h"
#include "host/strings.h"
#include "host/text_codec.h"

#include <QFile>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// The text of a line between its first and its last character.
QString Inner(const QString &text) { return text.size() > 2 ? text.mid(1, text.size() - 2) : QString(); }

}  // namespace

void TSpeedyIniFile::ReadIniFile(const QString &FileName) {
    FSections.clear();
    FFileName.clear();
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly)) {
        Interaction().ShowError(QStringLiteral("File ") + FileName + QStringLiteral(" not found!"));
        return;
    }
    FFileName = CutText(FileName, MaxLineLength);
    // In pieces up to the limit, so a small file does not cost a buffer of the limit's size.
    QByteArray bytes;
    while (bytes.size() < MaxFileSize) {
        const QByteArray piece = file.read(qMin<qint64>(64 * 1024, MaxFileSize - bytes.size()));
        if (piece.isEmpty()) break;
        bytes += piece;
    }
    if (bytes.startsWith(kUtf8Bom)) bytes.remove(0, kUtf8Bom.size());

    TKeys *section = nullptr;  // null before the first section and inside a repeated one
    for (const QString &whole : TStrings::SplitLines(DecodeText8(bytes))) {
        const QString line = CutText(whole, MaxLineLength);
        if (line.isEmpty()) continue;
        if (line.front() == QLatin1Char('[')) {
            const QString name = Inner(line).toUpper();
            section = FSections.contains(name) ? nullptr : &FSections[name];
            continue;
        }
        // A line without "=" (a comment, say) names no key.
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!section || eq < 0) continue;
        const QString key = line.left(eq).toUpper();
        if (!section->contains(key)) section->insert(key, Inner(line.mid(eq + 1)));
    }
}

QString TSpeedyIniFile::ReadString(const QString &Section, const QString &Ident, const QString &Default) const {
    const auto s = FSections.constFind(Section.toUpper());
    if (s != FSections.constEnd()) {
        const auto k = s->constFind(Ident.toUpper());
        if (k != s->constEnd()) return *k;
    }
    return CutText(Default, MaxLineLength);
}
