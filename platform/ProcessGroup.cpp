#include "platform/ProcessGroup.h"

#include <csignal>
#include <fcntl.h>
#include <QProcess>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Runs in the forked child before it becomes the program: only async-signal-safe calls.
void leadOwnGroupWithWatcher(int watchedEnd)
{
    ::setpgid(0, 0);
    const pid_t group = ::getpid();
    const pid_t watcher = ::fork();
    if (watcher != 0) {
        ::close(watchedEnd);
        return; // the child goes on to exec; the write end closes there (close-on-exec)
    }
    // The watcher keeps nothing open but its end of the pipe, so it holds no one's output.
    rlimit limit{};
    const int highest =
        ::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < 65536 ? int(limit.rlim_cur) : 1024;
    for (int fd = 0; fd < highest; ++fd) {
        if (fd != watchedEnd)
            ::close(fd);
    }
    char byte = 0;
    while (::read(watchedEnd, &byte, 1) != 0) {
        if (errno != EINTR)
            break;
    }
    ::kill(-group, SIGKILL); // the watcher is one of the group: it goes last
    ::_exit(0);
}

} // namespace

ProcessGroup::ProcessGroup(QProcess& process) : m_process(process)
{
    int ends[2] = {-1, -1};
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return;
    m_watchedEnd = ends[0];
    m_holdOpen = ends[1];
    const int watchedEnd = m_watchedEnd;
    process.setChildProcessModifier([watchedEnd] { leadOwnGroupWithWatcher(watchedEnd); });
}

ProcessGroup::~ProcessGroup()
{
    kill();
    if (m_watchedEnd >= 0)
        ::close(m_watchedEnd);
}

void ProcessGroup::kill()
{
    if (m_process.processId() > 0 && m_process.state() != QProcess::NotRunning)
        ::kill(-pid_t(m_process.processId()), SIGKILL);
    // The watcher sees the pipe close and takes what is left of the group.
    if (m_holdOpen >= 0) {
        ::close(m_holdOpen);
        m_holdOpen = -1;
    }
}
