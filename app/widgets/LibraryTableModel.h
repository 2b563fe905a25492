#pragma once

#include "library/ConfigEntry.h"
#include "library/PlayRecord.h"

#include <QAbstractTableModel>
#include <QIcon>

// The library table: a folder icon and the title of every entry, in file-name order. The view
// sorts and filters it through a LibraryFilterModel.
class LibraryTableModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        ImageColumn,
        TitleColumn,
        // Shown when the user chooses them from the header's menu.
        YearColumn,
        GenreColumn,
        DeveloperColumn,
        LastPlayedColumn,
        PlayTimeColumn,
        ColumnCount
    };
    // What a column sorts by: text for the details, the time or the seconds for play records.
    static constexpr int SortKeyRole = Qt::UserRole + 2;

    // The text the search looks in: the title and the details that name the game (year,
    // developer, publisher, genre), a line each, so that no match spans two of them.
    static constexpr int SearchTextRole = Qt::UserRole + 1;

    explicit LibraryTableModel(QIcon folderIcon, QObject* parent = nullptr);

    const QList<ConfigEntry>& configEntries() const { return m_entries; }
    void setConfigEntries(QList<ConfigEntry> entries);
    // When each game was last played and for how long, by configuration file name.
    void setPlayRecords(QHash<QString, PlayRecord::Record> records);
    PlayRecord::Record playRecord(const ConfigEntry& entry) const;
    void removeEntry(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QIcon m_folderIcon;
    QList<ConfigEntry> m_entries;
    QHash<QString, PlayRecord::Record> m_played;
};
