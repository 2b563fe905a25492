#include "launch/MountPaths.h"

#include <algorithm>
#include <QCryptographicHash>

namespace {

// Well below the 239 bytes where DOSBox-X's buffer overflows, with room for the command around it.
constexpr qsizetype LongestPathTakenAsItIs = 200;
// Twelve hexadecimal digits of the path's hash: no two of a user's paths share them in practice.
constexpr qsizetype AliasNameLength = 12;

} // namespace

MountPaths::MountPaths(std::optional<QString> aliasFolder) : m_aliasFolder(std::move(aliasFolder)) {}

bool MountPaths::takenAsItIs(const QString& path)
{
    return path.size() <= LongestPathTakenAsItIs && std::all_of(path.cbegin(), path.cend(), [](QChar c) {
               return c >= u' ' && c < QChar(0x7f) && c != u'"';
           });
}

std::optional<QString> MountPaths::mountable(const QString& hostPath)
{
    if (takenAsItIs(hostPath))
        return hostPath;
    if (!m_aliasFolder)
        return std::nullopt;
    const QString name =
        QString::fromLatin1(QCryptographicHash::hash(hostPath.toUtf8(), QCryptographicHash::Sha256)
                                .toHex()
                                .left(AliasNameLength));
    const Link link{*m_aliasFolder + u'/' + name, hostPath};
    if (!m_links.contains(link))
        m_links.append(link);
    return link.alias;
}
