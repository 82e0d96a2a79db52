#include "files/intparse.h"

std::optional<int> parseInt32(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    qsizetype i = 0;
    bool negative = false;
    if (trimmed.at(0) == QLatin1Char('-') || trimmed.at(0) == QLatin1Char('+')) {
        negative = trimmed.at(0) == QLatin1Char('-');
        i = 1;
    }
    if (i == trimmed.size())
        return std::nullopt;
    long long value = 0;
    for (; i < trimmed.size(); ++i) {
        const QChar c = trimmed.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
        if (value > 2147483648LL)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL)
        return std::nullopt;
    return static_cast<int>(value);
}
