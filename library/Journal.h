#pragma once

#include <functional>
#include <optional>
#include <QString>
#include <QStringList>

// The small files that name a change of the library while it is under way ("{prefix}{UUID}": a
// header line, the names, "end"), so that the next start can finish what a kill interrupted.
namespace Journal {

struct Written
{
    QString path;
    std::optional<QString> error;
};

// Writes a journal into the folder, whole or not at all; uuid: the one its name ends in (empty: a
// new one).
Written write(const QString& folder, const QString& prefix, const QString& header, const QStringList& lines,
              const QString& uuid = {});

// Hands each journal of that kind in the folder to finish (its lines between the header and
// "end", or nothing when it was not written whole), then removes it.
void finishEach(const QString& folder, const QString& prefix, const QString& header,
                const std::function<void(const std::optional<QStringList>& lines)>& finish);

} // namespace Journal
