#pragma once

#include <functional>
#include <QString>
#include <QStringList>

// Lets the user choose one file without blocking; the answer comes later through the callback,
// which is not called when the user cancels. Replaced by a script in tests.
class FilePanel
{
public:
    struct Request
    {
        QString title;
        QStringList extensions; // matched in any letter case
        QString startFolder;    // empty: wherever the panel likes
        bool folder = false;    // a folder is chosen instead of a file
        QString saveAs = {};    // not empty: a name to save under is asked for, this one offered
    };

    virtual ~FilePanel();
    virtual void chooseFile(const Request& request, std::function<void(const QString&)> chosen) = 0;
};
