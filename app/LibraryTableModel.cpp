#include "app/LibraryTableModel.h"

LibraryTableModel::LibraryTableModel(QIcon folderIcon, QObject* parent)
    : QAbstractTableModel(parent), m_folderIcon(std::move(folderIcon))
{}

void LibraryTableModel::setConfigEntries(QList<ConfigEntry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
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
    return section == TitleColumn ? tr("Title") : QString();
}
