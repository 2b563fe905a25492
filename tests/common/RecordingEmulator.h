#pragma once

#include <optional>
#include <QString>
#include <QStringList>

class TestHome;

// A stand-in for DOSBox-X: a small program named dosbox-x that writes its arguments,
// NUL-separated, to a file and exits.
class RecordingEmulator
{
public:
    // Makes folder/dosbox-x.
    explicit RecordingEmulator(const QString& folder);

    QString folder() const { return m_folder; }
    // Waits for the next recorded start and returns its arguments (and forgets them).
    std::optional<QStringList> takeArguments(int timeoutMs = 10000);

private:
    QString m_folder;
    QString m_record;
};

// A stand-in for DOSBox-X as the settings check runs it: it writes back the configuration it read
// as its account, reading "opl3" as "opl2"; it crashes on a configuration holding "crash" and hangs
// on one holding "hang". One that never starts crashes always. Returns its path.
QString writeCheckingEmulator(const TestHome& home, const QString& relativePath, bool starts = true);
