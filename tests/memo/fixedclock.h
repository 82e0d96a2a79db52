#pragma once

#include "memo/core/dateheader.h"

// A clock stopped at one date, installed while it lives.
class FixedClock : public Clock {
public:
    explicit FixedClock(QDate date)
        : m_date(date)
    {
        Clock::setInstance(this);
    }
    ~FixedClock() override { Clock::setInstance(nullptr); }
    QDate today() const override { return m_date; }

private:
    QDate m_date;
};
