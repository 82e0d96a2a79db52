#include "fixedclock.h"

#include <QTest>

class TestDateHeader : public QObject {
    Q_OBJECT
private slots:
    void headerAndStamp_data();
    void headerAndStamp();
    void installedClockIsUsedUntilRemoved();
};

void TestDateHeader::headerAndStamp_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("stamp");
    QTest::newRow("Sunday") << QDate(2026, 12, 6) << "今天是 2026年12月6日(日)" << " 2026.12.06 (日)";
    QTest::newRow("Friday") << QDate(2010, 12, 31) << "今天是 2010年12月31日(五)" << " 2010.12.31 (五)";
    QTest::newRow("Tuesday") << QDate(2010, 6, 1) << "今天是 2010年6月1日(二)" << " 2010.06.01 (二)";
    QTest::newRow("Monday") << QDate(2024, 1, 1) << "今天是 2024年1月1日(一)" << " 2024.01.01 (一)";
    QTest::newRow("Wednesday") << QDate(2024, 1, 3) << "今天是 2024年1月3日(三)" << " 2024.01.03 (三)";
    QTest::newRow("Thursday") << QDate(2024, 2, 29) << "今天是 2024年2月29日(四)" << " 2024.02.29 (四)";
    QTest::newRow("Saturday") << QDate(2000, 1, 1) << "今天是 2000年1月1日(六)" << " 2000.01.01 (六)";
}

void TestDateHeader::headerAndStamp()
{
    QFETCH(QDate, date);
    QFETCH(QString, header);
    QFETCH(QString, stamp);
    QCOMPARE(DateHeader::headerText(date), header);
    QCOMPARE(DateHeader::stamp(date), stamp);
}

void TestDateHeader::installedClockIsUsedUntilRemoved()
{
    {
        FixedClock clock(QDate(1999, 9, 9));
        QCOMPARE(Clock::instance().today(), QDate(1999, 9, 9));
    }
    QCOMPARE(Clock::instance().today(), QDate::currentDate());
}

QTEST_GUILESS_MAIN(TestDateHeader)
#include "tst_dateheader.moc"
