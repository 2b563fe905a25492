#pragma once

#include <optional>
#include <QString>
#include <QStringList>
#include <QUrl>

// Where DOSBox-X lives on this operating system. Nothing outside this file knows these paths.
class Emulator
{
public:
    // searchPaths: where to look for the program instead of the system's own places (tests).
    explicit Emulator(QStringList searchPaths = {});

    // The program to start, when it is installed.
    std::optional<QString> executable() const;
    // The folder of the emulator's display shaders (may not exist).
    QString shaderFolder() const;

    // The presence check: what is tested, and what the user is told when it fails.
    bool isInstalled() const;
    QString foundLine() const;
    QString missingTitle() const;
    QString missingText() const;
    static QUrl downloadPage();

private:
    QStringList m_searchPaths;
};
