#pragma once

#include "library/DosboxSettings.h"

#include <optional>
#include <QList>
#include <QString>
#include <QStringList>

class DosboxReference;
class Emulator;

// Checks settings the way DOSBox-X reads them: the installed DOSBox-X reads them as its
// configuration, and each value it holds afterwards is compared with the value written.
namespace DosboxCheck {

struct Result
{
    QStringList problems;              // in words for the user; empty when DOSBox-X takes all
    std::optional<QString> notChecked; // why DOSBox-X could not be asked
};

// Whether DOSBox-X holds the written value, in its own normal form: letter case where it
// lower-cases, numbers and hexadecimal numbers as it stores them, its words for true and false.
bool holdsWritten(const QString& written, const QString& held);

// What DOSBox-X made of each setting, from its account after reading them ("DOSBox-X reads
// irq=8 as 7", an unknown key).
QStringList problems(const QList<DosboxSettings::Setting>& settings, const DosboxReference& account);

// Settings brought from another DOSBox set-up, as the installed DOSBox-X reads them: those it
// holds as written are kept; each other one is named with why ("[sdl] output=overlay — DOSBox-X
// has no such value"). Blocks like check().
struct CarriedOver
{
    QList<DosboxSettings::Setting> kept;
    QStringList notCarried;
    std::optional<QString> notChecked; // why DOSBox-X could not read them: all are kept
};
CarriedOver carryOver(const QList<DosboxSettings::Setting>& settings, const DosboxReference& account);
CarriedOver carryOver(const Emulator& emulator, const QList<DosboxSettings::Setting>& settings);

// Lets the installed DOSBox-X read the settings. Blocks for a second or more: call it away from
// the window's thread.
Result check(const Emulator& emulator, const QList<DosboxSettings::Setting>& settings);

} // namespace DosboxCheck
