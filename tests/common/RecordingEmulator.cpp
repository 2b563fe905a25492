#include "common/RecordingEmulator.h"

#include "common/TestHome.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

RecordingEmulator::RecordingEmulator(const QString& folder)
    : m_folder(folder), m_record(folder + u"/arguments"_s)
{
    QDir().mkpath(folder);
    const QString program = folder + u"/dosbox-x"_s;
    QFile script(program);
    if (!script.open(QIODevice::WriteOnly))
        qFatal("cannot write the recording emulator");
    // Written beside, then moved, so that a reader never sees half a record.
    script.write("#!/bin/sh\nprintf '%s\\0' \"$@\" > '" + QFile::encodeName(m_record) + ".part' && mv '" +
                 QFile::encodeName(m_record) + ".part' '" + QFile::encodeName(m_record) + "'\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
}

std::optional<QStringList> RecordingEmulator::takeArguments(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!QFile::exists(m_record)) {
        if (timer.hasExpired(timeoutMs))
            return std::nullopt;
        QTest::qWait(10);
    }
    QFile file(m_record);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    file.remove();
    bytes.chop(bytes.endsWith('\0') ? 1 : 0);
    return bytes.isEmpty() ? QStringList() : QString::fromUtf8(bytes).split(QChar(u'\0'));
}

QString writeCheckingEmulator(const TestHome& home, const QString& relativePath, bool starts)
{
    return home.writeProgram(
        relativePath,
        QByteArray(
            "#!/bin/sh\nconf=; out=\nwhile [ $# -gt 0 ]; do case \"$1\" in -conf) conf=\"$2\"; shift;;\n"
            "-c) case \"$2\" in 'config -all -wc '*) out=\"${2#config -all -wc }\";; esac; shift;; esac\n"
            "shift; done\n") +
            (starts ? "grep -q crash \"$conf\" 2>/dev/null && kill -SEGV $$\n"
                      "grep -q hang \"$conf\" 2>/dev/null && exec sleep 60\n"
                    : "kill -SEGV $$\n") +
            "if [ -n \"$conf\" ]; then sed 's/opl3/opl2/' \"$conf\" > \"$out\"; else printf '[sblaster]\\n"
            "# sbtype: The card.\\nsbtype = sb16\\n# oplmode: The FM chip.\\noplmode = auto\\n' > \"$out\"; "
            "fi\n");
}
