#include "library/PlayRecord.h"

#include "platform/SharedSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace PlayRecord {

namespace {

const QString LastPlayedKey = QStringLiteral("lastPlayed");
const QString SecondsKey = QStringLiteral("seconds");
const QString MovedToKey = QStringLiteral("movedTo");
// A file of its own, so that the window's other settings and this record never write each other.
const QString StoreName = QStringLiteral("PlayRecord");

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

// The game a record belongs to now: a game renamed while it ran is followed to its new name, as
// long as no game took the old name meanwhile.
QString currentKey(QSettings& settings, const QString& configFile)
{
    QString key = keyOf(configFile);
    const QDir library = QFileInfo(configFile).dir();
    for (int hop = 0; hop < 16; ++hop) {
        const QString movedTo = settings.value(key + u'/' + MovedToKey).toString();
        if (movedTo.isEmpty() || movedTo.contains(u'/') || QFileInfo::exists(library.filePath(key)))
            break;
        key = movedTo;
    }
    return key;
}

} // namespace

QHash<QString, Record> all()
{
    QHash<QString, Record> records;
    SharedSettings::read(StoreName, [&](QSettings& settings) {
        for (const QString& game : settings.childGroups()) {
            settings.beginGroup(game);
            records.insert(game, read(settings));
            settings.endGroup();
        }
    });
    return records;
}

Record of(const QString& configFile)
{
    Record record;
    SharedSettings::read(StoreName, [&](QSettings& settings) {
        settings.beginGroup(keyOf(configFile));
        record = read(settings);
    });
    return record;
}

std::optional<QString> started(const QString& configFile, const QDateTime& when)
{
    return SharedSettings::update(StoreName, [&](QSettings& settings) {
        settings.setValue(currentKey(settings, configFile) + u'/' + LastPlayedKey,
                          when.toString(Qt::ISODate));
    });
}

std::optional<QString> played(const QString& configFile, qint64 seconds)
{
    // Read and written in one go under the record's lock: two games ending together add both.
    return SharedSettings::update(StoreName, [&](QSettings& settings) {
        const QString key = currentKey(settings, configFile) + u'/' + SecondsKey;
        settings.setValue(key, settings.value(key, 0).toLongLong() + std::max<qint64>(0, seconds));
    });
}

std::optional<QString> renamed(const QString& oldConfigFile, const QString& newConfigFile)
{
    return SharedSettings::update(StoreName, [&](QSettings& settings) {
        settings.beginGroup(keyOf(oldConfigFile));
        const Record record = read(settings);
        settings.endGroup();
        settings.remove(keyOf(oldConfigFile));
        // A run that ends after the rename finds its game by this.
        settings.setValue(keyOf(oldConfigFile) + u'/' + MovedToKey, keyOf(newConfigFile));
        settings.beginGroup(keyOf(newConfigFile));
        settings.remove(MovedToKey);
        if (record.lastPlayed)
            settings.setValue(LastPlayedKey, record.lastPlayed->toString(Qt::ISODate));
        if (record.seconds > 0)
            settings.setValue(SecondsKey, record.seconds);
        settings.endGroup();
    });
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
