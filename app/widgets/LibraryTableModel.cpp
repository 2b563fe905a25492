#include "app/widgets/LibraryTableModel.h"

#include <QLocale>

LibraryTableModel::LibraryTableModel(QIcon folderIcon, QObject* parent)
    : QAbstractTableModel(parent), m_folderIcon(std::move(folderIcon))
{}

void LibraryTableModel::setConfigEntries(QList<ConfigEntry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

void LibraryTableModel::setPlayRecords(QHash<QString, PlayRecord::Record> records)
{
    m_played = std::move(records);
    if (!m_entries.isEmpty())
        Q_EMIT dataChanged(index(0, LastPlayedColumn), index(rowCount() - 1, PlayTimeColumn));
}

PlayRecord::Record LibraryTableModel::playRecord(const ConfigEntry& entry) const
{
    return m_played.value(entry.filePath.section(u'/', -1));
}

void LibraryTableModel::removeEntry(int row)
{
    if (row < 0 || row >= m_entries.size())
        return;
    beginRemoveRows({}, row, row);
    m_entries.removeAt(row);
    endRemoveRows();
}

int LibraryTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int LibraryTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LibraryTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    const ConfigEntry& entry = m_entries.at(index.row());
    if (role == SearchTextRole) {
        const GameDetails& details = entry.details;
        return QStringList{entry.title, details.year, details.developer, details.publisher, details.genre}
            .join(u'\n');
    }
    if (index.column() >= YearColumn && (role == Qt::DisplayRole || role == SortKeyRole)) {
        const GameDetails& details = entry.details;
        const PlayRecord::Record played = playRecord(entry);
        switch (index.column()) {
        case YearColumn:
            return details.year;
        case GenreColumn:
            return details.genre;
        case DeveloperColumn:
            return details.developer;
        case LastPlayedColumn:
            if (role == SortKeyRole)
                return played.lastPlayed ? played.lastPlayed->toMSecsSinceEpoch() : qint64(0);
            return played.lastPlayed ? QLocale().toString(*played.lastPlayed, QLocale::ShortFormat)
                                     : QString();
        case PlayTimeColumn:
            return role == SortKeyRole ? QVariant(played.seconds)
                                       : QVariant(PlayRecord::durationText(played.seconds));
        default:
            break;
        }
    }
    switch (index.column()) {
    case ImageColumn:
        if (role == Qt::DecorationRole)
            return m_folderIcon;
        break;
    case TitleColumn:
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
            return entry.title;
        break;
    default:
        break;
    }
    return {};
}

QVariant LibraryTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case TitleColumn:
        return tr("Title");
    case YearColumn:
        return tr("Year");
    case GenreColumn:
        return tr("Genre");
    case DeveloperColumn:
        return tr("Developer");
    case LastPlayedColumn:
        return tr("Last Played");
    case PlayTimeColumn:
        return tr("Play Time");
    default:
        return QString();
    }
}
