#include "library/PlayRecord.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

namespace PlayRecord {

namespace {

const QString LastPlayedKey = QStringLiteral("lastPlayed");
const QString SecondsKey = QStringLiteral("seconds");

// A file of its own, so that the window's other settings and this record never write each other.
QSettings store()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tandril"),
                     QStringLiteral("PlayRecord"));
}

QString keyOf(const QString& configFile)
{
    // QSettings reads "/" as a group and "\" as a separator: neither is in a game's name.
    return QFileInfo(configFile).fileName();
}

Record read(QSettings& settings)
{
    Record record;
    const QDateTime last = QDateTime::fromString(settings.value(LastPlayedKey).toString(), Qt::ISODate);
    if (last.isValid())
        record.lastPlayed = last;
    record.seconds = settings.value(SecondsKey, 0).toLongLong();
    return record;
}

} // namespace

QHash<QString, Record> all()
{
    QSettings settings = store();
    QHash<QString, Record> records;
    for (const QString& game : settings.childGroups()) {
        settings.beginGroup(game);
        records.insert(game, read(settings));
        settings.endGroup();
    }
    return records;
}

Record of(const QString& configFile)
{
    QSettings settings = store();
    settings.beginGroup(keyOf(configFile));
    return read(settings);
}

void started(const QString& configFile, const QDateTime& when)
{
    QSettings settings = store();
    settings.setValue(keyOf(configFile) + u'/' + LastPlayedKey, when.toString(Qt::ISODate));
}

void played(const QString& configFile, qint64 seconds)
{
    // Read and written in one go under QSettings' own lock: two games ending together add both.
    QSettings settings = store();
    const QString key = keyOf(configFile) + u'/' + SecondsKey;
    settings.setValue(key, settings.value(key, 0).toLongLong() + std::max<qint64>(0, seconds));
}

void renamed(const QString& oldConfigFile, const QString& newConfigFile)
{
    QSettings settings = store();
    settings.beginGroup(keyOf(oldConfigFile));
    const Record record = read(settings);
    settings.endGroup();
    if (record == Record{})
        return;
    settings.remove(keyOf(oldConfigFile));
    settings.beginGroup(keyOf(newConfigFile));
    if (record.lastPlayed)
        settings.setValue(LastPlayedKey, record.lastPlayed->toString(Qt::ISODate));
    settings.setValue(SecondsKey, record.seconds);
}

QString durationText(qint64 seconds)
{
    if (seconds <= 0)
        return {};
    if (seconds < 60)
        return QCoreApplication::translate("PlayRecord", "less than a minute");
    const qint64 minutes = seconds / 60;
    if (minutes < 60)
        return QCoreApplication::translate("PlayRecord", "%1 min").arg(minutes);
    return QCoreApplication::translate("PlayRecord", "%1 h %2 min").arg(minutes / 60).arg(minutes % 60);
}

} // namespace PlayRecord
