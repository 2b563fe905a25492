#pragma once

#include "platform/FilePanel.h"

#include <QPointer>
#include <QWidget>

// File panels as window-modal file dialogs over the given window.
class DialogFilePanel final : public FilePanel
{
public:
    void setWindow(QWidget* window) { m_window = window; }
    void chooseFile(const Request& request, std::function<void(const QString&)> chosen) override;

private:
    QPointer<QWidget> m_window;
};
