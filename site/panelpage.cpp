#include "site/panelpage.h"

#include "site/builtinsite.h"

namespace {

// Monday to Sunday.
const QString kWeekdays = QStringLiteral("一二三四五六日");

// The colours of the memo window: maroon for its date line, its pale blue
// for the frame.
const QString kMaroon = QStringLiteral("#800000");
const QString kPaleBlue = QStringLiteral("#d8e3f3");
const QString kWeekendRed = QStringLiteral("#c03030");

QString headerRow()
{
    QString row = QStringLiteral("<tr>");
    for (int column = 0; column < 7; ++column)
        row += QStringLiteral("<td align=\"center\" bgcolor=\"%1\" style=\"color:%2; font-weight:bold\">%3</td>")
                   .arg(kPaleBlue, column >= 5 ? kWeekendRed : kMaroon, kWeekdays.at(column));
    return row + QStringLiteral("</tr>");
}

QString dayCell(QDate day, QDate today)
{
    if (day == today)
        return QStringLiteral("<td align=\"center\" bgcolor=\"%1\" style=\"color:#ffffff; font-weight:bold\">%2</td>")
            .arg(kMaroon)
            .arg(day.day());
    const QString colour = day.dayOfWeek() >= 6 ? kWeekendRed : QStringLiteral("#222222");
    return QStringLiteral("<td align=\"center\" style=\"color:%1\">%2</td>").arg(colour).arg(day.day());
}

// The month's weeks, Monday first; days outside the month stay blank.
QString weekRows(QDate today)
{
    const QDate first(today.year(), today.month(), 1);
    QString rows;
    QDate day = first.addDays(1 - first.dayOfWeek());
    while (day.month() == today.month() || day < first) {
        rows += QStringLiteral("<tr>");
        for (int column = 0; column < 7; ++column, day = day.addDays(1))
            rows += day.month() == today.month() ? dayCell(day, today) : QStringLiteral("<td></td>");
        rows += QStringLiteral("</tr>");
    }
    return rows;
}

} // namespace

namespace PanelPage {

QString tipFor(QDate day, const QStringList &tips)
{
    return tips.isEmpty() ? QString() : tips.at(int(day.toJulianDay() % tips.size()));
}

QString html(QDate today)
{
    const QString title = QStringLiteral("%1年%2月").arg(today.year()).arg(today.month());
    const QString todayLine = QStringLiteral("今天 %1月%2日 星期%3").arg(today.month()).arg(today.day()).arg(kWeekdays.at(today.dayOfWeek() - 1));
    return QStringLiteral(
               "<html><head><meta charset=\"utf-8\"><title>%1</title></head>"
               "<body style=\"font-size:12px; color:#222222\">"
               "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\"><tr>"
               "<td style=\"color:%2; font-size:15px; font-weight:bold\">%1</td>"
               "<td align=\"right\" style=\"color:%2\">%3</td></tr></table>"
               "<table width=\"100%\" cellspacing=\"1\" cellpadding=\"1\">%4%5</table>"
               "<p style=\"margin-top:6px\"><span style=\"color:%2; font-weight:bold\">小窍门：</span>%6</p>"
               "</body></html>")
        .arg(title, kMaroon, todayLine, headerRow(), weekRows(today), tipFor(today, BuiltInSite::tips()).toHtmlEscaped());
}

} // namespace PanelPage
