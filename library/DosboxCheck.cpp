#include "library/DosboxCheck.h"

#include "library/DosboxReference.h"
#include "platform/DosboxReferenceFile.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace DosboxCheck {

namespace {

// Past this many settings a DOSBox-X that does not start is not asked about each one alone.
constexpr qsizetype MostSettingsTriedAlone = 6;

QString tr(const char* text)
{
    return QCoreApplication::translate("DosboxCheck", text);
}

QString configText(const QList<DosboxSettings::Setting>& settings)
{
    QString text;
    for (const DosboxSettings::Setting& setting : settings)
        text += u'[' + setting.section + QStringLiteral("]\n") + setting.key + u'=' + setting.value + u'\n';
    return text;
}

QString assignment(const DosboxSettings::Setting& setting)
{
    return setting.key + u'=' + setting.value;
}

std::optional<bool> truthOf(const QString& value)
{
    const QString lower = value.toLower();
    if (lower == u"true" || lower == u"1" || lower == u"on")
        return true;
    if (lower == u"false" || lower == u"0" || lower == u"off")
        return false;
    return std::nullopt;
}

// "0x240" and "240h" are the hexadecimal number 240, as DOSBox-X stores it.
QString hexadecimalDigits(const QString& value)
{
    static const QRegularExpression hexadecimal(QStringLiteral("^(?:0x([0-9a-f]+)|([0-9a-f]+)h)$"),
                                                QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = hexadecimal.match(value);
    if (!match.hasMatch())
        return value.toLower();
    return (match.captured(1) + match.captured(2)).toLower();
}

} // namespace

bool holdsWritten(const QString& written, const QString& held)
{
    const QString value = written.simplified();
    if (value == held || value.compare(held, Qt::CaseInsensitive) == 0)
        return true;
    bool writtenIsNumber = false;
    bool heldIsNumber = false;
    const double writtenNumber = value.toDouble(&writtenIsNumber);
    const double heldNumber = held.toDouble(&heldIsNumber);
    if (writtenIsNumber && heldIsNumber)
        return writtenNumber == heldNumber;
    if (held == u"true" || held == u"false")
        return truthOf(value) == (held == u"true");
    return hexadecimalDigits(value) == held.toLower();
}

QStringList problems(const QList<DosboxSettings::Setting>& settings, const DosboxReference& account)
{
    QStringList found;
    for (const DosboxSettings::Setting& setting : settings) {
        const std::optional<DosboxReference::Key> key = account.key(setting.section, setting.key);
        if (!key)
            found.append(tr("Unknown setting \"%1\" in [%2]").arg(setting.key, setting.section));
        else if (!holdsWritten(setting.value, key->defaultValue))
            found.append(tr("DOSBox-X reads %1 as %2").arg(assignment(setting), key->defaultValue));
    }
    return found;
}

CarriedOver carryOver(const QList<DosboxSettings::Setting>& settings, const DosboxReference& account)
{
    CarriedOver carried;
    for (const DosboxSettings::Setting& setting : settings) {
        const QString named = u'[' + setting.section + QStringLiteral("] ") + assignment(setting);
        const std::optional<DosboxReference::Key> key = account.key(setting.section, setting.key);
        if (!key)
            carried.notCarried.append(tr("%1 — DOSBox-X has no such setting").arg(named));
        else if (holdsWritten(setting.value, key->defaultValue))
            carried.kept.append(setting);
        else if (!key->allowedValues.isEmpty() &&
                 !key->allowedValues.contains(setting.value.simplified(), Qt::CaseInsensitive))
            carried.notCarried.append(tr("%1 — DOSBox-X has no such value").arg(named));
        else
            carried.notCarried.append(tr("%1 — DOSBox-X reads it as %2").arg(named, key->defaultValue));
    }
    return carried;
}

CarriedOver carryOver(const Emulator& emulator, const QList<DosboxSettings::Setting>& settings)
{
    if (settings.isEmpty())
        return {};
    const DosboxReferenceFile::Result read = DosboxReferenceFile::readAs(emulator, configText(settings));
    if (read.text)
        return carryOver(settings, DosboxReference::parse(*read.text));
    // Settings that keep DOSBox-X from starting stay behind; without a DOSBox-X to ask, they
    // come along unchecked. Never a failed add for settings: the summary says which.
    if (read.didNotStart)
        return {{},
                {tr("all settings — DOSBox-X does not start with them (%1)").arg(read.problem)},
                std::nullopt};
    return {settings, {}, read.problem};
}

Result check(const Emulator& emulator, const QList<DosboxSettings::Setting>& settings)
{
    if (settings.isEmpty())
        return {};
    const DosboxReferenceFile::Result read = DosboxReferenceFile::readAs(emulator, configText(settings));
    if (read.text)
        return {problems(settings, DosboxReference::parse(*read.text)), std::nullopt};
    if (!read.didNotStart)
        return {{}, read.problem};
    // Which settings keep it from starting: DOSBox-X itself must start without them.
    if (DosboxReferenceFile::readAs(emulator, QString()).didNotStart)
        return {{}, read.problem};
    Result result;
    if (settings.size() > 1 && settings.size() <= MostSettingsTriedAlone) {
        for (const DosboxSettings::Setting& setting : settings) {
            if (DosboxReferenceFile::readAs(emulator, configText({setting})).didNotStart)
                result.problems.append(
                    tr("DOSBox-X does not start with %1 (%2)").arg(assignment(setting), read.problem));
        }
    } else if (settings.size() == 1) {
        result.problems.append(
            tr("DOSBox-X does not start with %1 (%2)").arg(assignment(settings.first()), read.problem));
    }
    if (result.problems.isEmpty())
        result.problems.append(tr("DOSBox-X does not start with these settings (%1)").arg(read.problem));
    return result;
}

} // namespace DosboxCheck
