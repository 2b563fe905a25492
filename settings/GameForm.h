#pragma once

#include "library/GameDetails.h"

#include <QMap>
#include <QString>

// The settings form's values: as a configuration file gives them to the editor, and as the editor
// gives them to the save. Texts stand as typed, menus by the title selected (empty: none).
struct GameForm
{
    QString title;
    QString gameExe;
    QString setupExe;
    QString cdImage;
    // The fields of the form's table by key: what the control shows ("true" or "false" for a
    // check box). A key missing here is a field left at its default.
    QMap<QString, QString> fields;
    QString windowWidth;
    QString windowHeight;
    bool mt32 = false;
    QString soundCard;
    QString sbbase;
    QString irq;
    QString dma;
    QString hdma;
    QString glshader;
    bool glshaderBuiltIn = false; // one of DOSBox-X's own shaders, not a file
    QString beforeGame;           // commands run before the game's program
    QString autoexec;             // commands run after it ends
    QString otherSettings;        // "[section]" and "key=value" lines the form has no control for
    GameDetails details;
    bool mayReachHost = false; // kept for this user beside the play record, not in the file

    bool operator==(const GameForm&) const = default;

    // A table field's value, or its default when the form has none.
    QString field(const QString& key) const;
    bool isOn(const QString& key) const { return field(key) == u"true"; }
    void setOn(const QString& key, bool on)
    {
        fields.insert(key, on ? QStringLiteral("true") : QStringLiteral("false"));
    }
};
