#pragma once

#include <functional>
#include <memory>
#include <QObject>
#include <QPointer>
#include <QThread>

// Runs work on a thread of its own and hands the outcome back on the main thread, so that long
// copies never freeze the window. Owned by the application object, which waits for it on quit.
class BackgroundTask final : public QObject
{
    Q_OBJECT

public:
    // done runs on the main thread once work has returned, unless context is gone by then.
    static void start(QObject* context, std::function<void()> work, std::function<void()> done);
    ~BackgroundTask() override;

private:
    BackgroundTask();

    std::unique_ptr<QThread> m_thread;
};
