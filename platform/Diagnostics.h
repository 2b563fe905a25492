#pragma once

#include <QString>

// Diagnostic lines for the developer on standard output ("✅", "❌", "⚠️" or "🔄" and a short
// English text). They are never shown in the window.
void logLine(const QString& line);
