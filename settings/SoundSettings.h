#pragma once

#include <optional>
#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

// The emulated sound card: the card model and its port, interrupt and DMA channels, as menu
// titles and as the configuration lines they become.
class SoundSettings
{
public:
    // Menu title and the "sbtype" value it writes; titles and values are both unique.
    using SoundCardOptions = QList<std::pair<QString, QString>>;

    // Made at each call: a title follows the language in use.
    static SoundCardOptions soundCardOptions();
    // "None" first, then the other titles in character-code order.
    static QStringList soundCardMenuTitles();
    static QStringList sbbaseItems();
    static QStringList irqItems();
    static QStringList dmaItems();
    static QStringList hdmaItems();

    static inline const QString DefaultSoundCardTitle = QStringLiteral("Sound Blaster 1");
    static inline const QString DefaultSbtype = QStringLiteral("sb1");
    static inline const QString DefaultSBBase = QStringLiteral("220");
    static inline const QString DefaultIRQ = QStringLiteral("5");
    static inline const QString DefaultDMA = QStringLiteral("1");
    static inline const QString DefaultHDMA = QStringLiteral("5");
    // The title of "sbtype=none", in the user's language; the value never changes with it.
    static QString noneTitle();

    static std::optional<QString> titleForSbtype(const QString& sbtype, const SoundCardOptions& options);

    // An empty text for a title or a resource means that key is not written.
    SoundSettings(const QString& selectedSoundCardTitle, SoundCardOptions options, QString sbbase,
                  QString irq, QString dma, QString hdma);

    // Sets sbtype, sbbase, irq, dma and hdma in this order wherever they stand ("dma" also hits the
    // "hdma=" line, which is set right after), or appends them.
    void writeToConfig(QString& content) const;

    QString sbtype;
    QString sbbase;
    QString irq;
    QString dma;
    QString hdma;
    SoundCardOptions options;
};
