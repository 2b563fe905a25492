#include "library/HostReach.h"

#include "library/ConfigText.h"
#include "library/ProgramKeys.h"

#include <QDir>
#include <QHash>
#include <QRegularExpression>

namespace HostReach {

namespace {

enum class Kind
{
    Path,     // names a file or folder of the host
    OnSwitch, // true turns on something that reaches the host
    SerialPort,
    ParallelPort,
};

struct Rule
{
    QStringView section;
    QStringView key;
    Kind kind;
    QStringView safeValue; // "@capture": the game's capture folder
};

constexpr QStringView CaptureFolder = u"@capture";

// The keys were taken from DOSBox-X's own reference; serial and parallel ports are matched by
// their number below.
constexpr Rule Rules[] = {
    {u"dos", u"startcmd", Kind::OnSwitch, u"false"},
    {u"ne2000", u"ne2000", Kind::OnSwitch, u"false"},
    {u"sdl", u"mapperfile", Kind::Path, u"mapper-dosbox-x.map"},
    {u"log", u"logfile", Kind::Path, u""},
    {u"dosbox", u"captures", Kind::Path, CaptureFolder},
    {u"dosbox", u"savefile", Kind::Path, u""},
    {u"dosbox", u"memory file", Kind::Path, u""},
    {u"dosbox", u"working directory default", Kind::Path, u""},
    {u"render", u"glshader", Kind::Path, u""},
    {u"pc98", u"pc-98 anex86 font", Kind::Path, u""},
    {u"dosv", u"fontxsbcs", Kind::Path, u""},
    {u"dosv", u"fontxsbcs16", Kind::Path, u""},
    {u"dosv", u"fontxsbcs24", Kind::Path, u""},
    {u"dosv", u"fontxdbcs", Kind::Path, u""},
    {u"dosv", u"fontxdbcs14", Kind::Path, u""},
    {u"dosv", u"fontxdbcs24", Kind::Path, u""},
    {u"ttf", u"font", Kind::Path, u""},
    {u"ttf", u"fontbold", Kind::Path, u""},
    {u"ttf", u"fontital", Kind::Path, u""},
    {u"ttf", u"fontboit", Kind::Path, u""},
    {u"midi", u"mt32.romdir", Kind::Path, u""},
    {u"midi", u"fluid.soundfont", Kind::Path, u""},
    {u"sblaster", u"retrowave_port", Kind::Path, u""},
    {u"serial", u"phonebookfile", Kind::Path, u"phonebook-dosbox-x.txt"},
    {u"printer", u"docpath", Kind::Path, CaptureFolder},
    {u"printer", u"fontpath", Kind::Path, u"FONTS"},
};

std::optional<Rule> ruleFor(const QString& section, const QString& key)
{
    for (const Rule& rule : Rules) {
        if (rule.section == section && rule.key == key)
            return rule;
    }
    static const QRegularExpression port(QStringLiteral("^(serial|parallel)[1-9]$"));
    if ((section == u"serial" || section == u"parallel") && port.match(key).hasMatch()) {
        if (section == u"serial")
            // DOSBox-X's own defaults: a dummy device on the first two ports.
            return Rule{u"serial",
                        {},
                        Kind::SerialPort,
                        key == u"serial1" || key == u"serial2" ? u"dummy" : u"disabled"};
        return Rule{u"parallel", {}, Kind::ParallelPort, u"disabled"};
    }
    return std::nullopt;
}

bool isOn(const QString& value)
{
    const QString word = value.toLower();
    return word == u"true" || word == u"1" || word == u"yes" || word == u"on";
}

bool isInside(const QString& path, const QString& folder)
{
    if (folder.isEmpty())
        return false;
    const QString cleanFolder = QDir::cleanPath(folder);
    return path == cleanFolder || path.startsWith(cleanFolder + u'/');
}

// A path stays when it cannot lead out: empty, a bare file name (DOSBox-X looks for it in its own
// folders), or an absolute path inside the game's folder or a shared folder. A relative path is
// taken from wherever DOSBox-X runs, so it leads out.
bool pathStays(const QString& value, const Allowed& allowed)
{
    const QString path = QString(value).replace(u'\\', u'/');
    if (path.isEmpty())
        return true;
    if (path.startsWith(u'~') || path.contains(u':') || path == u"." || path == u"..")
        return false;
    if (!path.startsWith(u'/'))
        return !path.contains(u'/');
    const QString clean = QDir::cleanPath(path);
    if (isInside(clean, allowed.gameFolder))
        return true;
    return std::any_of(allowed.sharedFolders.cbegin(), allowed.sharedFolders.cend(),
                       [&](const QString& folder) { return isInside(clean, folder); });
}

bool reaches(const Rule& rule, const QString& value, const Allowed& allowed)
{
    const QString firstWord = value.section(u' ', 0, 0, QString::SectionSkipEmpty).toLower();
    switch (rule.kind) {
    case Kind::Path:
        return !pathStays(value, allowed);
    case Kind::OnSwitch:
        return isOn(value);
    case Kind::SerialPort:
        return !firstWord.isEmpty() && firstWord != u"disabled" && firstWord != u"dummy" &&
               firstWord != u"serialmouse";
    case Kind::ParallelPort:
        return !firstWord.isEmpty() && firstWord != u"disabled" && firstWord != u"printer";
    }
    return false;
}

} // namespace

QList<Finding> find(const QString& configText, const Allowed& allowed)
{
    // The last occurrence of a key is the one DOSBox-X keeps.
    QHash<QString, qsizetype> last;
    const QList<ConfigText::KeyLine> lines = ConfigText::keyLines(configText);
    for (qsizetype i = 0; i < lines.size(); ++i)
        last.insert(lines[i].section + u'\n' + lines[i].key, i);
    QList<Finding> findings;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const ConfigText::KeyLine& line = lines[i];
        if (last.value(line.section + u'\n' + line.key) != i)
            continue;
        const std::optional<Rule> rule = ruleFor(line.section, line.key);
        if (!rule || !reaches(*rule, line.value, allowed))
            continue;
        const QString safe =
            rule->safeValue == CaptureFolder ? allowed.captureFolder : rule->safeValue.toString();
        findings.append({line.section, line.key, line.value, safe});
    }
    return findings;
}

