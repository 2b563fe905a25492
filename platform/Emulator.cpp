#include "platform/Emulator.h"

#include "platform/Paths.h"
#include "platform/UserDefaults.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

Emulator::Emulator(QStringList searchPaths)
    : m_searchPaths(std::move(searchPaths)), m_found(std::make_shared<std::optional<std::optional<Found>>>())
{}

QString Emulator::missingTitle() const
{
    return QCoreApplication::translate("Emulator", "DOSBox-X Not Found");
}

const std::optional<Emulator::Found>& Emulator::found() const
{
    if (!m_found->has_value())
        *m_found = search();
    return **m_found;
}

void Emulator::refresh()
{
    m_found->reset();
}

std::optional<QString> Emulator::executable() const
{
    if (const std::optional<Found>& program = found())
        return program->program;
    return std::nullopt;
}

bool Emulator::isInstalled() const
{
    return found().has_value();
}

namespace {

bool isProgram(const QString& path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.isFile() && info.isExecutable();
}

} // namespace

#if defined(Q_OS_MACOS)

namespace {
const QString BundlePath = QStringLiteral("/Applications/dosbox-x.app");
}

QUrl Emulator::downloadPage()
{
    return QUrl(QStringLiteral("https://github.com/joncampbell123/dosbox-x/releases/latest"));
}

std::optional<Emulator::Found> Emulator::search() const
{
    for (const QString& named : {qEnvironmentVariable(OverrideVariable), UserDefaults().emulatorProgram()}) {
        if (!named.isEmpty())
            return isProgram(named) ? std::optional<Found>(Found{named, {}}) : std::nullopt;
    }
    const QString program = BundlePath + QStringLiteral("/Contents/MacOS/dosbox-x");
    return QFileInfo::exists(program) ? std::optional<Found>(Found{program, {}}) : std::nullopt;
}

Emulator::Start Emulator::startCommand(const QStringList& dosboxArguments, const QStringList&) const
{
    return {executable().value_or(QString()), dosboxArguments};
}

QString Emulator::shaderFolder() const
{
    return BundlePath + QStringLiteral("/Contents/Resources/glshaders");
}

QString Emulator::languageFolder() const
{
    return BundlePath + QStringLiteral("/Contents/Resources/languages");
}

QString Emulator::foundLine() const
{
    return QStringLiteral("dosbox-x found at %1.").arg(executable().value_or(QString()));
}

QString Emulator::missingText() const
{
    return QCoreApplication::translate("Emulator",
                                       "The dosbox-x.app was not found in the /Applications folder.\n"
                                       "Please download and install it there so Tandril works properly.\n"
                                       "Use the dosbox-x-sdl2 variant from the ZIP archive.");
}

#else

QUrl Emulator::downloadPage()
{
    // How to install DOSBox-X on Linux: distribution packages, Flatpak, or building it.
    return QUrl(QStringLiteral("https://github.com/joncampbell123/dosbox-x/blob/master/INSTALL.md"));
}

std::optional<Emulator::Found> Emulator::search() const
{
    // A program named for this run, or chosen by the user, is taken as it is, or not at all.
    for (const QString& named : {qEnvironmentVariable(OverrideVariable), UserDefaults().emulatorProgram()}) {
        if (!named.isEmpty())
            return isProgram(named) ? std::optional<Found>(Found{named, {}}) : std::nullopt;
    }
    const QString program = QStandardPaths::findExecutable(QStringLiteral("dosbox-x"), m_searchPaths);
    if (!program.isEmpty())
        return Found{program, {}};
    // The Flatpak application, installed for the user or the whole system.
    const QString flatpak = QStandardPaths::findExecutable(QStringLiteral("flatpak"), m_searchPaths);
    if (flatpak.isEmpty())
        return std::nullopt;
    QProcess info;
    info.setStandardInputFile(QProcess::nullDevice());
    info.start(flatpak, {QStringLiteral("info"), QStringLiteral("--show-location"),
                         QString::fromLatin1(FlatpakApplication)});
    if (!info.waitForFinished(10000) || info.exitStatus() != QProcess::NormalExit || info.exitCode() != 0) {
        info.kill();
        return std::nullopt;
    }
    const QString location = QString::fromLocal8Bit(info.readAllStandardOutput()).trimmed();
    return Found{flatpak, location.isEmpty() ? QStringLiteral("/") : location};
}

Emulator::Start Emulator::startCommand(const QStringList& dosboxArguments,
                                       const QStringList& extraGrants) const
{
    const std::optional<Found>& program = found();
    if (!program || program->flatpakLocation.isEmpty())
        return {executable().value_or(QString()), dosboxArguments};
    // The sandbox sees only what it is given: the library, and each host path a command mounts.
    QStringList grants = QStringList{Paths::libraryFolder()} + extraGrants;
    static const QRegularExpression quotedPath(QStringLiteral("\"(/[^\"]+)\""));
    for (qsizetype i = 0; i < dosboxArguments.size(); ++i) {
        const QString& argument = dosboxArguments.at(i);
        if (argument.startsWith(u'/') && i > 0 && dosboxArguments.at(i - 1) == u"-conf")
            grants.append(argument);
        for (const QRegularExpressionMatch& match : quotedPath.globalMatch(argument))
            grants.append(match.captured(1));
    }
    QStringList arguments{QStringLiteral("run")};
    QStringList granted;
    for (const QString& path : std::as_const(grants)) {
        // A path inside one already granted needs no grant of its own.
        const bool covered = std::any_of(granted.cbegin(), granted.cend(), [&](const QString& folder) {
            return path == folder || path.startsWith(folder + u'/');
        });
        if (covered)
            continue;
        granted.append(path);
        arguments.append(QStringLiteral("--filesystem=") + path);
    }
    arguments.append(QString::fromLatin1(FlatpakApplication));
    arguments.append(dosboxArguments);
    return {program->program, arguments};
}

namespace {

// DOSBox-X installs PREFIX/bin/dosbox-x and its resources in PREFIX/share/dosbox-x/NAME; a link on
// PATH (/usr/local/bin/dosbox-x) counts from the real program's prefix.
QString resourceFolder(const QString& program, const QString& flatpakLocation, const QString& name)
{
    if (!flatpakLocation.isEmpty())
        return QDir(flatpakLocation).filePath(QStringLiteral("files/share/dosbox-x/") + name);
    const QFileInfo info(program);
    const QString real = info.canonicalFilePath();
    QDir prefix = QFileInfo(real.isEmpty() ? info.absoluteFilePath() : real).dir();
    prefix.cdUp();
    return prefix.absoluteFilePath(QStringLiteral("share/dosbox-x/") + name);
}

} // namespace

QString Emulator::shaderFolder() const
{
    const std::optional<Found>& program = found();
    return program ? resourceFolder(program->program, program->flatpakLocation, QStringLiteral("glshaders"))
                   : QString();
}

QString Emulator::languageFolder() const
{
    const std::optional<Found>& program = found();
    return program ? resourceFolder(program->program, program->flatpakLocation, QStringLiteral("languages"))
                   : QString();
}

QString Emulator::foundLine() const
{
    const std::optional<Found>& program = found();
    if (program && !program->flatpakLocation.isEmpty())
        return QStringLiteral("DOSBox-X Flatpak found.");
    return QStringLiteral("dosbox-x found at %1.").arg(executable().value_or(QString()));
}

QString Emulator::missingText() const
{
    return QCoreApplication::translate("Emulator", "The dosbox-x program was not found on this system.\n"
                                                   "Please install it so Tandril works properly.");
}

#endif
