#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

// Writes small zip archives by hand, so that tests can make members no zip tool would write:
// "../" paths, absolute names, links anywhere.
class ZipWriter
{
public:
    // Members in order: "NAME=CONTENT" a file, "NAME/" a folder, "NAME->TARGET" a link.
    explicit ZipWriter(const QStringList& members = {});

    void addFile(const QString& name, const QByteArray& content)
    {
        m_entries.append({name, content, 0100644});
    }
    QByteArray bytes() const;

private:
    struct Entry
    {
        QString name;
        QByteArray content; // a link's target
        quint32 mode;       // the Unix file type and permissions
    };
    QList<Entry> m_entries;
};

// An archive's member names as unzip lists them, in its order; empty when it cannot be read.
QStringList zipMembers(const QString& archive);
