#include "memo/core/dateheader.h"

namespace {

class LocalClock : public Clock {
public:
    QDate today() const override { return QDate::currentDate(); }
};

const Clock *&installed()
{
    static const Clock *clock = nullptr;
    return clock;
}

} // namespace

const Clock &Clock::instance()
{
    static const LocalClock local;
    return installed() ? *installed() : local;
}

void Clock::setInstance(const Clock *clock)
{
    installed() = clock;
}

namespace DateHeader {

QChar weekdayCharacter(QDate date)
{
    static const char16_t names[] = u"一二三四五六日";
    return QChar(names[date.dayOfWeek() - 1]);
}

QString headerText(QDate date)
{
    return QStringLiteral("今天是 %1年%2月%3日(%4)")
        .arg(date.year())
        .arg(date.month())
        .arg(date.day())
        .arg(weekdayCharacter(date));
}

QString stamp(QDate date)
{
    return QStringLiteral(" %1.%2.%3 (%4)")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(weekdayCharacter(date));
}

} // namespace DateHeader
