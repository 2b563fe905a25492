#include "platform/Prompter.h"

Prompter::~Prompter() = default;
