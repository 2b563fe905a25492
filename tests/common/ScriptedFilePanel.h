#pragma once

#include "platform/FilePanel.h"

#include <QList>

// Remembers every file panel request; the test answers the last one later, like a person would.
class ScriptedFilePanel final : public FilePanel
{
public:
    void chooseFile(const Request& request, std::function<void(const QString&)> chosen) override
    {
        requests.append(request);
        m_pending = std::move(chosen);
    }

    // Chooses a file in the panel that is open (a cancelled panel simply never answers).
    void choose(const QString& path)
    {
        if (auto chosen = std::exchange(m_pending, nullptr))
            chosen(path);
    }

    QList<Request> requests;

private:
    std::function<void(const QString&)> m_pending;
};
