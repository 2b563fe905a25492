#include "settings/SettingsSaver.h"

#include "library/ConfigText.h"
#include "library/EntryCreation.h"
#include "library/HostAccess.h"
#include "library/LibraryLayout.h"
#include "library/LibraryLock.h"
#include "library/Mt32Folder.h"
#include "library/PlayRecord.h"
#include "library/ProgramKeys.h"
#include "platform/ConfigNotifier.h"
#include "platform/Diagnostics.h"
#include "platform/FileOperations.h"
#include "platform/Paths.h"
#include "platform/Prompter.h"
#include "platform/TextFile.h"
#include "settings/FormFields.h"
#include "settings/OtherSettings.h"
#include "settings/SettingsForm.h"
#include "settings/SoundSettings.h"
#include "settings/TitleChange.h"

#include <QCoreApplication>

namespace SettingsSaver {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("SettingsSaver", text);
}

// A field whose value no configuration line can hold (a file name with a line break, say): the
// line writer would leave the template's line instead, so the save stops and says which.
std::optional<QString> lineProblem(const GameForm& form)
{
    QList<std::pair<QString, QString>> fields = {
        {tr("Game"), form.gameExe},
        {tr("Setup"), form.setupExe},
        {tr("CD image"), form.cdImage},
        {tr("Shader"), form.glshader},
    };
    for (const FormFields::Field& field : FormFields::all()) {
        if (const std::optional<QString> refused = FormFields::problem(field, form.fields.value(field.key)))
            return refused;
        if (field.kind == FormFields::Kind::Text && !field.accepts)
            fields.append({FormFields::label(field), form.fields.value(field.key)});
    }
    for (const auto& [name, value] : std::as_const(fields)) {
        if (!ConfigText::isWritableValue(value.trimmed()))
            return tr("%1 must not contain line breaks, tabs or other control characters: \"%2\".")
                .arg(name, value.trimmed());
    }
    return std::nullopt;
}

// A table field's line: a check box always, a menu its value or default, a text only when given
// and taken.
std::optional<QString> fieldValue(const FormFields::Field& field, const GameForm& form)
{
    const QString value = form.fields.value(field.key);
    switch (field.kind) {
    case FormFields::Kind::OnOff:
        return form.isOn(field.key) ? QStringLiteral("true") : QStringLiteral("false");
    case FormFields::Kind::Choice:
        return value.isEmpty() ? QString(field.defaultValue) : value;
    case FormFields::Kind::Text: {
        const QString trimmed = value.trimmed();
        if (trimmed.isEmpty() || (field.accepts && !field.accepts(trimmed)))
            return std::nullopt;
        return trimmed;
    }
    case FormFields::Kind::Own:
        break;
    }
    return std::nullopt;
}

} // namespace

QString configText(const QString& templateText, const GameForm& form, bool mt32SupportEnabled)
{
    QString text = templateText;
    const QString title = form.title.trimmed();
    const QString gameExe = form.gameExe.trimmed();
    const QString setupExe = form.setupExe.trimmed();
    const QString cdImage = form.cdImage.trimmed();

    // The order decides where keys missing from the template are appended; "title" must follow
    // "game_title", whose line it also hits.
    ConfigText::replaceOrAppend(ProgramKeys::Title, title, text);
    ConfigText::replaceOrAppend(QStringLiteral("title"), title, text);
    if (!gameExe.isEmpty())
        ConfigText::replaceOrAppend(ProgramKeys::GameExe, gameExe, text);
    if (!setupExe.isEmpty())
        ConfigText::replaceOrAppend(ProgramKeys::SetupExe, setupExe, text);
    for (const FormFields::Field& field : FormFields::all()) {
        // A key the template lacks goes into its own section, where DOSBox-X reads it.
        if (const std::optional<QString> value = fieldValue(field, form);
            value && !ConfigText::replaceKeyLines(field.key, *value, text))
            ConfigText::replaceInSection(field.section, field.key, *value, text);
    }
    const QString width = form.windowWidth.trimmed();
    const QString height = form.windowHeight.trimmed();
    if (!width.isEmpty() && !height.isEmpty())
        ConfigText::replaceOrAppend(QStringLiteral("windowresolution"), width + u'x' + height, text);
    ConfigText::replaceOrAppend(QStringLiteral("mididevice"),
                                form.mt32 ? QStringLiteral("mt32") : QStringLiteral("default"), text);
    SoundSettings(form.soundCard, SoundSettings::soundCardOptions(), form.sbbase, form.irq, form.dma,
                  form.hdma)
        .writeToConfig(text);
    if (!cdImage.isEmpty())
        ConfigText::replaceInSection(ProgramKeys::Section, ProgramKeys::CdImage, cdImage, text);
    if (mt32SupportEnabled)
        ConfigText::replaceOrAppend(QStringLiteral("mt32.romdir"), Mt32Folder::path(), text);

    QString shader;
    if (!form.glshader.isEmpty() && form.glshader != SettingsForm::noShaderTitle())
        // A shader built into DOSBox-X goes by its name alone; a file by its file name.
        shader = form.glshaderBuiltIn || form.glshader.endsWith(QStringLiteral(".glsl"))
                     ? form.glshader
                     : form.glshader + QStringLiteral(".glsl");
    ConfigText::replaceOrAppend(QStringLiteral("glshader"), shader, text);

    // After the form, so that a setting typed here wins; a new section goes before the program's.
    OtherSettings::applyTo(form.otherSettings, text);
    GameDetailsText::write(form.details, text);

    // Last, so that the autoexec section stays the last section.
    ConfigText::saveCommandSection(ProgramKeys::BeforeGameSection, form.beforeGame, text);
    ConfigText::saveAutoexecToConfig(form.autoexec, text);
    return text;
}

