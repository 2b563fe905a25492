#include "settings/DropCopyJob.h"

#include <QCoreApplication>

DropCopyJob::DropCopyJob(QList<DropCopy::Task> tasks)
    : QObject(QCoreApplication::instance()), m_tasks(std::move(tasks))
{}

DropCopyJob* DropCopyJob::start(QList<DropCopy::Task> tasks)
{
    auto* job = new DropCopyJob(std::move(tasks)); // owned by the application object
    job->m_thread.reset(QThread::create([job] { job->m_copied = DropCopy::run(job->m_tasks); }));
    connect(job->m_thread.get(), &QThread::finished, job, [job] {
        Q_EMIT job->finished(job->m_copied);
        job->deleteLater();
    });
    job->m_thread->start();
    return job;
}

DropCopyJob::~DropCopyJob()
{
    if (m_thread)
        m_thread->wait();
}
