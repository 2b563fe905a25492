#include "settings/widgets/SoundMenus.h"

#include "platform/Diagnostics.h"
#include "platform/Prompter.h"
#include "settings/SoundSettings.h"

#include <QComboBox>
#include <QCoreApplication>

namespace {

void fill(QComboBox* menu, const QStringList& items, const QString& selected)
{
    menu->clear();
    menu->addItems(items);
    menu->setCurrentIndex(menu->findText(selected));
}

QString tr(const char* text)
{
    return QCoreApplication::translate("SoundMenus", text);
}

} // namespace

void SoundMenus::setupInitialSoundMenus() const
{
    fill(soundcard, SoundSettings::soundCardMenuTitles(), SoundSettings::DefaultSoundCardTitle);
    fill(sbbase, SoundSettings::sbbaseItems(), SoundSettings::DefaultSBBase);
    fill(irq, SoundSettings::irqItems(), SoundSettings::DefaultIRQ);
    fill(dma, SoundSettings::dmaItems(), SoundSettings::DefaultDMA);
    fill(hdma, SoundSettings::hdmaItems(), SoundSettings::DefaultHDMA);
    logLine(QStringLiteral("✅ Sound settings initialized"));
}

void SoundMenus::reset(const QString& defaultSbtype, Prompter& prompter) const
{
    const Prompter::Question question{
        tr("Reset Soundcard Settings"),
        tr("All soundcard settings will be reset to the default Sound Blaster 1 values. Do you want to "
           "continue?"),
        Prompter::Style::Warning,
        {tr("OK"), tr("Cancel")},
    };
    if (prompter.ask(question) != 0) {
        logLine(QStringLiteral("❌ Reset cancelled."));
        return;
    }
    if (const std::optional<QString> title =
            SoundSettings::titleForSbtype(defaultSbtype, SoundSettings::soundCardOptions()))
        soundcard->setCurrentIndex(soundcard->findText(*title));
    sbbase->setCurrentIndex(sbbase->findText(SoundSettings::DefaultSBBase));
    irq->setCurrentIndex(irq->findText(SoundSettings::DefaultIRQ));
    dma->setCurrentIndex(dma->findText(SoundSettings::DefaultDMA));
    hdma->setCurrentIndex(hdma->findText(SoundSettings::DefaultHDMA));
    logLine(QStringLiteral("🔄 Soundcard settings reset to default."));
}
