#include "library/DosboxCheck.h"
#include "platform/BackgroundTask.h"
#include "platform/DosboxReferenceFile.h"
#include "platform/Emulator.h"
#include "platform/Prompter.h"
#include "settings/FormFields.h"
#include "settings/OtherSettings.h"
#include "settings/widgets/FieldControls.h"
#include "settings/widgets/OtherSettingsPanel.h"
#include "settings/widgets/Preferences.h"

#include <QComboBox>
#include <QLineEdit>

// The editor's help from DOSBox-X itself: the reference made once per installed version, shown
// beside the other settings and as the form's tooltips; and the checks before saving, made by
// DOSBox-X reading the settings.

void Preferences::loadReference(const Emulator& emulator)
{
    // Looked for here, on the window's thread: the worker then only reads what was found.
    if (!emulator.isInstalled()) {
        m_otherSettings->setReferenceUnavailable(tr("DOSBox-X was not found."));
        return;
    }
    m_emulator = std::make_shared<const Emulator>(emulator);
    auto result = std::make_shared<DosboxReferenceFile::Result>();
    BackgroundTask::start(
        this, [emulator, result] { *result = DosboxReferenceFile::load(emulator); },
        [this, result] {
            if (!result->text) {
                m_otherSettings->setReferenceUnavailable(result->problem);
                return;
            }
            applyReference(std::make_shared<const DosboxReference>(DosboxReference::parse(*result->text)));
        });
}

void Preferences::applyReference(std::shared_ptr<const DosboxReference> reference)
{
    // The form's controls explain themselves with DOSBox-X's own words.
    for (const FormFields::Field& field : FormFields::all()) {
        if (field.control.isEmpty())
            continue;
        const std::optional<DosboxReference::Key> key = reference->key(field.section, field.key);
        QWidget* control = findChild<QWidget*>(field.control);
        if (!control || !key)
            continue;
        control->setToolTip(key->help);
        if (field.itemsFromReference)
            FieldControls::setItems(control, key->allowedValues);
    }
    m_otherSettings->setReference(std::move(reference));
}

void Preferences::checkOtherSettingsThenSave()
{
    // A mistyped line is pointed at, never dropped in silence.
    if (const QStringList unread = OtherSettings::unreadLines(m_otherSettings->text()); !unread.isEmpty()) {
        if (m_host.prompter.ask({tr("Lines That Are No Settings"),
                                 tr("These lines of the other DOSBox-X settings are no settings and would be "
                                    "lost:\n%1")
                                     .arg(unread.join(u'\n')),
                                 Prompter::Style::Warning,
                                 {tr("Save Anyway"), tr("Cancel")},
                                 1}) != 0)
            return;
    }
    const QList<OtherSettings::Setting> settings = OtherSettings::parse(m_otherSettings->text());
    if (!m_emulator || settings.isEmpty()) {
        saveForm();
        return;
    }
    m_checking = true;
    m_statusLabel->setText(tr("DOSBox-X is reading the settings…"));
    m_statusLabel->show();
    auto result = std::make_shared<DosboxCheck::Result>();
    BackgroundTask::start(
        this,
        [emulator = m_emulator, settings, result] { *result = DosboxCheck::check(*emulator, settings); },
        [this, result] {
            m_checking = false;
            m_statusLabel->hide();
            if (!result->problems.isEmpty() &&
                m_host.prompter.ask({tr("DOSBox-X Would Not Take These Settings"),
                                     result->problems.join(u'\n'),
                                     Prompter::Style::Warning,
                                     {tr("Save Anyway"), tr("Cancel")},
                                     1}) != 0)
                return;
            saveForm();
        });
}
