#include "platform/InterruptWatch.h"

#include <QSocketNotifier>
#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>
#endif

InterruptWatch::InterruptWatch(std::function<void()> interrupted, QObject* parent) : QObject(parent)
{
#ifdef Q_OS_LINUX
    // The signal is blocked and read from a descriptor: no handler, no state shared with one.
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    if (::sigprocmask(SIG_BLOCK, &set, nullptr) != 0)
        return;
    m_descriptor = ::signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
    if (m_descriptor < 0) {
        ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
        return;
    }
    m_notifier = new QSocketNotifier(m_descriptor, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this, interrupted = std::move(interrupted)] {
        signalfd_siginfo info;
        while (::read(m_descriptor, &info, sizeof info) == ssize_t(sizeof info)) {
        }
        interrupted();
    });
#else
    Q_UNUSED(interrupted);
#endif
}

InterruptWatch::~InterruptWatch()
{
#ifdef Q_OS_LINUX
    if (m_descriptor < 0)
        return;
    delete m_notifier; // before its descriptor closes
    m_notifier = nullptr;
    ::close(m_descriptor);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
#endif
}
