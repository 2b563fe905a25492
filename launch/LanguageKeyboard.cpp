#include "launch/LanguageKeyboard.h"

#include <QHash>
#include <QRegularExpression>

namespace {

const QHash<QString, QString>& languageFiles()
{
    static const QHash<QString, QString> table = {
        {QStringLiteral("de"), QStringLiteral("de_DE.lng")},
        {QStringLiteral("en"), QStringLiteral("en_US.lng")},
        {QStringLiteral("es"), QStringLiteral("es_ES.lng")},
        {QStringLiteral("fr"), QStringLiteral("fr_FR.lng")},
        {QStringLiteral("hu"), QStringLiteral("hu_HU.lng")},
        {QStringLiteral("it"), QStringLiteral("it_IT.lng")},
        {QStringLiteral("ja"), QStringLiteral("ja_JP.lng")},
        {QStringLiteral("ko"), QStringLiteral("ko_KR.lng")},
        {QStringLiteral("nl"), QStringLiteral("nl_NL.lng")},
        {QStringLiteral("pt"), QStringLiteral("pt_BR.lng")},
        {QStringLiteral("ru"), QStringLiteral("ru_RU.lng")},
        {QStringLiteral("tr"), QStringLiteral("tr_TR.lng")},
        {QStringLiteral("zh"), QStringLiteral("zh_CN.lng")},
        {QStringLiteral("zh-TW"), QStringLiteral("zh_TW.lng")},
    };
    return table;
}

const QHash<QString, QString>& keyboardLayouts()
{
    static const QHash<QString, QString> table = {
        {QStringLiteral("de"), QStringLiteral("gr")}, {QStringLiteral("fr"), QStringLiteral("fr")},
        {QStringLiteral("es"), QStringLiteral("sp")}, {QStringLiteral("it"), QStringLiteral("it")},
        {QStringLiteral("hu"), QStringLiteral("hu")}, {QStringLiteral("ru"), QStringLiteral("ru")},
        {QStringLiteral("tr"), QStringLiteral("tr")}, {QStringLiteral("pt"), QStringLiteral("po")},
        {QStringLiteral("nl"), QStringLiteral("nl")}, {QStringLiteral("ja"), QStringLiteral("jp")},
        {QStringLiteral("en"), QStringLiteral("us")}, {QStringLiteral("zh"), QStringLiteral("us")},
        {QStringLiteral("ko"), QStringLiteral("us")},
    };
    return table;
}

struct LanguageIdentifier
{
    QString language;
    QString region;
};

// Reads "language[-Script][-REGION]" by its own parts ("-" or "_" between them). A locale
// library would fill in a default region ("en" becoming en-US) and change the lookup.
LanguageIdentifier parse(const QString& identifier)
{
    QString text = identifier;
    const qsizetype modifier = text.indexOf(QRegularExpression(QStringLiteral("[.@]")));
    if (modifier >= 0)
        text.truncate(modifier); // "de_DE.UTF-8", "sr_RS@latin"
    const QStringList parts = text.split(QRegularExpression(QStringLiteral("[-_]")), Qt::SkipEmptyParts);
    LanguageIdentifier result;
    result.language = parts.isEmpty() ? QString() : parts.first().toLower();
    for (const QString& part : parts.mid(1)) {
        const bool isRegion = (part.size() == 2 && part.at(0).isLetter() && part.at(1).isLetter()) ||
                              (part.size() == 3 && part.at(0).isDigit());
        if (isRegion) {
            result.region = part.toUpper();
            break;
        }
    }
    if (result.language.isEmpty())
        result.language = QStringLiteral("en");
    return result;
}

} // namespace

LanguageChoice languageAndKeyboard(const QStringList& preferredLanguages)
{
    const LanguageIdentifier identifier =
        parse(preferredLanguages.isEmpty() ? QStringLiteral("en") : preferredLanguages.first());
    const QString key =
        identifier.region.isEmpty() ? identifier.language : identifier.language + u'-' + identifier.region;
    const QHash<QString, QString>& files = languageFiles();
    const QString file = files.value(key, files.value(identifier.language, QStringLiteral("en_US.lng")));
    return {file, keyboardLayouts().value(identifier.language, QStringLiteral("us"))};
}

QString keyboardCommand(const QString& layout)
{
    // it_IT.lng is written for code page 437 and pt_BR.lng for 860, while "keyb it" and
    // "keyb po" switch to 858.
    static const QHash<QString, QString> languageFileCodePages = {
        {QStringLiteral("it"), QStringLiteral("437")},
        {QStringLiteral("po"), QStringLiteral("860")},
    };
    const QString codePage = languageFileCodePages.value(layout);
    return codePage.isEmpty() ? QStringLiteral("keyb ") + layout
                              : QStringLiteral("keyb %1 %2").arg(layout, codePage);
}
