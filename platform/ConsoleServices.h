#pragma once

#include "platform/SystemServices.h"

// System services for the command line, where there is no GUI platform: folders and web pages
// are handed to the desktop's opener program.
class ConsoleServices final : public SystemServices
{
public:
    bool openFolder(const QString& path) override;
    void openUrl(const QUrl& url) override;
};
