#include "platform/ConfigNotifier.h"

ConfigNotifier& ConfigNotifier::instance()
{
    // One notification centre for the process, like the system's default centre.
    static ConfigNotifier notifier;
    return notifier;
}

void ConfigNotifier::post()
{
    Q_EMIT tandrilConfigUpdated();
}
