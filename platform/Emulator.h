#pragma once

#include <memory>
#include <optional>
#include <QString>
#include <QStringList>
#include <QUrl>

// Where DOSBox-X lives on this machine and how it is started. Nothing outside this file knows
// these places. Looked for in this order: the program named for one run (TANDRIL_DOSBOX_X or
// "--emulator"), the program the user chose, dosbox-x on PATH, and on Linux the Flatpak
// application.
class Emulator
{
public:
    static constexpr const char* OverrideVariable = "TANDRIL_DOSBOX_X";
    static constexpr const char* FlatpakApplication = "com.dosbox_x.DOSBox-X";

    // searchPaths: where to look for dosbox-x and flatpak instead of PATH (tests).
    explicit Emulator(QStringList searchPaths = {});

    struct Start
    {
        QString program;
        QStringList arguments;
    };

    // The program that starts DOSBox-X, when it was found (for the Flatpak: flatpak itself).
    std::optional<QString> executable() const;
    // How to start DOSBox-X with these arguments; the Flatpak gets access to the library and to
    // every host path the arguments mount.
    // extraGrants: more host paths the Flatpak may use (a file DOSBox-X is to write).
    Start startCommand(const QStringList& dosboxArguments, const QStringList& extraGrants = {}) const;
    // The folders of the emulator's display shaders and its language files (may not exist).
    QString shaderFolder() const;
    QString languageFolder() const;
    // Looks again, after the user chose a program.
    void refresh();

    // The presence check: what is tested, and what the user is told when it fails.
    bool isInstalled() const;
    QString foundLine() const;
    QString missingTitle() const;
    QString missingText() const;
    static QUrl downloadPage();

private:
    struct Found
    {
        QString program;
        QString flatpakLocation; // set for the Flatpak: where its files are installed
    };
    const std::optional<Found>& found() const;
    std::optional<Found> search() const;

    QStringList m_searchPaths;
    // Shared by copies, so that every part of the program sees one search and one refresh.
    std::shared_ptr<std::optional<std::optional<Found>>> m_found;
};
