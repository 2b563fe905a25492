#include "library/GameExePath.h"

#include <QStringList>
#include <QTextBoundaryFinder>

namespace GameExePath {

namespace {

QStringList graphemes(const QString& text)
{
    QStringList clusters;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (finder.toNextBoundary() >= 0) {
        clusters.append(text.mid(start, finder.position() - start));
        start = finder.position();
    }
    return clusters;
}

} // namespace

std::optional<QString> shortFolderNames(const QString& gameExe)
{
    const QString text = gameExe.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    QStringList parts = text.split(u'/');
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        const QStringList clusters = graphemes(parts.at(i));
        if (clusters.size() > 8)
            parts[i] = clusters.mid(0, 6).join(QString()) + QStringLiteral("~1");
    }
    return parts.join(u'/');
}

} // namespace GameExePath
