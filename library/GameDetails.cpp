#include "library/GameDetails.h"

#include "library/ConfigText.h"
#include "library/EntryCreation.h"
#include "library/ProgramKeys.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace GameDetailsText {

namespace {

struct Field
{
    const char* name;
    QString GameDetails::*member;
};

constexpr Field Fields[] = {
    {"year", &GameDetails::year},           {"developer", &GameDetails::developer},
    {"publisher", &GameDetails::publisher}, {"genre", &GameDetails::genre},
    {"notes", &GameDetails::notes},
};

QString keyOf(const Field& field)
{
    return ProgramKeys::DetailPrefix + QString::fromLatin1(field.name);
}

QString tr(const char* text)
{
    return QCoreApplication::translate("GameDetailsText", text);
}

} // namespace

QStringList keys()
{
    QStringList names;
    for (const Field& field : Fields)
        names.append(QString::fromLatin1(field.name));
    return names;
}

GameDetails read(QStringView configText)
{
    GameDetails details;
    for (const Field& field : Fields) {
        const QString value =
            ConfigText::firstLineValue(configText, QString(keyOf(field) + u'=')).value_or(QString());
        details.*field.member = field.member == &GameDetails::notes ? unescapedNotes(value) : value;
    }
    return details;
}

void write(const GameDetails& details, QString& configText)
{
    for (const Field& field : Fields) {
        const QString value = (details.*field.member).trimmed();
        if (value.isEmpty())
            ConfigText::removeKeyLines(keyOf(field), configText);
        else
            ConfigText::replaceInSection(QStringLiteral("tandril"), keyOf(field),
                                         field.member == &GameDetails::notes ? escapedNotes(value) : value,
                                         configText);
    }
}

bool set(GameDetails& details, const QString& name, const QString& value)
{
    for (const Field& field : Fields) {
        if (name == QLatin1String(field.name)) {
            details.*field.member = value;
            return true;
        }
    }
    return false;
}

QString value(const GameDetails& details, const QString& name)
{
    for (const Field& field : Fields) {
        if (name == QLatin1String(field.name))
            return details.*field.member;
    }
    return {};
}

std::optional<QString> problem(const GameDetails& details)
{
    static const QRegularExpression fourDigits(QStringLiteral("^\\d{4}$"));
    if (!details.year.trimmed().isEmpty() && !fourDigits.match(details.year.trimmed()).hasMatch())
        return tr("The year must be four digits, such as 1993, or empty: \"%1\".").arg(details.year);
    // Each detail is one line of the file: a line break would start a line of its own.
    for (const Field& field : Fields) {
        if (field.member != &GameDetails::notes && EntryCreation::hasControlCharacter(details.*field.member))
            return tr("Details other than the notes must not contain line breaks, tabs or other control "
                      "characters: %1.")
                .arg(QString::fromLatin1(field.name));
    }
    return std::nullopt;
}

QString escapedNotes(const QString& notes)
{
    QString line;
    line.reserve(notes.size());
    const QString text = QString(notes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const QChar c : text) {
        if (c == u'\\')
            line += QStringLiteral("\\\\");
        else if (c == u'\n')
            line += QStringLiteral("\\n");
        else if (!ConfigText::isWritableValue(QStringView(&c, 1)))
            // Every other break or control character as its code, so that the note stays one line.
            line += QStringLiteral("\\u") + QString::number(c.unicode(), 16).rightJustified(4, u'0');
        else
            line += c;
    }
    return line;
}

QString unescapedNotes(QStringView line)
{
    QString notes;
    notes.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) != u'\\' || i + 1 == line.size()) {
            notes.append(line.at(i));
            continue;
        }
        const QChar next = line.at(i + 1);
        bool isCode = false;
        const ushort code = next == u'u' ? line.mid(i + 2, 4).toUShort(&isCode, 16) : 0;
        if (isCode && line.mid(i + 2, 4).size() == 4) {
            notes.append(QChar(code));
            i += 5;
            continue;
        }
        notes.append(next == u'n' ? QChar(u'\n') : next);
        ++i;
    }
    return notes;
}

} // namespace GameDetailsText