Outcome save(const GameForm& typed, const QString& editedConfigFile, bool mt32SupportEnabled,
             Prompter& prompter, const std::optional<QString>& loadedText)
{
    const QString title = typed.title.trimmed();
    if (title.isEmpty()) {
        logLine(QStringLiteral("⚠️ No title entered."));
        return Outcome::KeepEditorOpen;
    }
    const QString baseName = LibraryLayout::baseNameForTitle(title);
    if (const std::optional<QString> problem = EntryCreation::titleProblem(baseName)) {
        prompter.ask({tr("Invalid Title"), *problem, Prompter::Style::Warning, {tr("OK")}});
        return Outcome::KeepEditorOpen;
    }
    if (const std::optional<QString> problem = GameDetailsText::problem(typed.details)) {
        prompter.ask({tr("Invalid Details"), *problem, Prompter::Style::Warning, {tr("OK")}});
        return Outcome::KeepEditorOpen;
    }
    if (const std::optional<QString> problem = lineProblem(typed)) {
        prompter.ask({tr("Invalid Settings"), *problem, Prompter::Style::Warning, {tr("OK")}});
        return Outcome::KeepEditorOpen;
    }
    const std::optional<QString> templateText = EntryCreation::templateText();
    if (!templateText) {
        logLine(QStringLiteral("❌ sample.conf could not be loaded"));
        return Outcome::KeepEditorOpen;
    }
    const QString library = Paths::libraryFolder();
    const QString configFile = LibraryLayout::configFilePath(library, baseName);
    // The edited game's own file names it, whatever its title line said.
    const QString oldName =
        editedConfigFile.isEmpty() ? QString() : LibraryLayout::baseNameOfConfigFile(editedConfigFile);
    const bool renames = !oldName.isEmpty() && oldName != baseName;

    const LibraryLock lock;
    if (const std::optional<QString> busy = lock.failure()) {
        prompter.ask({tr("Could Not Save"), *busy, Prompter::Style::Warning, {tr("OK")}});
        return Outcome::KeepEditorOpen;
    }
    // Decided under the lock: no other writer can change the file between the look and the write.
    if (loadedText && !editedConfigFile.isEmpty()) {
        const TextFile::ReadResult now = TextFile::readUtf8(editedConfigFile);
        if (now.ok() && now.text != *loadedText) {
            const int answer = prompter.ask(
                {tr("Settings Changed Elsewhere"),
                 tr("The settings of \"%1\" were changed by another program since this window opened. Keep "
                    "the settings shown here, or reload the changed ones?")
                     .arg(title),
                 Prompter::Style::Warning,
                 {tr("Keep Mine"), tr("Reload"), tr("Cancel")}});
            if (answer == 1)
                return Outcome::Reload;
            if (answer != 0)
                return Outcome::KeepEditorOpen;
        }
    }
    GameForm form = typed;
    if (renames) {
        // Paths into the game folder follow it to its new name.
        const QString oldFolder = LibraryLayout::gameFolder(library, oldName);
        const QString newFolder = LibraryLayout::gameFolder(library, baseName);
        for (QString* path : {&form.gameExe, &form.setupExe, &form.cdImage})
            *path = TitleChange::movedPath(*path, oldFolder, newFolder);
        const TitleChange::RenameOutcome renamed = TitleChange::renameGame(oldName, baseName, prompter);
        // Never write over the configuration of the game that owns the new name.
        if (renamed == TitleChange::RenameOutcome::Refused || renamed == TitleChange::RenameOutcome::Failed)
            return Outcome::KeepEditorOpen;
    } else {
        TitleChange::prepareFolders(baseName);
    }
    const QString text = configText(*templateText, form, mt32SupportEnabled);

    std::optional<QString> error = FileOperations::makeFolder(library);
    if (!error)
        error = TextFile::writeUtf8Atomically(configFile, text);
    if (error) {
        logLine(QStringLiteral("❌ Error writing file: ") + *error);
        // Half a save is none: a game renamed for settings that could not be written goes back.
        if (renames)
            TitleChange::renameGame(baseName, oldName, prompter);
    } else {
        logLine(QStringLiteral("✅ File saved at: ") + configFile);
        // The time played and the user's permission go with the game; the settings are saved
        // either way, so a record that cannot be written is said, not undone.
        std::optional<QString> recordError;
        if (renames) {
            const QString oldFile = LibraryLayout::configFilePath(library, oldName);
            recordError = PlayRecord::renamed(oldFile, configFile);
            if (const std::optional<QString> moved = HostAccess::renamed(oldFile, configFile))
                recordError = moved;
        }
        if (const std::optional<QString> allowed = HostAccess::setAllowed(configFile, form.mayReachHost))
            recordError = allowed;
        if (recordError)
            prompter.ask({tr("Could Not Save"), *recordError, Prompter::Style::Warning, {tr("OK")}});
    }
    ConfigNotifier::instance().post();
    if (error) {
        prompter.ask({tr("Could Not Save"),
                      tr("The settings could not be written to %1:\n%2").arg(configFile, *error),
                      Prompter::Style::Warning,
                      {tr("OK")}});
        return Outcome::KeepEditorOpen;
    }
    return Outcome::Saved;
}

} // namespace SettingsSaver
