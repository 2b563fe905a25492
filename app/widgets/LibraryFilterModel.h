#pragma once

#include <QCollator>
#include <QSortFilterProxyModel>

// What the table shows of the library: the games whose title, year, developer, publisher or genre
// holds the search text (letter case and accents ignored), in file-name order or sorted by title. Selections
// are kept by game, so sorting never changes which game is selected.
class LibraryFilterModel final : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit LibraryFilterModel(QObject* parent = nullptr);

    void setSearchText(const QString& text);
    QString searchText() const { return m_search; }

    // "N games", or "N of M games" while filtering.
    QString countText() const;

    // The text as compared: lower case, accents and other combining marks left out.
    static QString folded(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    QString m_search;
    QString m_foldedSearch;
    QCollator m_collator;
};
