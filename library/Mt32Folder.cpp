#include "library/Mt32Folder.h"

#include "library/LibraryLayout.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Mt32Folder {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("Mt32Folder", text);
}

constexpr qint64 ControlRomSize = 64 * 1024;
constexpr qint64 MaximumPcmRomSize = 1024 * 1024;

// Why a ROM file is not one, if it is not.
std::optional<QString> romProblem(const QString& file, std::initializer_list<qint64> sizes)
{
    const QFileInfo info(file);
    if (std::find(sizes.begin(), sizes.end(), info.size()) == sizes.end())
        return tr("%1 has %2 bytes, which is the size of no such ROM.").arg(info.fileName()).arg(info.size());
    QFile rom(file);
    if (!rom.open(QIODevice::ReadOnly))
        return tr("%1 cannot be read.").arg(info.fileName());
    // The first block decides: a file of one byte repeated holds no ROM.
    const QByteArray start = rom.read(ControlRomSize);
    if (start.size() != std::min(info.size(), ControlRomSize))
        return tr("%1 cannot be read.").arg(info.fileName());
    if (start.count(start.at(0)) == start.size())
        return tr("%1 holds no ROM data (the same byte throughout).").arg(info.fileName());
    return std::nullopt;
}

} // namespace

QString path()
{
    return LibraryLayout::mt32Folder(Paths::libraryFolder());
}

void createIfNeeded()
{
    const QString folder = path();
    if (!QFileInfo::exists(folder))
        QDir().mkpath(folder);
}

Check check(const QString& folder)
{
    const QDir dir(folder);
    const QString needed = tr("DOSBox-X needs MT32_CONTROL.ROM and MT32_PCM.ROM, or CM32L_CONTROL.ROM and "
                              "CM32L_PCM.ROM, in %1.")
                               .arg(folder);
    // Looked for as DOSBox-X looks: the CM-32L's first, by these names exactly.
    for (const QString& model : {QStringLiteral("CM32L"), QStringLiteral("MT32")}) {
        const QString control = dir.filePath(model + QStringLiteral("_CONTROL.ROM"));
        const QString pcm = dir.filePath(model + QStringLiteral("_PCM.ROM"));
        if (!QFileInfo(control).isFile() || !QFileInfo(pcm).isFile())
            continue;
        if (std::optional<QString> problem = romProblem(control, {ControlRomSize}))
            return {false, *problem + u' ' + needed};
        if (std::optional<QString> problem = romProblem(pcm, {MaximumPcmRomSize / 2, MaximumPcmRomSize}))
            return {false, *problem + u' ' + needed};
        return {true, QString()};
    }
    return {false, needed};
}

bool hasTwoRomFiles(const QString& folder)
{
    return check(folder).ready;
}

} // namespace Mt32Folder
