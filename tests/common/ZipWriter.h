#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Writes small zip archives by hand, so that tests can make members no zip tool would write:
// "../" paths, absolute names, links anywhere.
class ZipWriter
{
public:
    ZipWriter() = default;
    // Members in order: "NAME=CONTENT" a file, "NAME/" a folder, "NAME->TARGET" a link.
    explicit ZipWriter(const QStringList& members);

    void addFile(const QString& name, const QByteArray& content)
    {
        m_entries.append({name, content, Kind::File});
    }
    void addFolder(const QString& name)
    {
        m_entries.append({name.endsWith(u'/') ? name : name + u'/', {}, Kind::Folder});
    }
    void addLink(const QString& name, const QString& target)
    {
        m_entries.append({name, target.toUtf8(), Kind::Link});
    }

    QByteArray bytes() const;
    bool write(const QString& path) const;

private:
    enum class Kind
    {
        File,
        Folder,
        Link
    };
    struct Entry
    {
        QString name;
        QByteArray content;
        Kind kind;
    };
    QList<Entry> m_entries;
};
