#pragma once

#include <memory>
#include <QString>

class QLockFile;

// A fresh folder in the system's temporary folder, named by a new upper-case UUID, that is
// removed with everything in it when the object goes, whatever the outcome. A lock file beside it
// ("UUID.lock") names the process that owns it, so that the folders of a killed process can be
// found and removed later.
class StagingFolder
{
public:
    StagingFolder();
    ~StagingFolder();
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;

    // False when the folder could not be made; error() then says why.
    bool isValid() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    QString path() const { return m_path; }
    QString filePath(const QString& name) const { return m_path + u'/' + name; }

    // Removes the staging folders whose owning process is gone; returns how many.
    static int removeAbandoned();

private:
    QString m_path;
    QString m_error;
    std::unique_ptr<QLockFile> m_lock;
};
