#pragma once

#include "platform/SystemServices.h"

// System services for the window: the desktop's file manager and web browser.
class DesktopServices final : public SystemServices
{
public:
    bool openFolder(const QString& path) override;
    void openUrl(const QUrl& url) override;
};
