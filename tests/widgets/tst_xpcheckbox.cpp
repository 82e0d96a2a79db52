#include "widgets/gradientbuilder.h"
#include "widgets/xpcheckbox.h"

#include <QSignalSpy>
#include <QTest>

namespace {

const QColor kWhite(255, 255, 255);
const QColor kOutline(24, 81, 132);
const QColor kTick(33, 166, 33);
const QPoint kOnBox(8, 8);

QImage picture(QColor top, QColor bottom, bool dither)
{
    return buildGradient(11, 11, top, bottom, 16, GradientDirection::TopToBottom, dither);
}
const QImage kFace = picture(QColor(255, 255, 255), QColor(239, 235, 231), false);
const QImage kPressedFace = picture(QColor(214, 207, 198), QColor(247, 243, 235), true);
const QImage kHotRing = picture(QColor(255, 243, 206), QColor(231, 150, 0), true);

// The confirmation box's white window with one check box.
struct Form {
    QWidget window;
    TXPCheckbox *box = new TXPCheckbox(&window);

    explicit Form(QSize size = QSize(97, 17))
    {
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, kWhite);
        window.setPalette(palette);
        window.resize(200, 40);
        box->setCaption(QStringLiteral("下次不再提示"));
        box->setGeometry(QRect(QPoint(10, 10), size));
    }

    // Shown without the focus that the window hands its only control.
    bool show()
    {
        window.show();
        window.activateWindow();
        const bool active = QTest::qWaitForWindowActive(&window);
        box->clearFocus();
        return active;
    }

    QImage image() const { return box->grab().toImage(); }
};

} // namespace

class TestXPCheckbox : public QObject {
    Q_OBJECT

private slots:
    void init() { QCursor::setPos(2000, 2000); }

    void defaults()
    {
        TXPCheckbox box;
        QCOMPARE(box.size(), QSize(161, 17));
        QVERIFY(!box.Checked());
        QCOMPARE(box.Spacing(), 3);
        QCOMPARE(box.focusPolicy(), Qt::StrongFocus);
    }

