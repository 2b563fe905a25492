#include "platform/StagingFolder.h"

#include "platform/Diagnostics.h"
#include "platform/FileOperations.h"
#include "platform/LockFiles.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <QRegularExpression>

namespace {

QString lockPath(const QString& folder)
{
    return folder + QStringLiteral(".lock");
}

} // namespace

StagingFolder::StagingFolder()
    : m_path(QDir(Paths::temporaryFolder()).filePath(Paths::newUuidName())),
      m_lock(std::make_unique<QLockFile>(lockPath(m_path)))
{
    if (!LockFiles::tryLock(*m_lock, 0)) {
        m_error = QCoreApplication::translate("StagingFolder", "Could not create a working folder in %1.")
                      .arg(Paths::temporaryFolder());
        return;
    }
    if (const std::optional<QString> error = FileOperations::makeFolder(m_path))
        m_error = *error;
}

StagingFolder::~StagingFolder()
{
    // Links inside (a staged game folder) are removed as links; what they point to stays.
    FileOperations::removeItem(m_path);
    m_lock.reset(); // the lock goes last: while it exists, the folder is ours
}

int StagingFolder::removeAbandoned()
{
    static const QRegularExpression lockName(
        QStringLiteral("^([0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12})\\.lock$"));
    const QDir temporary(Paths::temporaryFolder());
    int removed = 0;
    for (const QString& name : temporary.entryList(QDir::Files | QDir::Hidden)) {
        const QRegularExpressionMatch match = lockName.match(name);
        if (!match.hasMatch())
            continue;
        QLockFile lock(temporary.filePath(name));
        if (!LockFiles::tryLock(lock, 0))
            continue; // its process is still working
        const QString folder = temporary.filePath(match.captured(1));
        if (FileOperations::itemExists(folder)) {
            FileOperations::removeItem(folder);
            logLine(QStringLiteral("🔄 Removed an abandoned staging folder: ") + folder);
            ++removed;
        }
    }
    return removed;
}
