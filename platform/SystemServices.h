#pragma once

#include <optional>
#include <QString>
#include <QStringList>
#include <QUrl>

// What the program asks of the desktop beyond alerts: showing folders and web pages, and
// starting the emulator. Replaced by a recording double in tests.
class SystemServices
{
public:
    virtual ~SystemServices();

    // False when no file manager could be started to show it.
    virtual bool openFolder(const QString& path) = 0;
    virtual void openUrl(const QUrl& url) = 0;

    // Starts a program that runs on by itself: no shell, every argument a string of its own,
    // working directory and environment inherited, never waited for. Returns the system's
    // description of the failure, or nothing when the program started.
    virtual std::optional<QString> startDetached(const QString& program, const QStringList& arguments);
};
