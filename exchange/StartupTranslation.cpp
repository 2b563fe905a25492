#include "exchange/StartupTranslation.h"

#include "library/ConfigText.h"
#include "library/ForeignFiles.h"
#include "library/ProgramKeys.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace StartupTranslation {

namespace {

// A command line's words as DOSBox splits them: at blanks, a double-quoted part kept whole.
QStringList words(const QString& line)
{
    QStringList found;
    QString word;
    bool quoted = false;
    bool any = false;
    for (const QChar c : line) {
        if (c == u'"') {
            quoted = !quoted;
            any = true;
        } else if (!quoted && (c == u' ' || c == u'\t')) {
            if (any)
                found.append(word);
            word.clear();
            any = false;
        } else {
            word += c;
            any = true;
        }
    }
    if (any)
        found.append(word);
    return found;
}

// The option value after "-t" ("-t overlay"), lower case.
QString typeOption(const QStringList& parts)
{
    for (qsizetype at = 0; at + 1 < parts.size(); ++at) {
        if (parts.at(at).compare(QStringLiteral("-t"), Qt::CaseInsensitive) == 0)
            return parts.at(at + 1).toLower();
    }
    return {};
}

// The words before the first option: a mount's paths.
QStringList operands(const QStringList& parts)
{
    QStringList found;
    for (qsizetype i = 2; i < parts.size() && !parts.at(i).startsWith(u'-'); ++i)
        found.append(parts.at(i));
    return found;
}

bool isQuietCommand(const QString& command)
{
    static const QStringList quiet{QStringLiteral("echo"), QStringLiteral("echo."), QStringLiteral("cls"),
                                   QStringLiteral("rem"),  QStringLiteral("pause"), QStringLiteral("type"),
                                   QStringLiteral("exit"), QStringLiteral("goto"),  QStringLiteral("choice"),
                                   QStringLiteral("if"),   QStringLiteral("mixer"), QStringLiteral("@echo"),
                                   QStringLiteral("ctty"), QStringLiteral("prompt")};
    return quiet.contains(command) || command.startsWith(QStringLiteral("echo")) ||
           command.startsWith(u':') || command.startsWith(QStringLiteral("::"));
}

struct Invocation
{
    QString program; // below drive C
    QString label;   // the menu label it stands under, lower case
};

class Reader
{
public:
    explicit Reader(QString base) : m_base(std::move(base)) {}

    void read(const QString& rawLine)
    {
        QString line = rawLine.trimmed();
        while (line.startsWith(u'@'))
            line = line.mid(1).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            return;
        // A control character would reach DOSBox-X's shell as a command of its own.
        if (!ConfigText::isWritableValue(line)) {
            m_result.notCarried.append(
                QCoreApplication::translate("StartupTranslation", "%1 — not understood").arg(line));
            return;
        }
        const QStringList parts = words(line);
        const QString command = parts.first().toLower();
        if (command.startsWith(u':') && !command.startsWith(QStringLiteral("::"))) {
            m_label = command.mid(1);
            return;
        }
        if (command == u"mount" && parts.size() >= 3)
            mount(line, parts);
        else if (command == u"imgmount" && parts.size() >= 3)
            imageMount(line, parts);
        else if (command.size() == 2 && command.at(1) == u':' && parts.size() == 1)
            m_drive = command.at(0);
        else if (command == u"cd" || command == u"chdir" || command.startsWith(QStringLiteral("cd\\")) ||
                 command.startsWith(QStringLiteral("cd..")))
            changeFolder(line.mid(command == u"chdir" ? 5 : 2).trimmed().remove(u'"'));
        else if (command == u"set" || command == u"keyb" || command == u"loadfix")
            m_result.beforeGame.append(line);
        else if (isQuietCommand(command))
            return;
        else if (command == u"call" && parts.size() >= 2)
            invoke(line, parts.at(1), parts.mid(2));
        else
            invoke(line, parts.first(), parts.mid(1));
    }

    Startup result()
    {
        // The game is the first program that does not set it up; the setup the first that does.
        for (const Invocation& invocation : std::as_const(m_invocations)) {
            const bool setup = isSetupName(QFileInfo(invocation.program).fileName()) ||
                               invocation.label.contains(QStringLiteral("setup")) ||
                               invocation.label.contains(QStringLiteral("sound")) ||
                               invocation.label.contains(QStringLiteral("config")) ||
                               invocation.label.contains(QStringLiteral("setting"));
            QString& slot = setup ? m_result.setup : m_result.program;
            if (slot.isEmpty())
                slot = invocation.program;
        }
        return m_result;
    }

private:
    void mount(const QString& line, const QStringList& parts)
    {
        const QChar letter = parts.at(1).toLower().at(0);
        const QStringList paths = operands(parts);
        const QString type = typeOption(parts);
        if (paths.isEmpty()) {
            m_result.notCarried.append(
                QCoreApplication::translate("StartupTranslation", "%1 — not understood").arg(line));
            return;
        }
        const std::optional<QString> folder = ForeignFiles::resolve(m_base, paths.first());
        if (letter == u'c' && folder && QFileInfo(*folder).isDir()) {
            if (type == u"overlay")
                m_result.overlay = *folder;
            else
                m_result.driveC = *folder;
            return;
        }
        if (letter == u'c' && type == u"overlay") {
            // A saves folder that is not there yet holds no saves: nothing is lost.
            return;
        }
        m_result.notCarried.append(
            folder ? QCoreApplication::translate("StartupTranslation",
                                                 "%1 — Tandril mounts only the game's folder and its images")
                         .arg(line)
                   : QCoreApplication::translate("StartupTranslation", "%1 — no such folder").arg(line));
    }

