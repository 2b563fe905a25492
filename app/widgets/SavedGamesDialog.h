#pragma once

#include "library/ConfigEntry.h"
#include "platform/Host.h"

#include <QDialog>

class JobQueue;
class QLabel;
class QPushButton;
class QTreeWidget;

// "Saved Games" for one game: what it wrote (files, sizes, when; what it deleted of its own),
// a backup of it into one archive, a backup put back, and "Reset to Original". The work is done
// by the library's own classes and the window's job queue; this only shows it.
class SavedGamesDialog final : public QDialog
{
    Q_OBJECT

public:
    SavedGamesDialog(const ConfigEntry& entry, Host host, JobQueue& jobs, QWidget* parent = nullptr);

    // Reads the saves folder again and shows it.
    void refresh();

private:
    void backUp();
    void restore();
    void reset();
    void showFolder();

    ConfigEntry m_entry;
    QString m_title;
    QString m_saves;
    Host m_host;
    JobQueue& m_jobs;
    QLabel* m_summary = nullptr;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_backUp = nullptr;
    QPushButton* m_restore = nullptr;
    QPushButton* m_reset = nullptr;
    QPushButton* m_show = nullptr;
};
