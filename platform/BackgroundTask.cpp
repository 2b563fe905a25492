#include "platform/BackgroundTask.h"

#include <QCoreApplication>

BackgroundTask::BackgroundTask() : QObject(QCoreApplication::instance()) {}

void BackgroundTask::start(QObject* context, std::function<void()> work, std::function<void()> done)
{
    auto* task = new BackgroundTask; // owned by the application object
    task->m_thread.reset(QThread::create(std::move(work)));
    const QPointer<QObject> guard(context);
    connect(task->m_thread.get(), &QThread::finished, task, [task, guard, done = std::move(done)] {
        if (guard)
            done();
        task->deleteLater();
    });
    task->m_thread->start();
}

BackgroundTask::~BackgroundTask()
{
    if (m_thread)
        m_thread->wait();
}
