#pragma once

#include <optional>
#include <QList>
#include <QString>

// The host paths a launch mounts, as DOSBox-X can take them. DOSBox-X converts a mounted folder's
// path from the DOS code page once more (a name with a non-ASCII character mounts as an empty
// folder), overflows a buffer on paths past about 239 bytes, and ends a quoted path at a double
// quote. Such a path is mounted through a short ASCII link of Tandril's own, never by renaming
// the user's folders.
class MountPaths
{
public:
    struct Link
    {
        QString alias;
        QString target;
        bool operator==(const Link&) const = default;
    };

    // aliasFolder: where the links go; nothing when there is no private folder for them.
    explicit MountPaths(std::optional<QString> aliasFolder);

    // Whether DOSBox-X mounts the path as it is.
    static bool takenAsItIs(const QString& path);

    // The path to give DOSBox-X for a host path: itself, or a link to it named after it (the same
    // path always gets the same link). Nothing when it needs a link and there is no alias folder.
    std::optional<QString> mountable(const QString& hostPath);

    // The links the launch needs, to be made before DOSBox-X starts.
    const QList<Link>& links() const { return m_links; }

private:
    std::optional<QString> m_aliasFolder;
    QList<Link> m_links;
};
