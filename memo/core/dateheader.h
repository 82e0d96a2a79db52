#pragma once

#include <QDate>
#include <QString>

// Where the window takes today's date from. The program reads the local
// date; tests install a clock of their own while they run.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;

    // The clock in use: the local date unless a test installed another.
    static const Clock &instance();
    // Installs `clock` (not owned); nullptr restores the local date.
    static void setInstance(const Clock *clock);
};

// The date line of the window's header and the stamp the date picture
// inserts into the board. Both name the weekday with one character,
// 一 to 六 for Monday to Saturday and 日 for Sunday.
namespace DateHeader {

QChar weekdayCharacter(QDate date);

// "今天是 2010年6月1日(二)": no leading zeros.
QString headerText(QDate date);

// " 2010.06.01 (二)": two-digit month and day between single spaces.
QString stamp(QDate date);

} // namespace DateHeader
