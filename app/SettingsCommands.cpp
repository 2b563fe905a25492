#include "app/SettingsCommands.h"

#include "library/EntryCreation.h"
#include "library/LibraryLock.h"
#include "platform/TextFile.h"
#include "settings/DosboxReference.h"
#include "settings/OtherSettings.h"

namespace SettingsCommands {

std::optional<Assignment> parseAssignment(const QString& text)
{
    const qsizetype equals = text.indexOf(u'=');
    const qsizetype dot = text.indexOf(u'.');
    if (equals < 0 || dot <= 0 || dot > equals - 2)
        return std::nullopt;
    return Assignment{text.left(dot).trimmed().toLower(),
                      text.mid(dot + 1, equals - dot - 1).trimmed().toLower(),
                      text.mid(equals + 1).trimmed()};
}

std::optional<QStringList> differences(const QString& configFile, QString* error)
{
    const TextFile::ReadResult read = TextFile::readUtf8(configFile);
    if (!read.ok()) {
        *error = read.error;
        return std::nullopt;
    }
    return OtherSettings::differences(read.text, EntryCreation::templateText().value_or(QString()));
}

Outcome set(const QString& configFile, const QList<Assignment>& assignments, const DosboxReference* reference,
            bool force)
{
    Outcome outcome;
    QString block;
    for (const Assignment& assignment : assignments) {
        if (reference && !reference->isEmpty()) {
            if (const std::optional<QString> problem =
                    reference->problem(assignment.section, assignment.key, assignment.value))
                outcome.problems.append(*problem);
        }
        block += u'[' + assignment.section + QStringLiteral("]\n") + assignment.key + u'=' +
                 assignment.value + u'\n';
    }
    if (!outcome.problems.isEmpty() && !force)
        return outcome;
    outcome.problems.clear();
    const LibraryLock lock;
    if (lock.failure()) {
        outcome.error = lock.failure();
        return outcome;
    }
    const TextFile::ReadResult read = TextFile::readUtf8(configFile);
    if (!read.ok()) {
        outcome.error = read.error;
        return outcome;
    }
    QString text = read.text;
    OtherSettings::applyTo(block, text);
    outcome.error = TextFile::writeUtf8Atomically(configFile, text);
    return outcome;
}

} // namespace SettingsCommands
