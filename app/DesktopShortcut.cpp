#include "app/DesktopShortcut.h"

#include "library/LibraryLayout.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace DesktopShortcut {

namespace {

// Escapes of the "string" value type: the whole Exec value is one.
QString escapeString(const QString& value)
{
    QString result;
    for (const QChar c : value) {
        switch (c.unicode()) {
        case u'\\':
            result += QStringLiteral("\\\\");
            break;
        case u'\n':
            result += QStringLiteral("\\n");
            break;
        case u'\t':
            result += QStringLiteral("\\t");
            break;
        case u'\r':
            result += QStringLiteral("\\r");
            break;
        default:
            result += c;
        }
    }
    return result;
}

QString localeString(const QString& value)
{
    QString escaped = escapeString(value);
    if (escaped.startsWith(u' '))
        escaped.replace(0, 1, QStringLiteral("\\s"));
    return escaped;
}

} // namespace

QString execArgument(const QString& argument)
{
    static constexpr QStringView Reserved = u" \t\n\"'\\><~|&;$*?#()`";
    bool needsQuotes = argument.isEmpty();
    for (const QChar c : argument)
        needsQuotes = needsQuotes || Reserved.contains(c);
    QString result;
    if (needsQuotes) {
        result += u'"';
        for (const QChar c : argument) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                result += u'\\';
            result += c;
        }
        result += u'"';
    } else {
        result = argument;
    }
    // A literal percent sign is written twice: "%f" and friends are field codes.
    result.replace(u'%', QStringLiteral("%%"));
    return result;
}

QString fileName(const ConfigEntry& entry)
{
    return QStringLiteral("tandril-") + LibraryLayout::baseNameOfConfigFile(entry.filePath) +
           QStringLiteral(".desktop");
}

QString entryText(const ConfigEntry& entry, const QString& tandrilProgram)
{
    const QString name =
        entry.title.isEmpty() ? LibraryLayout::baseNameOfConfigFile(entry.filePath) : entry.title;
    const QString exec =
        execArgument(tandrilProgram) + QStringLiteral(" launch ") + execArgument(entry.filePath);
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Comment=%2\n"
                          "Exec=%3\n"
                          "Icon=tandril\n"
                          "Terminal=false\n"
                          "Categories=Game;\n")
        .arg(localeString(name),
             localeString(QCoreApplication::translate("DesktopShortcut", "Play %1 in DOSBox-X").arg(name)),
             escapeString(exec));
}

std::optional<QString> write(const ConfigEntry& entry, const QString& tandrilProgram, QString* writtenPath)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return QCoreApplication::translate("DesktopShortcut", "Cannot make the applications folder %1.")
            .arg(folder);
    const QString path = QDir(folder).absoluteFilePath(fileName(entry));
    if (std::optional<QString> error = TextFile::writeUtf8Atomically(path, entryText(entry, tandrilProgram)))
        return error;
    if (writtenPath)
        *writtenPath = path;
    return std::nullopt;
}

} // namespace DesktopShortcut
