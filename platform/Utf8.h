#pragma once

#include <QByteArrayView>

// Strict UTF-8 validation: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(QByteArrayView bytes) noexcept;