    void imageMount(const QString& line, const QStringList& parts)
    {
        const QChar letter = parts.at(1).toLower().at(0);
        const QString type = typeOption(parts);
        QStringList images;
        for (const QString& path : operands(parts)) {
            const std::optional<QString> image = ForeignFiles::resolve(m_base, path);
            if (!image || !QFileInfo(*image).isFile()) {
                m_result.notCarried.append(
                    QCoreApplication::translate("StartupTranslation", "%1 — no such image: %2")
                        .arg(line, path));
                return;
            }
            images.append(*image);
        }
        if (type == u"floppy" || letter == u'a' || letter == u'b')
            m_result.floppyImages += images;
        else if (type == u"iso" || type == u"cdrom" || letter == u'd')
            m_result.cdImages += images;
        else
            m_result.notCarried.append(
                QCoreApplication::translate("StartupTranslation",
                                            "%1 — Tandril mounts only CD and floppy images")
                    .arg(line));
    }

    void changeFolder(const QString& path)
    {
        if (m_drive != u'c' || m_result.driveC.isEmpty())
            return;
        const QString dos = path.startsWith(u'\\') || path.startsWith(u'/') ? path : m_folder + u'\\' + path;
        const std::optional<QString> found = ForeignFiles::resolveOnDrive(m_result.driveC, dos);
        if (found && QFileInfo(*found).isDir() && (*found + u'/').startsWith(m_result.driveC + u'/'))
            m_folder = QDir(m_result.driveC).relativeFilePath(*found).replace(u'/', u'\\');
        if (m_folder == u".")
            m_folder.clear();
    }

    void invoke(const QString& line, const QString& name, const QStringList& arguments)
    {
        if (m_drive != u'c' || m_result.driveC.isEmpty()) {
            m_result.notCarried.append(
                QCoreApplication::translate("StartupTranslation", "%1 — a program that is not on drive C")
                    .arg(line));
            return;
        }
        const QString dos = m_folder.isEmpty() ? name : m_folder + u'\\' + name;
        std::optional<QString> found;
        // As DOS looks for a name without its kind: .COM, then .EXE, then .BAT.
        for (const QString& suffix :
             QFileInfo(name).suffix().isEmpty()
                 ? QStringList{QStringLiteral(".com"), QStringLiteral(".exe"), QStringLiteral(".bat")}
                 : QStringList{QString()}) {
            found = ForeignFiles::resolveOnDrive(m_result.driveC, dos + suffix);
            if (found && QFileInfo(*found).isFile())
                break;
            found.reset();
        }
        if (!found || !(*found).startsWith(m_result.driveC + u'/')) {
            m_result.notCarried.append(
                QCoreApplication::translate("StartupTranslation", "%1 — no such program on drive C")
                    .arg(line));
            return;
        }
        if (!arguments.isEmpty())
            m_result.notCarried.append(
                QCoreApplication::translate(
                    "StartupTranslation", "%1 — the program's arguments (%2): Tandril starts it without them")
                    .arg(line, arguments.join(u' ')));
        m_invocations.append({QDir(m_result.driveC).relativeFilePath(*found), m_label});
    }

    QString m_base;
    Startup m_result;
    QChar m_drive = u'z';
    QString m_folder; // on drive C, "\" between parts, no leading one
    QString m_label;
    QList<Invocation> m_invocations;
};

} // namespace

bool isSetupName(const QString& fileName)
{
    static const QRegularExpression setup(
        QStringLiteral(
            "^(setup|install|setsound|sound|sndsetup|setsnd|config|setblast|setmain|setup\\w*)\\."),
        QRegularExpression::CaseInsensitiveOption);
    return setup.match(fileName).hasMatch();
}

Startup translate(const QStringList& lines, const QString& baseFolder)
{
    Reader reader(QDir::cleanPath(baseFolder));
    for (const QString& line : lines)
        reader.read(line);
    return reader.result();
}

QStringList autoexecLines(const QString& configText)
{
    QStringList lines;
    for (const ConfigText::Span& span :
         ConfigText::sectionSpans(configText, QString(ProgramKeys::DosboxStartupSection)))
        lines += ConfigText::sectionBody(configText, span).split(u'\n');
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return lines;
}

} // namespace StartupTranslation
