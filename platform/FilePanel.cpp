#include "platform/FilePanel.h"

FilePanel::~FilePanel() = default;
