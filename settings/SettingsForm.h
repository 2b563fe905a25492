#pragma once

#include "library/GameDetails.h"

#include <optional>
#include <QHash>
#include <QString>
#include <QStringList>
#include <utility>

// The settings form's values as a configuration file gives them, before they meet the controls.
namespace SettingsForm {

// The eight on/off options: check box name and configuration key.
struct CheckboxBinding
{
    QString objectName;
    QString key;
};
const QList<CheckboxBinding>& checkboxMapping();

struct LoadedValues
{
    QString title;
    QString gameExe;
    QString setupExe;
    QString cdImage;
    QString frameskip = QStringLiteral("0");
    QString cycles = QStringLiteral("3000");
    QString sensitivity = QStringLiteral("100");
    std::optional<QString> glshader;
    std::optional<QString> sbtype;
    std::optional<QString> sbbase;
    std::optional<QString> irq;
    std::optional<QString> dma;
    std::optional<QString> hdma;
    QHash<QString, bool> checkValues; // key → on; absent keys are off
    bool mt32 = false;
    std::optional<std::pair<QString, QString>> windowResolution; // width, height
    std::optional<QString> autoexec;
    GameDetails details;
};

// Reads the form's values from a configuration text: trimmed key lines, the last one winning;
// "mididevice=" and "windowresolution=" from their first untrimmed line.
LoadedValues load(const QString& text);

// "shaders/sharp.glsl" gives "sharp".
QString shaderName(const QString& glshaderValue);

// The index of the item with that title, or 0.
int indexOrFirst(const QStringList& items, const std::optional<QString>& title);

QStringList frameskipItems();

// The shader menu's first item; saving it writes an empty "glshader=".
QString noShaderTitle();

} // namespace SettingsForm
