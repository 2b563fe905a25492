#include "app/ColumnFit.h"

#include <algorithm>
#include <numeric>

namespace ColumnFit {

QList<int> leaveRoomForTitle(int available, int titleMinimum, const QList<int>& widths,
                             const QList<int>& least)
{
    const qint64 used = std::accumulate(widths.cbegin(), widths.cend(), qint64(0));
    const qint64 missing = titleMinimum - (available - used);
    if (missing <= 0 || widths.size() != least.size())
        return widths;
    qint64 spare = 0;
    for (qsizetype i = 0; i < widths.size(); ++i)
        spare += std::max(0, widths.at(i) - least.at(i));
    if (spare == 0)
        return widths;
    QList<int> fitted = widths;
    for (qsizetype i = 0; i < fitted.size(); ++i) {
        const qint64 above = std::max(0, widths.at(i) - least.at(i));
        // Rounded up, so that the shares together give at least what is missing.
        const qint64 share = std::min(above, (above * std::min(missing, spare) + spare - 1) / spare);
        fitted[i] = int(widths.at(i) - share);
    }
    return fitted;
}

} // namespace ColumnFit
