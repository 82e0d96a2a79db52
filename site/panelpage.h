#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The page of the web panel when no web site is configured: this month's
// calendar with today marked, and a tip of the day from the help page.
namespace PanelPage {

// Rich text for a 300 x 250 panel. The calendar's weeks run from Monday to
// Sunday, as Chinese calendars print them.
QString html(QDate today);

// The tip shown on `day`: one after the other through the tip list, a new
// one every day.
QString tipFor(QDate day, const QStringList &tips);

} // namespace PanelPage
