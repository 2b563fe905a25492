#pragma once

class QProcess;

// Makes a process the leader of a process group of its own that ends with this object, and with
// this program: also when this program is killed outright, and also what a wrapper script that
// does not exec started. A small watcher forked beside the process waits on a pipe that only this
// program holds open; when the pipe closes (this object goes, or the program dies), it kills the
// whole group. Set up before QProcess::start.
class ProcessGroup
{
public:
    explicit ProcessGroup(QProcess& process);
    ~ProcessGroup();
    ProcessGroup(const ProcessGroup&) = delete;
    ProcessGroup& operator=(const ProcessGroup&) = delete;

    // Kills every process of the group now.
    void kill();

private:
    QProcess& m_process;
    int m_holdOpen = -1;   // this program's end of the pipe
    int m_watchedEnd = -1; // the watcher's end
};
