#pragma once

#include <QString>

class Prompter;

// What to do when a game comes in under the name of one already in the library. Keep Both is
// the first button, what --yes answers, so that no answer given without looking loses a game;
// Cancel is the default.
namespace ReplaceQuestion {

enum class Answer
{
    KeepBoth,
    Replace, // the old game goes to the Trash, or for good where there is none (the question says which)
    Cancel,
};

Answer ask(Prompter& prompter, const QString& existingTitle);

// The first name after base that no game's configuration file or folder has: "Doom (2)",
// "Doom (3)", …, which no one takes for a sequel.
QString freeName(const QString& libraryFolder, const QString& base);

} // namespace ReplaceQuestion
