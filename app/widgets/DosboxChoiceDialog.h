#pragma once

#include "platform/Emulator.h"

#include <QDialog>

class FilePanel;
class Prompter;
class QLabel;

// The application's preferences: which DOSBox-X starts the games (the one found automatically
// or one the user chose) and its version, with a way to choose another or go back to automatic.
class DosboxChoiceDialog final : public QDialog
{
    Q_OBJECT

public:
    DosboxChoiceDialog(Emulator emulator, Prompter& prompter, FilePanel& filePanel, QWidget* parent);

private:
    void showProgram();

    Emulator m_emulator;
    Prompter& m_prompter;
    FilePanel& m_filePanel;
    QLabel* m_program = nullptr;
    QLabel* m_version = nullptr;
};
