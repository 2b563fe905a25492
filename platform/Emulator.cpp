#include "platform/Emulator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

Emulator::Emulator(QStringList searchPaths) : m_searchPaths(std::move(searchPaths)) {}

QUrl Emulator::downloadPage()
{
    return QUrl(QStringLiteral("https://github.com/joncampbell123/dosbox-x/releases/latest"));
}

QString Emulator::missingTitle() const
{
    return QCoreApplication::translate("Emulator", "DOSBox-X Not Found");
}

#if defined(Q_OS_MACOS)

namespace {
const QString BundlePath = QStringLiteral("/Applications/dosbox-x.app");
}

std::optional<QString> Emulator::executable() const
{
    const QString program = BundlePath + QStringLiteral("/Contents/MacOS/dosbox-x");
    return QFileInfo::exists(program) ? std::optional<QString>(program) : std::nullopt;
}

QString Emulator::shaderFolder() const
{
    return BundlePath + QStringLiteral("/Contents/Resources/glshaders");
}

bool Emulator::isInstalled() const
{
    return QFileInfo::exists(BundlePath);
}

QString Emulator::foundLine() const
{
    return QStringLiteral("dosbox-x.app found in /Applications.");
}

QString Emulator::missingText() const
{
    return QCoreApplication::translate("Emulator",
                                       "The dosbox-x.app was not found in the /Applications folder.\n"
                                       "Please download and install it there so Tandril works properly.\n"
                                       "Use the dosbox-x-sdl2 variant from the ZIP archive.");
}

#else

std::optional<QString> Emulator::executable() const
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("dosbox-x"), m_searchPaths);
    return program.isEmpty() ? std::nullopt : std::optional<QString>(program);
}

QString Emulator::shaderFolder() const
{
    // DOSBox-X installs PREFIX/bin/dosbox-x and its shaders in PREFIX/share/dosbox-x/glshaders.
    const std::optional<QString> program = executable();
    if (!program)
        return {};
    // A link on PATH (/usr/local/bin/dosbox-x) counts from the real program's prefix.
    const QFileInfo info(*program);
    const QString real = info.canonicalFilePath();
    QDir prefix = QFileInfo(real.isEmpty() ? info.absoluteFilePath() : real).dir();
    prefix.cdUp();
    return prefix.absoluteFilePath(QStringLiteral("share/dosbox-x/glshaders"));
}

bool Emulator::isInstalled() const
{
    return executable().has_value();
}

QString Emulator::foundLine() const
{
    return QStringLiteral("dosbox-x found at %1.").arg(executable().value_or(QString()));
}

QString Emulator::missingText() const
{
    return QCoreApplication::translate("Emulator", "The dosbox-x program was not found on this system.\n"
                                                   "Please install it so Tandril works properly.");
}

#endif
