#include "library/Journal.h"

#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace Journal {

namespace {
const QString End = QStringLiteral("end");
}

Written write(const QString& folder, const QString& prefix, const QString& header, const QStringList& lines,
              const QString& uuid)
{
    const QString path = QDir(folder).filePath(prefix + (uuid.isEmpty() ? Paths::newUuidName() : uuid));
    const QString text =
        header + u'\n' + (lines.isEmpty() ? QString() : lines.join(u'\n') + u'\n') + End + u'\n';
    return {path, TextFile::writeUtf8Atomically(path, text)};
}

void finishEach(const QString& folder, const QString& prefix, const QString& header,
                const std::function<void(const std::optional<QStringList>& lines)>& finish)
{
    const QRegularExpression journalName(u'^' + QRegularExpression::escape(prefix) +
                                         QStringLiteral("[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}$"));
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!journalName.match(name).hasMatch())
            continue;
        const TextFile::ReadResult read = TextFile::readUtf8(dir.filePath(name));
        const QStringList lines = read.text.split(u'\n', Qt::SkipEmptyParts);
        const bool whole = read.ok() && lines.size() >= 2 && lines.first() == header && lines.last() == End;
        finish(whole ? std::optional(lines.mid(1, lines.size() - 2)) : std::nullopt);
        QFile::remove(dir.filePath(name));
    }
}

} // namespace Journal
