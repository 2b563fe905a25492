#include "platform/StagingFolder.h"

#include "platform/FileOperations.h"
#include "platform/Paths.h"

#include <QDir>

StagingFolder::StagingFolder() : m_path(QDir(Paths::temporaryFolder()).filePath(Paths::newUuidName()))
{
    if (const std::optional<QString> error = FileOperations::makeFolder(m_path))
        m_error = *error;
}

StagingFolder::~StagingFolder()
{
    // Links inside (a staged game folder) are removed as links; what they point to stays.
    FileOperations::removeItem(m_path);
}
