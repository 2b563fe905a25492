#pragma once

#include <functional>
#include <optional>
#include <QString>

class QSettings;

// A settings file of this user that several Tandril processes change (the play record, the
// games allowed to reach other folders): every change is one read-modify-write under a lock of
// its own, with the stale-lock rules of every other lock (empty, unreadable, dead owner), and is
// read back to prove it was written (a full disk says so instead of losing it).
namespace SharedSettings {

// Reads the store; nothing is locked.
void read(const QString& name, const std::function<void(QSettings&)>& reader);

// Changes the store under its lock; why it could not be written, or nothing.
std::optional<QString> update(const QString& name, const std::function<void(QSettings&)>& change);

} // namespace SharedSettings
