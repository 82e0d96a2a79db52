#include "widgets/chinesefonts.h"
#include "widgets/xptext.h"

#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWidget>

namespace {

QRect measured(const QWidget &control, const QString &caption, QRect rect, XPText::Flags flags,
               bool showAccelerator = true)
{
    QImage canvas(10, 10, QImage::Format_RGB32);
    QPainter painter(&canvas);
    XPText::render(control, painter, caption, control.font(), true, showAccelerator, rect, flags | XPText::Measure);
    return rect;
}

// The columns holding ink after drawing the caption black on white.
QPair<int, int> inkColumns(const QWidget &control, const QString &caption, QRect rect, XPText::Flags flags)
{
    QImage canvas(300, 40, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    XPText::render(control, painter, caption, control.font(), true, true, rect, flags);
    painter.end();
    int first = canvas.width();
    int last = -1;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (qGray(canvas.pixel(x, y)) < 128) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

} // namespace

class TestXPText : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_control.setFont(ChineseFonts::font(QStringLiteral("MS Sans Serif"), 11));
        m_lineHeight = measured(m_control, QStringLiteral("X"), QRect(0, 0, 200, 50), {}).height();
        QVERIFY(m_lineHeight > 0);
    }

    void accelerator_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QChar>("letter");
        QTest::newRow("first letter") << QStringLiteral("&Apply") << QChar(u'A');
        QTest::newRow("inside") << QStringLiteral("Ap&ply") << QChar(u'p');
        QTest::newRow("doubled is literal") << QStringLiteral("A&&B") << QChar();
        QTest::newRow("after a literal") << QStringLiteral("&&&C") << QChar(u'C');
        QTest::newRow("trailing") << QStringLiteral("End&") << QChar();
        QTest::newRow("none") << QStringLiteral("确  定") << QChar();
    }

    void accelerator()
    {
        QFETCH(QString, caption);
        QFETCH(QChar, letter);
        QCOMPARE(XPText::accelerator(caption), letter);
    }

    void emptyCaptionMeasuresOneLine_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("showAccelerator");
        QTest::newRow("empty") << QString() << true;
        QTest::newRow("lone accelerator mark") << QStringLiteral("&") << true;
        QTest::newRow("empty, marks shown as they are") << QString() << false;
    }

    void emptyCaptionMeasuresOneLine()
    {
        QFETCH(QString, caption);
        QFETCH(bool, showAccelerator);
        const QRect rect = measured(m_control, caption, QRect(5, 7, 73, 21), XPText::EndEllipsis, showAccelerator);
        QCOMPARE(rect.topLeft(), QPoint(5, 7));
        QCOMPARE(rect.height(), m_lineHeight);
        QVERIFY(rect.width() > 0);
    }

    void prefixesAndLines()
    {
        const QRect wide(0, 0, 500, 50);
        const int ampersand = measured(m_control, QStringLiteral("&"), wide, {}, false).width();
        QCOMPARE(measured(m_control, QStringLiteral("&&"), wide, {}).width(), ampersand);
        QCOMPARE(measured(m_control, QStringLiteral("&&"), wide, {}, false).width(), 2 * ampersand);

        const QString words = QStringLiteral("wallpaper picture");
        const int oneWord = measured(m_control, QStringLiteral("wallpaper"), wide, {}).width();
        const QRect narrow(0, 0, oneWord + 2, 21);
        QCOMPARE(measured(m_control, words, narrow, XPText::WordBreak).height(), 2 * m_lineHeight);
        QCOMPARE(measured(m_control, words, narrow, {}).height(), m_lineHeight);
        QCOMPARE(measured(m_control, QStringLiteral("a\r\nb"), wide, {}).height(), 2 * m_lineHeight);
        QCOMPARE(measured(m_control, QStringLiteral("a\r\nb"), wide, XPText::SingleLine).height(), m_lineHeight);
    }

    void tooLongCaptionIsCutWithEllipsis()
    {
        const QString caption = QStringLiteral("Apply the wallpaper now");
        const QRect rect(10, 0, 60, 20);
        QCOMPARE(measured(m_control, caption, rect, XPText::EndEllipsis).width(), 60);
        QVERIFY(measured(m_control, caption, rect, {}).width() > 60);
        const auto [first, last] = inkColumns(m_control, caption, rect, XPText::EndEllipsis);
        QVERIFY(first >= 10);
        QVERIFY(last < 70);
    }

    void rightToLeftControlsAlignToTheRight()
    {
        QWidget control;
        control.setFont(m_control.font());
        const QRect rect(0, 0, 300, 20);
        QVERIFY(inkColumns(control, QStringLiteral("ab"), rect, {}).second < 50);
        control.setLayoutDirection(Qt::RightToLeft);
        QVERIFY(inkColumns(control, QStringLiteral("ab"), rect, {}).first > 250);
    }

private:
    QWidget m_control;
    int m_lineHeight = 0;
};

QTEST_MAIN(TestXPText)
#include "tst_xptext.moc"
