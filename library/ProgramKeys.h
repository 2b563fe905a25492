#pragma once

#include "library/ConfigText.h"

#include <optional>
#include <QLatin1StringView>
#include <QString>

// Tandril's own keys and sections of a game's configuration file, and the readers that find them.
// DOSBox-X ignores the sections it does not know, so Tandril keeps what only it reads there.
namespace ProgramKeys {

// The section of Tandril's keys, the one of the commands run before the game, and the one of the
// start-up commands, run after it, which stays last. Older files have no commands before.
inline constexpr QLatin1StringView Section{"tandril"};
inline constexpr QLatin1StringView BeforeGameSection{"tandril before"};
inline constexpr QLatin1StringView StartupSection{"tandril autoexec"};
// DOSBox-X's own start-up section: Tandril never runs it (an import moves its lines).
inline constexpr QLatin1StringView DosboxStartupSection{"autoexec"};

inline constexpr QLatin1StringView Title{"game_title"};
inline constexpr QLatin1StringView GameExe{"game_exe"};
inline constexpr QLatin1StringView SetupExe{"setup_exe"};
inline constexpr QLatin1StringView CdImage{"cd_image"};
// "true": DOSBox-X closes when the game's program and the commands after it have run. Older
// games lack it and stay at DOSBox-X's prompt.
inline constexpr QLatin1StringView CloseWhenEnded{"close_when_ended"};
// The details are "game_" and their name: "game_year", "game_notes", ...
inline constexpr QLatin1StringView DetailPrefix{"game_"};

// A title line's title: the line with every "game_title=" in it removed, trimmed (a line that
// holds it twice loses both).
QString titleFromLine(QStringView line);

// Written only in Tandril's own section, and never taken as a DOSBox-X setting from any other.
bool isProgramKey(QStringView key);
// Tandril's sections, which hold no DOSBox-X setting.
bool isProgramSection(QStringView section);

// "[tandril autoexec]", the header of a section.
QString header(QLatin1StringView section);
QString startupHeader();
// A section of commands, as every reader and the writer take it: from the first line that
// begins with its header, in this letter case, to the next line that begins with "[" (or the end
// of the text).
std::optional<ConfigText::Span> commandSpan(QStringView text, QLatin1StringView section);
std::optional<ConfigText::Span> startupSpan(QStringView text);
// Its lines as they stand after the header, or nothing when the file has no such section.
std::optional<QString> commandsOf(QStringView text, QLatin1StringView section);
// Whether DOSBox-X closes when the game ends: the first line of the key says "true".
bool closesWhenEnded(QStringView text);
// Where the first of Tandril's two sections begins, if the text has one.
std::optional<qsizetype> firstProgramSectionStart(QStringView text);
// Its lines as they stand after the header, or nothing when the file has no such section.
std::optional<QString> startupCommands(QStringView text);

// The game's program, as each reader takes it. The three differ on purpose:
// - the editor shows the last trimmed line, the one a save keeps (it rewrites every line);
// - the launch starts the first line as it stands, which older files and other readers rely on;
// - the Play button is on when any line names a program, so that a game is never shown as
//   unplayable while one of its lines names what to start.
QString gameExeForEditor(QStringView text);
QString gameExeForLaunch(QStringView text);
bool namesGameExe(QStringView text);

} // namespace ProgramKeys
