#pragma once

#include <QString>

class Prompter;
class QComboBox;

// The five sound card menus of the settings editor.
struct SoundMenus
{
    QComboBox* soundcard;
    QComboBox* sbbase;
    QComboBox* irq;
    QComboBox* dma;
    QComboBox* hdma;

    // Fills the menus and selects the defaults.
    void setupInitialSoundMenus() const;
    // Asks, then selects the defaults of the card with that sbtype value.
    void reset(const QString& defaultSbtype, Prompter& prompter) const;
};
