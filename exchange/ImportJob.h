#pragma once

#include "exchange/Installation.h"
#include "exchange/ProgressJob.h"

// Brings an exchange archive into the library: checks its marker, members and size from the
// listing, asks before replacing a game, unpacks it in a staging folder, points its paths at this
// user's home, and swaps the new files in so that a failure leaves the old game as it was.
class ImportJob final : public ProgressJob
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
    void installed(const QString& configFile); // the library changed: load it again

private:
    void listed(const ProcessRunner::Result& result);
    void sized(const ProcessRunner::Result& result);
    bool askAboutConflict();
    void unpack();
    void unpacked(const ProcessRunner::Result& result);
    std::optional<QString> prepareConfig(const QString& stagedConfig) const;
    void install(const QString& stagedConfig, const QString& stagedFolder);
    void fail(const QString& message);

    Road m_road = Road::Panel;
    QString m_archivePath;
    QString m_configMember;    // the archive's configuration file, as listed
    QString m_name;            // its base name in the archive
    QString m_targetName;      // the base name in the library ("Doom 2" to keep both)
    bool m_mayReplace = false; // the user agreed to replace a game of that name
    qint64 m_memberCount = 0;
    bool m_hasFolder = false;
    mutable QStringList m_dropped; // settings left out that would reach past the game's drives
};
