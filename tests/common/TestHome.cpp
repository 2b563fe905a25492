#include "common/TestHome.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

TestHome::TestHome() : m_previousHome(qgetenv("HOME"))
{
    QVERIFY2(m_dir.isValid(), "cannot make a temporary home folder");
    qputenv("HOME", QFile::encodeName(m_dir.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.path() + u"/.local/share"_s));
    // Staging folders land here, where a test can see that none is left behind.
    QDir().mkpath(temporaryFolder());
    qputenv("TMPDIR", QFile::encodeName(temporaryFolder()));
    QSettings(u"Tandril"_s, u"Tandril"_s).clear();
}

TestHome::~TestHome()
{
    qunsetenv("TMPDIR");
    QSettings(u"Tandril"_s, u"Tandril"_s).clear();
    qputenv("HOME", m_previousHome);
}

QString TestHome::libraryFolder() const
{
    return m_dir.path() + u"/Library/Application Support/Tandril"_s;
}

QString TestHome::writeFile(const QString& relativePath, const QByteArray& content) const
{
    const QString path = QDir(m_dir.path()).absoluteFilePath(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write test file %s", qPrintable(path));
    return path;
}

QString TestHome::writeProgram(const QString& relativePath, const QByteArray& script) const
{
    const QString path = writeFile(relativePath, script);
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
    return path;
}

QString TestHome::writeConfig(const QString& baseName, const QByteArray& content) const
{
    return writeFile(u"Library/Application Support/Tandril/"_s + baseName + u".conf"_s, content);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool backdate(const QString& path, int seconds)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.setFileTime(QDateTime::currentDateTime().addSecs(-seconds),
                                                               QFileDevice::FileModificationTime);
}

QStringList tree(const QString& folder)
{
    QStringList items;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        items << it.filePath().mid(folder.size() + 1) + (it.fileInfo().isDir() ? u"/"_s : QString());
    }
    items.sort();
    return items;
}

QStringList contents(const QString& folder)
{
    QStringList items = tree(folder);
    for (QString& item : items) {
        if (!item.endsWith(u'/'))
            item += u'=' + QString::fromLatin1(readFile(folder + u'/' + item));
    }
    return items;
}

void isolateUserDefaults()
{
    static QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
    QStandardPaths::setTestModeEnabled(true);
}
