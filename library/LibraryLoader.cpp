#include "library/LibraryLoader.h"

#include "library/LibraryLayout.h"
#include "platform/Collation.h"
#include "platform/TextFile.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <vector>

using namespace Qt::StringLiterals;

namespace LibraryLoader {

namespace {

constexpr QByteArrayView TitleKey = "game_title=";
constexpr QByteArrayView SetupKey = "setup_exe=";

// The first line that begins with key (at its first character). Works on the bytes so that a
// load does not decode or split whole files.
std::optional<QByteArrayView> firstLineStartingWith(QByteArrayView bytes, QByteArrayView key)
{
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = bytes.indexOf(key, from);
        if (at < 0)
            return std::nullopt;
        if (at == 0 || bytes.at(at - 1) == '\n') {
            const qsizetype lineEnd = bytes.indexOf('\n', at);
            return bytes.sliced(at, (lineEnd < 0 ? bytes.size() : lineEnd) - at);
        }
        from = at + 1;
    }
}

// The extension is exactly "conf": "Game.CONF" is no entry.
bool hasConfigExtension(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot >= 0 && QStringView(name).mid(dot + 1) == LibraryLayout::ConfigExtension;
}

} // namespace

std::optional<ConfigEntry> readEntry(const QString& configFilePath)
{
    const TextFile::BytesResult read = TextFile::readBytes(configFilePath);
    const QByteArray& bytes = read.bytes;
    if (read.status != TextFile::ReadStatus::Ok || !isValidUtf8(bytes))
        return std::nullopt;

    const std::optional<QByteArrayView> titleLine = firstLineStartingWith(bytes, TitleKey);
    if (!titleLine)
        return std::nullopt;

    ConfigEntry entry;
    entry.title = QString::fromUtf8(*titleLine).remove(QString::fromLatin1(TitleKey)).trimmed();
    if (const std::optional<QByteArrayView> setupLine = firstLineStartingWith(bytes, SetupKey))
        entry.setupPath = QString::fromUtf8(setupLine->sliced(SetupKey.size())).trimmed();
    // The details' lines, found in the bytes like the title: a load decodes no whole files.
    for (const QString& name : GameDetailsText::keys()) {
        const QByteArray key = "game_" + name.toLatin1() + '=';
        if (const std::optional<QByteArrayView> line = firstLineStartingWith(bytes, key)) {
            const QString value = QString::fromUtf8(line->sliced(key.size())).trimmed();
            GameDetailsText::set(entry.details, name,
                                 name == u"notes" ? GameDetailsText::unescapedNotes(value) : value);
        }
    }
    entry.filePath = configFilePath;
    return entry;
}

void sortFileNames(QStringList& names)
{
    // Sort keys: one collation pass per name instead of one per comparison.
    const QCollator collator = Collation::fileNameCollator();
    std::vector<std::pair<QCollatorSortKey, QString>> keyed;
    keyed.reserve(names.size());
    for (QString& name : names) {
        // Without the extension: "Doom.conf" before "Doom 2.conf", as "Doom" before "Doom 2".
        const QString extension = u'.' + LibraryLayout::ConfigExtension;
        QCollatorSortKey key =
            collator.sortKey(name.endsWith(extension) ? name.chopped(extension.size()) : name);
        keyed.emplace_back(std::move(key), std::move(name));
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    for (qsizetype i = 0; i < names.size(); ++i)
        names[i] = std::move(keyed[size_t(i)].second);
}

std::optional<QList<ConfigEntry>> load(const QString& libraryFolder)
{
    const QFileInfo folderInfo(libraryFolder);
    if (!folderInfo.isDir() || !folderInfo.isReadable() || !folderInfo.isExecutable())
        return std::nullopt;

    // Hidden files count; System keeps links that point nowhere (they are skipped when read).
    QDir folder(libraryFolder);
    QStringList names =
        folder.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const QString& name) { return !hasConfigExtension(name); }),
                names.end());
    sortFileNames(names);

    QList<ConfigEntry> entries;
    entries.reserve(names.size());
    for (const QString& name : std::as_const(names)) {
        if (std::optional<ConfigEntry> entry = readEntry(folder.absoluteFilePath(name)))
            entries.append(std::move(*entry));
    }
    return entries;
}

QByteArray listingSignature(const QString& libraryFolder)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const QDir folder(libraryFolder);
    for (const QFileInfo& file : folder.entryInfoList({u"*."_s + LibraryLayout::ConfigExtension},
                                                      QDir::Files | QDir::System, QDir::Name)) {
        hash.addData(QStringLiteral("%1|%2|%3\n")
                         .arg(file.fileName())
                         .arg(file.size())
                         .arg(file.lastModified().toMSecsSinceEpoch())
                         .toUtf8());
    }
    return hash.result();
}

std::optional<int> rowToRestore(std::optional<int> storedRow, qsizetype entryCount)
{
    const int row = storedRow.value_or(0);
    if (row >= 0 && row < entryCount)
        return row;
    return std::nullopt;
}

} // namespace LibraryLoader
