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

namespace {

std::optional<ConfigEntry> entryFromBytes(const QString& configFilePath, const QByteArray& bytes);

// The configuration files of the folder, in file-name order; nothing when it cannot be listed.
std::optional<QStringList> configFileNames(const QString& libraryFolder)
{
    const QFileInfo folderInfo(libraryFolder);
    if (!folderInfo.isDir() || !folderInfo.isReadable() || !folderInfo.isExecutable())
        return std::nullopt;
    // Hidden files count; System keeps links that point nowhere (they are skipped when read).
    QStringList names = QDir(libraryFolder)
                            .entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const QString& name) { return !hasConfigExtension(name); }),
                names.end());
    sortFileNames(names);
    return names;
}

// Reads every configuration file once: the entries (when asked for) and the signature of what
// was read, so that the window can tell later whether anything changed.
std::optional<QList<ConfigEntry>> scan(const QString& libraryFolder, QByteArray* signature, bool wantEntries)
{
    const std::optional<QStringList> names = configFileNames(libraryFolder);
    if (!names)
        return std::nullopt;
    const QDir folder(libraryFolder);
    QList<ConfigEntry> entries;
    entries.reserve(wantEntries ? names->size() : 0);
    size_t hash = 0;
    for (const QString& name : *names) {
        const QString path = folder.absoluteFilePath(name);
        const TextFile::BytesResult read = TextFile::readBytes(path);
        hash = qHashMulti(hash, name, read.bytes, int(read.status));
        if (!wantEntries || read.status != TextFile::ReadStatus::Ok)
            continue;
        if (std::optional<ConfigEntry> entry = entryFromBytes(path, read.bytes))
            entries.append(std::move(*entry));
    }
    if (signature)
        *signature = QByteArray::number(quint64(hash));
    return entries;
}

} // namespace

std::optional<ConfigEntry> readEntry(const QString& configFilePath)
{
    const TextFile::BytesResult read = TextFile::readBytes(configFilePath);
    if (read.status != TextFile::ReadStatus::Ok)
        return std::nullopt;
    return entryFromBytes(configFilePath, read.bytes);
}

namespace {

std::optional<ConfigEntry> entryFromBytes(const QString& configFilePath, const QByteArray& bytes)
{
    if (!isValidUtf8(bytes))
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

} // namespace

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

std::optional<QList<ConfigEntry>> load(const QString& libraryFolder, QByteArray* signature)
{
    return scan(libraryFolder, signature, true);
}

QByteArray listingSignature(const QString& libraryFolder)
{
    QByteArray signature;
    scan(libraryFolder, &signature, false);
    return signature;
}

std::optional<int> rowToRestore(std::optional<int> storedRow, qsizetype entryCount)
{
    const int row = storedRow.value_or(0);
    if (row >= 0 && row < entryCount)
        return row;
    return std::nullopt;
}

} // namespace LibraryLoader