QStringList overrides(const QList<Finding>& findings)
{
    QStringList sets;
    for (const Finding& finding : findings)
        sets.append(finding.section + u' ' + finding.key + u'=' + finding.safeValue);
    return sets;
}

QString describe(const Finding& finding)
{
    return u'[' + finding.section + QStringLiteral("] ") + finding.key + u'=' + finding.value;
}

QString madeSafe(const QString& configText, const Allowed& allowed, QStringList* dropped)
{
    QString text = configText;
    // Every line of such a key goes, not only the one DOSBox-X keeps: an earlier one would come
    // back as soon as the later one is changed.
    const QList<ConfigText::KeyLine> lines = ConfigText::keyLines(text);
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        // Tandril mounts the setup program's folder as a drive the game writes to, wherever it
        // is: only a setup program of the game's own is kept. (A CD image is mounted to be read.)
        const bool ownFile = line->key == ProgramKeys::SetupExe;
        const std::optional<Rule> rule = ruleFor(line->section, line->key);
        const bool leaves =
            ownFile ? !line->value.isEmpty() && !isInside(QDir::cleanPath(line->value), allowed.gameFolder)
                    : rule && reaches(*rule, line->value, allowed);
        if (!leaves)
            continue;
        if (dropped)
            dropped->prepend(describe({line->section, line->key, line->value, {}}));
        text.remove(line->start, std::min(line->end + 1, text.size()) - line->start);
    }
    // DOSBox-X's own start-up section runs before any of Tandril's commands: its lines join the
    // end of Tandril's start-up commands instead.
    const QList<ConfigText::Span> autoexec = ConfigText::sectionSpans(text, u"autoexec");
    if (autoexec.isEmpty())
        return text;
    QStringList moved;
    for (const ConfigText::Span& span : autoexec) {
        for (const QString& line : ConfigText::sectionBody(text, span).split(u'\n')) {
            if (!line.trimmed().isEmpty())
                moved.append(line.trimmed());
        }
    }
    for (auto span = autoexec.crbegin(); span != autoexec.crend(); ++span)
        text.remove(span->start, span->end - span->start);
    const QString ownLines =
        ConfigText::unprotectPercentLines(ProgramKeys::startupCommands(text).value_or(QString())).trimmed();
    if (!moved.isEmpty())
        ConfigText::saveAutoexecToConfig(
            ownLines.isEmpty() ? moved.join(u'\n') : ownLines + u'\n' + moved.join(u'\n'), text);
    return text;
}

} // namespace HostReach
