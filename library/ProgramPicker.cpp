#include "library/ProgramPicker.h"

#include <algorithm>
#include <QFileInfo>
#include <QRegularExpression>

namespace ProgramPicker {

namespace {

// Installers, configuration and sound-setup helpers, readers, DOS extenders and drivers: never
// the game itself.
bool isHelper(const QString& base)
{
    static const QStringList names{
        QStringLiteral("INSTALL"),  QStringLiteral("SETUP"),    QStringLiteral("SETSOUND"),
        QStringLiteral("SOUND"),    QStringLiteral("CONFIG"),   QStringLiteral("CONFIGUR"),
        QStringLiteral("README"),   QStringLiteral("DOS4GW"),   QStringLiteral("DOS4G"),
        QStringLiteral("DOS32A"),   QStringLiteral("PMODEW"),   QStringLiteral("CWSDPMI"),
        QStringLiteral("RTM"),      QStringLiteral("32RTM"),    QStringLiteral("DPMI16BI"),
        QStringLiteral("EMM386"),   QStringLiteral("HIMEM"),    QStringLiteral("MOUSE"),
        QStringLiteral("SETBLAST"), QStringLiteral("SBCONFIG"), QStringLiteral("MIDPAK"),
        QStringLiteral("DIGPAK"),   QStringLiteral("SETM"),     QStringLiteral("SETD"),
        QStringLiteral("CATALOG"),  QStringLiteral("ORDER"),    QStringLiteral("VENDOR"),
        QStringLiteral("HELP"),     QStringLiteral("LICENSE"),  QStringLiteral("FILE_ID"),
        QStringLiteral("UNZIP"),    QStringLiteral("PKUNZIP"),
    };
    return names.contains(base) || base.startsWith(QStringLiteral("UNINST")) ||
           base.contains(QStringLiteral("SETUP"));
}

int setupRank(const QString& base)
{
    static const QStringList order{QStringLiteral("SETUP"), QStringLiteral("INSTALL"),
                                   QStringLiteral("SETSOUND")};
    const qsizetype index = order.indexOf(base);
    return index < 0 ? -1 : int(index);
}

QString letters(const QString& text)
{
    QString result;
    for (const QChar c : text.toUpper()) {
        if (c.isLetterOrNumber())
            result.append(c);
    }
    return result;
}

bool isFloppySize(qint64 size)
{
    static const qint64 sizes[] = {163840,  184320,  327680,  368640, 737280,
                                   1228800, 1474560, 1720320, 2949120};
    return std::find(std::begin(sizes), std::end(sizes), size) != std::end(sizes);
}

// How much the program's name looks like the game's title.
int nameScore(const QString& base, const QString& title)
{
    const QString name = letters(base);
    const QString words = letters(title);
    if (name.isEmpty() || words.isEmpty())
        return 0;
    int score = 0;
    static const QRegularExpression separators(QStringLiteral("[^\\w]+"));
    const QStringList titleWords = title.toUpper().split(separators, Qt::SkipEmptyParts);
    const QString first = titleWords.isEmpty() ? QString() : letters(titleWords.first());
    // The title's first word, or the start of it a DOS name had room for.
    if (!first.isEmpty() && (name.startsWith(first.left(std::min<qsizetype>(first.size(), 8))) ||
                             first.startsWith(name.left(std::max<qsizetype>(4, name.size() - 2)))))
        score += 60;
    // Letters in common, in either direction.
    QString pool = words;
    int common = 0;
    for (const QChar c : name) {
        if (const qsizetype at = pool.indexOf(c); at >= 0) {
            pool.remove(at, 1);
            ++common;
        }
    }
    score += 40 * common / int(name.size());
    // The initials of a several-word title ("Commander Keen" → CK).
    QString initials;
    for (const QString& word : titleWords)
        initials.append(word.front());
    if (initials.size() > 1 && name.startsWith(initials))
        score += 20;
    return score;
}

} // namespace

Picked pick(const QList<File>& files, const QString& title)
{
    Picked picked;
    QList<const File*> programs;
    qint64 largestExe = 0;
    int bestSetup = 99;
    QStringList images;
    for (const File& file : files) {
        if (file.path.count(u'/') > 1)
            continue;
        const QFileInfo info(file.path);
        const QString suffix = info.suffix().toUpper();
        const QString base = info.completeBaseName().toUpper();
        if (suffix == u"ISO" || suffix == u"CUE")
            images.append(file.path);
        if (suffix == u"IMA" || (suffix == u"IMG" && isFloppySize(file.size)))
            picked.floppyImages.append(file.path);
        if (suffix != u"EXE" && suffix != u"COM" && suffix != u"BAT")
            continue;
        if (isHelper(base)) {
            if (const int rank = setupRank(base); rank >= 0 && rank < bestSetup) {
                bestSetup = rank;
                picked.setupProgram = file.path;
            }
            continue;
        }
        programs.append(&file);
        if (suffix == u"EXE")
            largestExe = std::max(largestExe, file.size);
    }
    std::sort(images.begin(), images.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    if (!images.isEmpty())
        picked.cdImage = images.first();

    for (const File* file : std::as_const(programs)) {
        const QFileInfo info(file->path);
        const QString suffix = info.suffix().toUpper();
        int score = nameScore(info.completeBaseName(), title);
        if (suffix == u"BAT") {
            // A batch file that starts one of the game's programs is how the game wants to start.
            const QString text = file->batchText.toUpper();
            const bool startsProgram =
                std::any_of(programs.cbegin(), programs.cend(), [&](const File* other) {
                    const QString otherBase = QFileInfo(other->path).completeBaseName().toUpper();
                    return other != file && !otherBase.isEmpty() &&
                           QRegularExpression(QStringLiteral("\\b") + QRegularExpression::escape(otherBase) +
                                              QStringLiteral("\\b"))
                               .match(text)
                               .hasMatch();
                });
            score += startsProgram ? 45 : 0;
        } else if (suffix == u"EXE" && largestExe > 0) {
            score += int(25 * file->size / largestExe);
        } else {
            score += 5; // a .COM is usually a small helper
        }
        // A loader: its name begins the names of two or more programs beside it (GP.EXE before
        // GPCGA.EXE, GPEGA.EXE, GPTDY.EXE), the variants it starts for each kind of display.
        const QString base = info.completeBaseName().toUpper();
        const QString folder = info.path();
        const auto variants = std::count_if(programs.cbegin(), programs.cend(), [&](const File* other) {
            const QFileInfo otherInfo(other->path);
            const QString otherBase = otherInfo.completeBaseName().toUpper();
            return other != file && otherInfo.path() == folder && otherBase.size() > base.size() &&
                   otherBase.startsWith(base);
        });
        if (base.size() >= 2 && variants >= 2)
            score += 50;
        if (file->path.contains(u'/'))
            score -= 10;
        picked.candidates.append({file->path, score});
    }
    std::stable_sort(picked.candidates.begin(), picked.candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.score > b.score; });
    picked.ask =
        picked.candidates.size() > 1 && picked.candidates.at(0).score - picked.candidates.at(1).score < 8;
    return picked;
}

} // namespace ProgramPicker
