#pragma once

#include "settings/DropCopy.h"

#include <memory>
#include <QObject>
#include <QThread>

// Runs planned copies on a thread of their own, so that the window keeps painting through a
// 700 MB disc image. Owned by the application, which waits for it when it quits.
class DropCopyJob final : public QObject
{
    Q_OBJECT

public:
    static DropCopyJob* start(QList<DropCopy::Task> tasks);
    ~DropCopyJob() override;

Q_SIGNALS:
    void finished(int copied);

private:
    explicit DropCopyJob(QList<DropCopy::Task> tasks);

    QList<DropCopy::Task> m_tasks;
    int m_copied = 0;
    std::unique_ptr<QThread> m_thread;
};
