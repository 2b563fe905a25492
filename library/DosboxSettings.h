#pragma once

#include <QList>
#include <QString>

// DOSBox-X's settings in a configuration text: every key=value line of its own sections.
namespace DosboxSettings {

struct Setting
{
    QString section; // lower case, without brackets
    QString key;     // lower case
    QString value;
    bool operator==(const Setting&) const = default;
};

// Every key=value line of DOSBox-X's sections, in the text's order. The program's own sections
// ([tandril], [tandril autoexec]) and DOSBox-X's [autoexec] commands are no settings.
QList<Setting> parse(const QString& text);

// Writes each setting where DOSBox-X reads it: a key into its section, a section the text lacks
// before the program's own sections. Tandril's own keys and values holding a control character
// are never written.
void apply(const QList<Setting>& settings, QString& configText);

} // namespace DosboxSettings
