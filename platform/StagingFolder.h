#pragma once

#include <QString>

// A fresh folder in the system's temporary folder, named by a new upper-case UUID, that is
// removed with everything in it when the object goes, whatever the outcome.
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

private:
    QString m_path;
    QString m_error;
};
