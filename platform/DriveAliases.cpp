#include "platform/DriveAliases.h"

#include "platform/DosboxReferenceFile.h"
#include "platform/Paths.h"
#include "platform/RuntimeFolder.h"

#include <cerrno>
#include <cstring>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

namespace DriveAliases {

namespace {

// A plain short path that DOSBox-X takes as it is, with room for the links' names.
bool isPlainShort(const QString& path)
{
    return DosboxReferenceFile::fitsDosCommand(path, 64);
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Makes a folder that only this user can reach, or accepts one that already is such a folder.
bool makePrivateFolder(const QString& path)
{
    if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0 && errno != EEXIST)
        return false;
    return RuntimeFolder::isPrivate(path);
}

} // namespace

std::optional<QString> folder()
{
    if (const std::optional<QString> runtime = RuntimeFolder::privateFolder()) {
        if (isPlainShort(*runtime))
            return *runtime + QStringLiteral("/tandril/drives");
    }
    return QStringLiteral("/tmp/tandril-drives-%1").arg(::geteuid());
}

std::optional<QString> link(const QString& alias, const QString& target)
{
    const QString folder = QFileInfo(alias).path();
    // Each level is made private or checked: another user's folder there is never used.
    const QString parent = QFileInfo(folder).path();
    const bool inRuntime = folder.endsWith(QStringLiteral("/tandril/drives"));
    if ((inRuntime && !makePrivateFolder(parent)) || !makePrivateFolder(folder))
        return QStringLiteral("%1: %2").arg(
            folder, QCoreApplication::translate("DriveAliases", "no private folder can be made there"));
    if (QFileInfo(alias).symLinkTarget() == QFileInfo(target).absoluteFilePath())
        return std::nullopt;
    // Made beside the old link and renamed over it: a game that runs keeps a whole link.
    const QString fresh = alias + QStringLiteral(".new-") + Paths::newUuidName();
    if (::symlink(QFile::encodeName(target).constData(), QFile::encodeName(fresh).constData()) != 0)
        return QStringLiteral("%1: %2").arg(alias, systemError());
    if (::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(alias).constData()) != 0) {
        const QString error = systemError();
        ::unlink(QFile::encodeName(fresh).constData());
        return QStringLiteral("%1: %2").arg(alias, error);
    }
    return std::nullopt;
}

} // namespace DriveAliases
