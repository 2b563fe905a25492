#pragma once

#include <QList>

// The library table's column widths: the title takes what the other columns leave it, and never
// less than it needs while they can give up width.
namespace ColumnFit {

// The other columns' widths so that at least titleMinimum of available is left for the title:
// each gives up the same share of what it has above its least; none goes below its least. Widths
// that already leave enough are kept.
QList<int> leaveRoomForTitle(int available, int titleMinimum, const QList<int>& widths,
                             const QList<int>& least);

} // namespace ColumnFit
