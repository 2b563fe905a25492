#pragma once

#include <functional>
#include <QObject>
#include <QStringList>

class QLocalServer;

// One Tandril window per user: a second start hands its files to the running one, or asks it to
// show its window, and ends.
class SingleInstance final : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(QObject* parent = nullptr);

    // True when a running Tandril took the files (none: it shows its window); this start should
    // then end.
    bool handOver(const QStringList& files) const;
    // Becomes the running Tandril: files handed over later reach the receiver, and an empty
    // text for a start that only wants the window.
    void listen(std::function<void(const QString&)> receiver);

private:
    QString m_name;
    QLocalServer* m_server = nullptr;
};
