#pragma once

#include "exchange/Installation.h"
#include "platform/ProcessRunner.h"

#include <memory>
#include <QObject>

class Prompter;
class StagingFolder;

// Brings an exchange archive into the library: checks its marker and members, unpacks it in a
// staging folder, points its paths at this user's home, asks before replacing a game, and swaps
// the new files in so that a failure leaves the old game as it was.
class ImportJob final : public QObject
{
    Q_OBJECT

public:
    // Panel: busy only while installing. FileManager: busy for the whole import.
    enum class Road
    {
        Panel,
        FileManager
    };

    ImportJob(Prompter& prompter, ProcessRunner& runner, QObject* parent = nullptr);
    ~ImportJob() override;

    // finished() always follows, also for a refused archive.
    void start(const QString& archivePath, Road road);

Q_SIGNALS:
    void busyChanged(bool busy);
    void installed(const QString& configFile); // the library changed: load it again
    void finished(bool success);

private:
    void listed(const ProcessRunner::Result& result);
    void unpacked(int exitCode, const QString& startError);
    void install(const QString& stagedConfig, const QString& stagedFolder,
                 const Installation::Destinations& destinations);
    void fail(const QString& message);
    void finish(bool success);

    Prompter& m_prompter;
    ProcessRunner& m_runner;
    Road m_road = Road::Panel;
    QString m_archivePath;
    std::unique_ptr<StagingFolder> m_staging;
    bool m_busy = false;
};
