#pragma once

#include <QObject>

// The notification "TandrilConfigUpdated": posted after a configuration file was written,
// delivered to every subscriber on the posting thread.
class ConfigNotifier : public QObject
{
    Q_OBJECT

public:
    static inline const QString Name = QStringLiteral("TandrilConfigUpdated");

    static ConfigNotifier& instance();
    void post();

Q_SIGNALS:
    void tandrilConfigUpdated();
};
