#include "platform/SharedSettings.h"

#include "platform/LockFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>

namespace SharedSettings {

namespace {

// How long a change waits for another process's change.
constexpr int WaitMilliseconds = 10000;

QSettings store(const QString& name)
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tandril"), name);
}

// As text, the way the file holds every value.
QHash<QString, QString> everything(const QSettings& settings)
{
    QHash<QString, QString> values;
    for (const QString& key : settings.allKeys())
        values.insert(key, settings.value(key).toString());
    return values;
}

QString tr(const char* text)
{
    return QCoreApplication::translate("SharedSettings", text);
}

} // namespace

void read(const QString& name, const std::function<void(QSettings&)>& reader)
{
    QSettings settings = store(name);
    reader(settings);
}

std::optional<QString> update(const QString& name, const std::function<void(QSettings&)>& change)
{
    const QString path = store(name).fileName();
    if (!QDir().mkpath(QFileInfo(path).path()))
        return tr("The folder %1 cannot be made.").arg(QFileInfo(path).path());
    QLockFile lock(path + QStringLiteral(".update-lock"));
    if (!LockFiles::tryLock(lock, WaitMilliseconds))
        return lock.error() == QLockFile::LockFailedError
                   ? tr("%1 is being changed by another program that does not finish.").arg(path)
                   : tr("%1 could not be written; the disk may be full.").arg(path);
    // Under this lock no Tandril is writing the file, so the settings' own lock that one of them
    // left behind (killed while it wrote) is stale: taken over at once instead of waited for.
    {
        QLockFile leftOver(path + QStringLiteral(".lock"));
        if (LockFiles::tryLock(leftOver, 0))
            leftOver.unlock();
    }
    QSettings settings = store(name);
    change(settings);
    settings.sync();
    // Read back whole from the disk: a write that failed without a word shows here.
    const QSettings written = store(name);
    if (settings.status() != QSettings::NoError || everything(written) != everything(settings))
        return tr("%1 could not be written; the disk may be full.").arg(path);
    return std::nullopt;
}

} // namespace SharedSettings
