#pragma once

#include <QString>
#include <QStringList>

// The emulator's display language and the DOS keyboard layout, from the user's first
// preferred language.
struct LanguageChoice
{
    QString languageFile; // "de_DE.lng"
    QString layout;       // "gr"

    bool operator==(const LanguageChoice&) const = default;
};

LanguageChoice languageAndKeyboard(const QStringList& preferredLanguages);

// "keyb" with the layout; for the layouts whose DOSBox-X language file uses another code page
// than the layout's default, that code page too, or DOSBox-X stops to ask about it.
QString keyboardCommand(const QString& layout);
