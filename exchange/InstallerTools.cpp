#include "exchange/InstallerTools.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace InstallerTools {

namespace {

QString absolute(const QString& path)
{
    // An absolute path never begins with "-": no file name reaches a tool as an option.
    return QFileInfo(path).absoluteFilePath();
}

QByteArray head(const QString& file, qint64 size)
{
    QFile input(file);
    return input.open(QIODevice::ReadOnly) ? input.read(size) : QByteArray();
}

} // namespace

ProcessRunner::Command innoextractVersionCommand()
{
    return {Innoextract, {QStringLiteral("--version")}, QString()};
}

std::optional<std::pair<int, int>> innoextractVersion(const QByteArray& answer)
{
    static const QRegularExpression version(QStringLiteral("^innoextract (\\d+)\\.(\\d+)"),
                                            QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = version.match(QString::fromUtf8(answer));
    if (!match.hasMatch())
        return std::nullopt;
    return std::pair{match.captured(1).toInt(), match.captured(2).toInt()};
}

std::optional<QString> innoextractProblem(const std::optional<std::pair<int, int>>& version)
{
    if (!version)
        return QCoreApplication::translate(
            "InstallerTools",
            "Unpacking this installer needs innoextract, which is not installed. Install the package "
            "\"innoextract\" and add the game again.");
    if (*version < std::pair{OldestMajor, OldestMinor})
        return QCoreApplication::translate("InstallerTools",
                                           "innoextract %1.%2 is too old for the store's installers: version "
                                           "%3.%4 or newer is needed. "
                                           "Update the package \"innoextract\" and add the game again.")
            .arg(version->first)
            .arg(version->second)
            .arg(OldestMajor)
            .arg(OldestMinor);
    return std::nullopt;
}

ProcessRunner::Command innoextractListCommand(const QString& installer)
{
    return {Innoextract,
            {QStringLiteral("--list"), QStringLiteral("--gog"), QStringLiteral("--exclude-temp"),
             QStringLiteral("--color=0"), QStringLiteral("--progress=0"), absolute(installer)},
            QString()};
}

ProcessRunner::Command innoextractCommand(const QString& installer, const QString& folder,
                                          const QString& part)
{
    QStringList arguments{QStringLiteral("--extract"),
                          QStringLiteral("--gog"),
                          QStringLiteral("--exclude-temp"),
                          QStringLiteral("--color=0"),
                          QStringLiteral("--progress=0"),
                          QStringLiteral("--output-dir"),
                          absolute(folder)};
    if (!part.isEmpty())
        arguments << QStringLiteral("--include") << part;
    arguments << QStringLiteral("--") << absolute(installer);
    return {Innoextract, arguments, QString()};
}

qint64 listedFiles(const QByteArray& listing)
{
    qint64 files = 0;
    for (const QByteArray& line : listing.split('\n')) {
        if (line.trimmed().startsWith(InnoextractItemPrefixes.first()))
            ++files;
    }
    return files;
}

ProcessRunner::Command unzipLinuxInstallerCommand(const QString& installer, const QString& folder)
{
    return {QStringLiteral("/usr/bin/unzip"),
            {absolute(installer), LinuxGamePart + QStringLiteral("/*")},
            absolute(folder)};
}

bool unzipSucceeded(int exitCode)
{
    return exitCode == 0 || exitCode == 1;
}

bool isLinuxInstaller(const QString& file)
{
    const QFileInfo info(file);
    if (!info.isFile() || info.suffix().compare(QStringLiteral("sh"), Qt::CaseInsensitive) != 0)
        return false;
    return head(file, 2) == "#!";
}

bool isWindowsInstaller(const QString& file)
{
    const QFileInfo info(file);
    if (!info.isFile() || info.suffix().compare(QStringLiteral("exe"), Qt::CaseInsensitive) != 0)
        return false;
    if (!head(file, 2).startsWith("MZ"))
        return false;
    return info.fileName().startsWith(QStringLiteral("setup_"), Qt::CaseInsensitive) ||
           head(file, 4 * 1024 * 1024).contains("Inno Setup");
}

} // namespace InstallerTools
