#include "library/LibraryLoader.h"

#include "library/LibraryLayout.h"
#include "library/ProgramKeys.h"
#include "platform/Collation.h"
#include "platform/FolderListing.h"
#include "platform/TextFile.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <vector>

using namespace Qt::StringLiterals;

namespace LibraryLoader {

namespace {

// A key line's beginning as bytes: "game_title=".
QByteArray keyLineStart(QLatin1StringView key)
{
    return QByteArray(key.data(), key.size()) + '=';
}

// The extension is exactly "conf": "Game.CONF" is no entry.
bool hasConfigExtension(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot >= 0 && QStringView(name).mid(dot + 1) == LibraryLayout::ConfigExtension;
}

std::optional<ConfigEntry> entryFromBytes(const QString& configFilePath, const QByteArray& bytes)
{
    if (!isValidUtf8(bytes))
        return std::nullopt;

    // One walk over the lines finds the first line of each key Tandril reads (at a line's first
    // character): a load neither decodes nor splits whole files.
    static const QByteArray TitleKey = keyLineStart(ProgramKeys::Title);
    static const QByteArray SetupKey = keyLineStart(ProgramKeys::SetupExe);
    // The title and the details all begin so.
    static const QByteArray DetailPrefix(ProgramKeys::DetailPrefix.data(), ProgramKeys::DetailPrefix.size());
    static const QStringList detailNames = GameDetailsText::keys();
    static const std::vector<QByteArray> detailKeys = [] {
        std::vector<QByteArray> keys;
        for (const QString& name : detailNames)
            keys.push_back(name.toLatin1() + '=');
        return keys;
    }();
    std::optional<QByteArrayView> title;
    std::optional<QByteArrayView> setup;
    std::vector<std::optional<QByteArrayView>> details(detailKeys.size());
    const QByteArrayView all(bytes);
    for (qsizetype lineStart = 0; lineStart < all.size();) {
        qsizetype lineEnd = all.indexOf('\n', lineStart);
        if (lineEnd < 0)
            lineEnd = all.size();
        const QByteArrayView line = all.sliced(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        if (line.startsWith(DetailPrefix)) {
            if (!title && line.startsWith(TitleKey)) {
                title = line;
                continue;
            }
            const QByteArrayView rest = line.sliced(DetailPrefix.size());
            for (size_t i = 0; i < details.size(); ++i) {
                if (!details[i] && rest.startsWith(detailKeys[i]))
                    details[i] = rest.sliced(detailKeys[i].size());
            }
        } else if (!setup && line.startsWith(SetupKey)) {
            setup = line.sliced(SetupKey.size());
        }
    }
    if (!title)
        return std::nullopt;

    ConfigEntry entry;
    entry.title = ProgramKeys::titleFromLine(QString::fromUtf8(*title));
    if (setup)
        entry.setupPath = QString::fromUtf8(*setup).trimmed();
    for (size_t i = 0; i < details.size(); ++i) {
        if (!details[i])
            continue;
        const QString& name = detailNames.at(qsizetype(i));
        const QString value = QString::fromUtf8(*details[i]).trimmed();
        GameDetailsText::set(entry.details, name,
                             name == u"notes" ? GameDetailsText::unescapedNotes(value) : value);
    }
    entry.filePath = configFilePath;
    return entry;
}

// The configuration files of the folder, in file-name order; nothing when it cannot be listed.
std::optional<QStringList> configFileNames(const QString& libraryFolder)
{
    const QFileInfo folderInfo(libraryFolder);
    if (!folderInfo.isDir() || !folderInfo.isExecutable())
        return std::nullopt;
    // Hidden files count; so do links that point nowhere (they are skipped when read).
    std::optional<QStringList> listed = FolderListing::nonFolderNames(libraryFolder);
    if (!listed)
        return std::nullopt;
    QStringList& names = *listed;
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const QString& name) { return !hasConfigExtension(name); }),
                names.end());
    sortFileNames(names);
    return listed;
}

// Reads every configuration file once: the entries (when asked for) and the signature of what
// was read, so that the window can tell later whether anything changed.
std::optional<QList<ConfigEntry>> scan(const QString& libraryFolder, QByteArray* signature, bool wantEntries)
{
    const std::optional<QStringList> names = configFileNames(libraryFolder);
    if (!names)
        return std::nullopt;
    const QString prefix = QDir(libraryFolder).absolutePath() + u'/';
    QList<ConfigEntry> entries;
    entries.reserve(wantEntries ? names->size() : 0);
    size_t hash = 0;
    for (const QString& name : *names) {
        const QString path = prefix + name;
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
