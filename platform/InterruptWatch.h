#pragma once

#include <functional>
#include <QObject>

class QSocketNotifier;

// Turns Ctrl+C (SIGINT) into a call on the event loop for as long as the object lives, so that a
// long command can stop its work cleanly instead of dying half-way. Where the system offers no
// way to do that, Ctrl+C keeps its usual effect.
class InterruptWatch final : public QObject
{
    Q_OBJECT

public:
    explicit InterruptWatch(std::function<void()> interrupted, QObject* parent = nullptr);
    ~InterruptWatch() override;

private:
    int m_descriptor = -1;
    QSocketNotifier* m_notifier = nullptr;
};
