#pragma once

#include <QString>

#include <optional>

// Decimal integers as the settings files hold them: an optional sign and
// digits, with blanks allowed around them; the value must fit 32 bits.
std::optional<int> parseInt32(const QString &text);
