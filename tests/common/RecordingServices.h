#pragma once

#include "platform/SystemServices.h"

#include <QList>
#include <QStringList>

// Remembers what the program asked the desktop to do, and does none of it.
class RecordingServices final : public SystemServices
{
public:
    bool openFolder(const QString& path) override
    {
        openedFolders.append(path);
        return hasFileManager;
    }
    void openUrl(const QUrl& url) override { openedUrls.append(url); }

    bool hasFileManager = true;
    QStringList openedFolders;
    QList<QUrl> openedUrls;
};
