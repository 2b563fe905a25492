#include "library/DosboxReference.h"

namespace {

// The first line of a section's help gives the column of its ": " after each key name.
qsizetype colonColumn(QStringView line)
{
    const qsizetype colon = line.indexOf(u": ");
    return colon > 1 && !line.mid(1, colon - 1).trimmed().isEmpty() ? colon : -1;
}

} // namespace

DosboxReference DosboxReference::parse(const QString& text)
{
    DosboxReference reference;
    QString section;
    qsizetype column = -1;
    QHash<QString, Key> help; // of the section's keys, until their default lines come
    QString current;
    for (const QStringView line : QStringView(text).tokenize(u'\n')) {
        const QStringView trimmed = line.trimmed();
        if (trimmed.startsWith(u'[') && trimmed.endsWith(u']')) {
            section = trimmed.mid(1, trimmed.size() - 2).toString().toLower();
            reference.m_sectionOrder.append(section);
            reference.m_sections[section];
            column = -1;
            help.clear();
            current.clear();
            continue;
        }
        if (section.isEmpty())
            continue;
        if (trimmed.startsWith(u'#')) {
            if (column < 0)
                column = colonColumn(line);
            const bool keyLine = column > 1 && line.size() > column + 1 && line.mid(column, 2) == u": " &&
                                 !line.mid(1, column - 1).trimmed().isEmpty() && line.at(column - 1) != u' ';
            if (keyLine) {
                current = line.mid(1, column - 1).trimmed().toString().toLower();
                help[current].help = line.mid(column + 2).trimmed().toString();
            } else if (!current.isEmpty()) {
                const QStringView more = trimmed.mid(1).trimmed();
                static constexpr QStringView Possible = u"Possible values:";
                if (more.startsWith(Possible)) {
                    QString values = more.mid(Possible.size()).trimmed().toString();
                    if (values.endsWith(u'.'))
                        values.chop(1);
                    help[current].allowedValues = values.split(QStringLiteral(", "), Qt::SkipEmptyParts);
                } else {
                    help[current].help += u'\n' + more.toString();
                }
            }
            continue;
        }
        const qsizetype equals = trimmed.indexOf(u'=');
        if (equals <= 0)
            continue;
        const QString name = trimmed.left(equals).trimmed().toString().toLower();
        Key key = help.value(name);
        key.defaultValue = trimmed.mid(equals + 1).trimmed().toString();
        reference.m_sections[section].append({name, key});
    }
    return reference;
}

QStringList DosboxReference::sections() const
{
    return m_sectionOrder;
}

QStringList DosboxReference::sectionsOf(const QString& name) const
{
    QStringList found;
    for (const QString& section : m_sectionOrder) {
        if (key(section, name))
            found.append(section);
    }
    return found;
}

QStringList DosboxReference::keys(const QString& section) const
{
    QStringList names;
    for (const auto& [name, key] : m_sections.value(section))
        names.append(name);
    return names;
}

std::optional<DosboxReference::Key> DosboxReference::key(const QString& section, const QString& name) const
{
    for (const auto& [known, key] : m_sections.value(section)) {
        if (known == name)
            return key;
    }
    return std::nullopt;
}