    void outlineAndFace_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("confirmation box") << QSize(97, 17);
        QTest::newRow("default") << QSize(161, 17);
    }

    void outlineAndFace()
    {
        QFETCH(QSize, size);
        Form form(size);
        QVERIFY(form.show());
        const QImage image = form.image();
        for (int i = 2; i <= 14; ++i)
            for (const QPoint p : {QPoint(2, i), QPoint(14, i), QPoint(i, 2), QPoint(i, 14)})
                QCOMPARE(image.pixelColor(p), kOutline);
        for (const QPoint p : {QPoint(1, 8), QPoint(15, 8), QPoint(8, 1), QPoint(8, 15)})
            QCOMPARE(image.pixelColor(p), kWhite);
        QCOMPARE(image.copy(3, 3, 11, 11), kFace);
    }

    void hotAndPressed()
    {
        Form form;
        QVERIFY(form.show());
        QTest::mouseMove(form.box, kOnBox);
        const QImage hot = form.image();
        for (const QPoint p : {QPoint(3, 8), QPoint(13, 8), QPoint(8, 3), QPoint(8, 13)})
            QCOMPARE(hot.pixelColor(p), kHotRing.pixelColor(p - QPoint(3, 3)));
        QCOMPARE(hot.copy(4, 4, 9, 9), kFace.copy(0, 0, 9, 9));
        QTest::mousePress(form.box, Qt::LeftButton, {}, kOnBox);
        const QImage pressed = form.image();
        QTest::mouseRelease(form.box, Qt::LeftButton, {}, kOnBox);
        QCOMPARE(pressed.copy(3, 3, 11, 11), kPressedFace);
    }

    void tickPixels()
    {
        // Black pixels of the tick, counted from 1 as in its drawing.
        const QList<QList<int>> rows{{7}, {6, 7}, {1, 5, 6, 7}, {1, 2, 4, 5, 6}, {1, 2, 3, 4, 5}, {2, 3, 4}, {3}};
        Form form;
        form.box->setChecked(true);
        QVERIFY(form.show());
        const QImage image = form.image();
        for (int y = 3; y < 14; ++y)
            for (int x = 3; x < 14; ++x) {
                const bool inTick = y >= 5 && y < 12 && rows[y - 5].contains(x - 4);
                QCOMPARE(image.pixelColor(x, y) == kTick, inTick);
                if (!inTick)
                    QCOMPARE(image.pixelColor(x, y), kFace.pixelColor(x - 3, y - 3));
            }
        form.box->setChecked(false);
        QCOMPARE(form.image().copy(3, 3, 11, 11), kFace);
    }

    void clicksToggle_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("twice");
        QTest::addColumn<int>("clicks");
        QTest::newRow("on the box") << kOnBox << false << 1;
        QTest::newRow("on the caption") << QPoint(60, 8) << false << 1;
        QTest::newRow("double click") << kOnBox << true << 2;
    }

    void clicksToggle()
    {
        QFETCH(QPoint, at);
        QFETCH(bool, twice);
        QFETCH(int, clicks);
        Form form;
        QVERIFY(form.show());
        QList<bool> seen;
        connect(form.box, &TXPCheckbox::clicked, this, [&] { seen.append(form.box->Checked()); });
        QTest::mouseClick(form.box, Qt::LeftButton, {}, at);
        if (twice) {
            QTest::mouseDClick(form.box, Qt::LeftButton, {}, at);
            QTest::mouseRelease(form.box, Qt::LeftButton, {}, at);
        }
        QCOMPARE(seen.size(), clicks);
        QCOMPARE(seen.first(), true);
        QCOMPARE(form.box->Checked(), clicks % 2 == 1);
    }

    void keysDoNotToggle()
    {
        Form form;
        QVERIFY(form.show());
        form.box->setFocus();
        QSignalSpy clicked(form.box, &TXPCheckbox::clicked);
        for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter})
            QTest::keyClick(form.box, key);
        QCOMPARE(clicked.count(), 0);
        QVERIFY(!form.box->Checked());
    }

    void focusRectangleRoundTheControl()
    {
        Form form;
        QVERIFY(form.show());
        const QImage plain = form.image();
        form.box->setFocus();
        const QImage focused = form.image();
        const QRect r = form.box->rect();
        for (int x = r.left(); x <= r.right(); ++x)
            for (int y = r.top(); y <= r.bottom(); ++y) {
                const bool edge = x == r.left() || x == r.right() || y == r.top() || y == r.bottom();
                const QRgb before = plain.pixel(x, y);
                const QRgb expected = edge && (x + y) % 2 == 0 ? (before ^ 0x00ffffff) : before;
                QCOMPARE(focused.pixel(x, y), expected);
            }
    }

    void captionPlacement()
    {
        Form form;
        form.box->setCaption(QStringLiteral("下"));
        QVERIFY(form.show());
        const QImage image = form.image();
        QRect ink;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 16; x < image.width(); ++x)
                if (image.pixelColor(x, y).lightness() < 128)
                    ink |= QRect(x, y, 1, 1);
        QVERIFY(ink.left() >= 20 && ink.left() <= 22);
        QVERIFY(std::abs(ink.top() - (image.height() - 1 - ink.bottom())) <= 3);
    }

    void disabledIgnoresTheMouse()
    {
        Form form;
        form.box->setEnabled(false);
        QVERIFY(form.show());
        QTest::mouseMove(form.box, kOnBox);
        QTest::mouseClick(form.box, Qt::LeftButton, {}, kOnBox);
        QVERIFY(!form.box->Checked());
        QCOMPARE(form.image().copy(3, 3, 11, 11), kFace);
    }
};

QTEST_MAIN(TestXPCheckbox)
#include "tst_xpcheckbox.moc"
