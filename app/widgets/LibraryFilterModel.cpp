#include "app/widgets/LibraryFilterModel.h"

#include "app/widgets/LibraryTableModel.h"
#include "platform/Collation.h"

LibraryFilterModel::LibraryFilterModel(QObject* parent)
    : QSortFilterProxyModel(parent), m_collator(Collation::titleCollator())
{
    setSortRole(Qt::DisplayRole);
}

QString LibraryFilterModel::folded(const QString& text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString result;
    result.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing && c.category() != QChar::Mark_SpacingCombining &&
            c.category() != QChar::Mark_Enclosing)
            result.append(c);
    }
    return result.toCaseFolded();
}

void LibraryFilterModel::setSearchText(const QString& text)
{
    if (text == m_search)
        return;
    m_search = text;
    m_foldedSearch = folded(text.trimmed());
    invalidateRowsFilter();
}

QString LibraryFilterModel::countText() const
{
    const int shown = rowCount();
    const int all = sourceModel() ? sourceModel()->rowCount() : 0;
    if (m_foldedSearch.isEmpty())
        return all == 1 ? tr("1 game") : tr("%1 games").arg(all);
    return all == 1 ? tr("%1 of 1 game").arg(shown) : tr("%1 of %2 games").arg(shown).arg(all);
}

bool LibraryFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    if (m_foldedSearch.isEmpty())
        return true;
    const QString searched = sourceModel()
                                 ->index(sourceRow, LibraryTableModel::TitleColumn, sourceParent)
                                 .data(LibraryTableModel::SearchTextRole)
                                 .toString();
    return folded(searched).contains(m_foldedSearch);
}

bool LibraryFilterModel::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    if (left.column() == LibraryTableModel::ImageColumn)
        return left.row() < right.row(); // the image column keeps file-name order
    int comparison = 0;
    if (left.column() == LibraryTableModel::TitleColumn) {
        comparison = m_collator.compare(left.data().toString(), right.data().toString());
    } else {
        const QVariant a = left.data(LibraryTableModel::SortKeyRole);
        const QVariant b = right.data(LibraryTableModel::SortKeyRole);
        comparison = a.typeId() == QMetaType::QString
                         ? m_collator.compare(a.toString(), b.toString())
                         : (a.toLongLong() > b.toLongLong()) - (a.toLongLong() < b.toLongLong());
    }
    return comparison != 0 ? comparison < 0 : left.row() < right.row();
}
