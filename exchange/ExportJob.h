#pragma once

#include "exchange/ProgressJob.h"
#include "library/ConfigEntry.h"

#include <memory>
#include <optional>

// Packs one game into "{base}.tdl" where the user chose. zip runs without blocking the event
// loop; the archive is made in a staging folder and moved into place only when zip succeeded.
class ExportJob final : public ProgressJob
{
    Q_OBJECT

public:
    ExportJob(Prompter& prompter, ProcessRunner& runner, QObject* parent = nullptr);
    ~ExportJob() override;

    // False when nothing was started (no game, or the user kept the old archive); otherwise
    // finished() follows once the export has ended, whatever the outcome. archivePath: where
    // the archive goes; empty: "{base}.tdl" in defaultFolder().
    // saves: whether the archive's drive C is the game with the player's saved games applied, or
    // the game as it came; Ask asks when the game has saved games.
    enum class Saves
    {
        Ask,
        Include,
        Leave,
    };
    bool start(const std::optional<ConfigEntry>& entry, const QString& archivePath = {},
               Saves saves = Saves::Ask);

    // Where exports go unless told otherwise: where the last one went, else the Desktop, else
    // the home folder.
    static QString defaultFolder();

private:
    std::optional<QString> stage(const ConfigEntry& entry);
    void zipped(const ProcessRunner::Result& result);
    void finish(bool success, const QString& title, const QString& message);

    QString m_baseName;
    QString m_configFile;
    QByteArray m_fingerprint; // the game as it was read when the export began
    bool m_withSaves = false;
    QString m_savesFolder;
    QStringList m_leftOut; // links out of the game folder, not packed
    QString m_stagedArchive;
    QString m_archivePath;
};
