#include "settings/SoundSettings.h"

#include "library/ConfigText.h"

#include <algorithm>
#include <QCoreApplication>

QString SoundSettings::noneTitle()
{
    return QCoreApplication::translate("SoundSettings", "None", "no sound card");
}

SoundSettings::SoundCardOptions SoundSettings::soundCardOptions()
{
    // DOSBox-X's "gb" is the Game Blaster, not a Gravis Ultrasound.
    return {
        {QStringLiteral("Sound Blaster 1"), QStringLiteral("sb1")},
        {QStringLiteral("Sound Blaster 2"), QStringLiteral("sb2")},
        {QStringLiteral("Sound Blaster Pro 1"), QStringLiteral("sbpro1")},
        {QStringLiteral("Sound Blaster Pro 2"), QStringLiteral("sbpro2")},
        {QStringLiteral("Sound Blaster 16"), QStringLiteral("sb16")},
        {QStringLiteral("Sound Blaster 16 Vibra"), QStringLiteral("sb16vibra")},
        {QStringLiteral("Game Blaster"), QStringLiteral("gb")},
        {QStringLiteral("ESS688"), QStringLiteral("ess688")},
        {QStringLiteral("ESS1688"), QStringLiteral("ess1688")},
        {QStringLiteral("Reveal SC400"), QStringLiteral("reveal_sc400")},
        {noneTitle(), QStringLiteral("none")},
    };
}

QStringList SoundSettings::soundCardMenuTitles()
{
    QStringList titles;
    for (const auto& [title, value] : soundCardOptions()) {
        if (title != noneTitle())
            titles.append(title);
    }
    std::sort(titles.begin(), titles.end()); // character codes, as the menu always showed them
    titles.prepend(noneTitle());
    return titles;
}

QStringList SoundSettings::sbbaseItems()
{
    return {QStringLiteral("220"), QStringLiteral("240"), QStringLiteral("260"), QStringLiteral("280")};
}

QStringList SoundSettings::irqItems()
{
    // DOSBox-X has no IRQ 2: it is 9 on an AT.
    return {QStringLiteral("3"), QStringLiteral("5"), QStringLiteral("7"), QStringLiteral("9"),
            QStringLiteral("10")};
}

QStringList SoundSettings::dmaItems()
{
    return {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("3"),
            QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7")};
}

QStringList SoundSettings::hdmaItems()
{
    return dmaItems();
}

std::optional<QString> SoundSettings::titleForSbtype(const QString& sbtype, const SoundCardOptions& options)
{
    const auto found = std::find_if(options.cbegin(), options.cend(),
                                    [&](const auto& option) { return option.second == sbtype; });
    return found == options.cend() ? std::nullopt : std::optional<QString>(found->first);
}

SoundSettings::SoundSettings(const QString& selectedSoundCardTitle, SoundCardOptions options, QString sbbase,
                             QString irq, QString dma, QString hdma)
    : sbbase(std::move(sbbase)), irq(std::move(irq)), dma(std::move(dma)), hdma(std::move(hdma)),
      options(std::move(options))
{
    const auto found = std::find_if(this->options.cbegin(), this->options.cend(), [&](const auto& option) {
        return option.first == selectedSoundCardTitle;
    });
    if (found != this->options.cend())
        sbtype = found->second;
}

void SoundSettings::writeToConfig(QString& content) const
{
    const std::pair<QString, const QString*> lines[] = {
        {QStringLiteral("sbtype"), &sbtype}, {QStringLiteral("sbbase"), &sbbase},
        {QStringLiteral("irq"), &irq},       {QStringLiteral("dma"), &dma},
        {QStringLiteral("hdma"), &hdma},
    };
    for (const auto& [key, value] : lines) {
        if (!value->isEmpty())
            ConfigText::replaceOrAppend(key, *value, content);
    }
}
