#pragma once

#include <optional>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// DOSBox-X's own description of its settings, as it writes it with "config -all -wc FILE": every
// section and key with its default, its help and, for some keys, the values it takes.
class DosboxReference
{
public:
    struct Key
    {
        QString defaultValue;
        QString help;
        QStringList allowedValues; // empty: any value
    };

    static DosboxReference parse(const QString& text);

    bool isEmpty() const { return m_sections.isEmpty(); }
    QStringList sections() const;
    QStringList keys(const QString& section) const;
    // The sections that hold a key of this name, in the reference's order.
    QStringList sectionsOf(const QString& name) const;
    std::optional<Key> key(const QString& section, const QString& name) const;

private:
    QStringList m_sectionOrder;
    QHash<QString, QList<std::pair<QString, Key>>> m_sections;
};
