#include "widgets/xpcheckbox.h"
#include "xppictures.h"

#include <QSignalSpy>
#include <QTest>

using namespace XPPictures;

namespace {

const QColor kWhite(255, 255, 255);
const QColor kOutline(24, 81, 132);
const QColor kTick(33, 166, 33);
// Points in the check box's own coordinates.
const QPoint kOnBox(8, 8);
const QPoint kOutside(150, 20); // bare window right of the control

const QImage kFace = fromRows(11, kBoxFace);
const QImage kPressedFace = fromRows(11, kBoxPressedFace);
const QImage kHotRing = fromRows(11, kBoxHotRing);

// The confirmation box's white window with one check box. Input goes to the
// window at window coordinates, as the platform sends it.
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
        enterWindow(window, at(kOutside));
        return active;
    }

    QImage image() const { return box->grab().toImage(); }

    QWindow *handle() const { return window.windowHandle(); }
    QPoint at(QPoint inBox) const { return box->mapTo(&window, inBox); }
    void move(QPoint inBox) const { QTest::mouseMove(handle(), at(inBox)); }
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
        QCOMPARE(box.focusPolicy(), Qt::TabFocus);
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

    // A taller control centres the box: its outline starts (height - 13) / 2
    // from the top, and the face and tick follow it.
    void boxCentredInATallerControl()
    {
        Form form(QSize(97, 26));
        form.box->setChecked(true);
        QVERIFY(form.show());
        const QImage image = form.image();
        const int top = (26 - 13) / 2;
        for (int i = 0; i < 13; ++i)
            for (const QPoint p : {QPoint(2, top + i), QPoint(14, top + i), QPoint(2 + i, top), QPoint(2 + i, top + 12)})
                QCOMPARE(image.pixelColor(p), kOutline);
        QCOMPARE(image.pixelColor(8, top - 1), kWhite);
        QCOMPARE(image.pixelColor(8, top + 13), kWhite);
        QCOMPARE(image.pixelColor(3, top + 1), kFace.pixelColor(0, 0));
        QCOMPARE(image.pixelColor(13, top + 11), kFace.pixelColor(10, 10));
        // The tick's lowest pixel: column 3 of its last row.
        QCOMPARE(image.pixelColor(7, top + 9), kTick);
        QCOMPARE(image.pixelColor(7, top + 10), kFace.pixelColor(4, 9));
    }

    // Each bound line runs the whole length of its own side, in the border
    // colour, and no other side has one.
    void boundLinesAlongTheirSides_data()
    {
        QTest::addColumn<int>("lines");
        QTest::newRow("left") << int(TXPCheckbox::blLeft);
        QTest::newRow("top") << int(TXPCheckbox::blTop);
        QTest::newRow("right") << int(TXPCheckbox::blRight);
        QTest::newRow("bottom") << int(TXPCheckbox::blBottom);
        QTest::newRow("all") << int(TXPCheckbox::blLeft | TXPCheckbox::blTop | TXPCheckbox::blRight
                                    | TXPCheckbox::blBottom);
    }

    void boundLinesAlongTheirSides()
    {
        QFETCH(int, lines);
        Form form;
        form.box->setCaption(QString());
        form.box->setBoundLines(TXPCheckbox::TXPBoundLines(lines));
        QVERIFY(form.show());
        const QImage image = form.image();
        const QColor line(0, 56, 115);
        const QRect r = form.box->rect();
        auto side = [&](TXPCheckbox::TXPBoundLine which, QPoint from, QPoint step, int length) {
            const bool drawn = lines & which;
            for (int i = 0; i < length; ++i) {
                const QPoint p = from + i * step;
                QVERIFY2((image.pixelColor(p) == line) == drawn,
                         qPrintable(QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y())));
            }
        };
        side(TXPCheckbox::blLeft, r.topLeft() + QPoint(0, 1), QPoint(0, 1), r.height() - 2);
        side(TXPCheckbox::blRight, r.topRight() + QPoint(0, 1), QPoint(0, 1), r.height() - 2);
        side(TXPCheckbox::blTop, r.topLeft() + QPoint(1, 0), QPoint(1, 0), r.width() - 2);
        side(TXPCheckbox::blBottom, r.bottomLeft() + QPoint(1, 0), QPoint(1, 0), r.width() - 2);
    }

    void hotPressedAndDraggedOff()
    {
        Form form;
        QVERIFY(form.show());
        form.move(kOnBox);
        const QImage hot = form.image();
        for (const QPoint p : {QPoint(3, 8), QPoint(13, 8), QPoint(8, 3), QPoint(8, 13)})
            QCOMPARE(hot.pixelColor(p), kHotRing.pixelColor(p - QPoint(3, 3)));
        QCOMPARE(hot.copy(4, 4, 9, 9), kFace.copy(0, 0, 9, 9));
        QTest::mousePress(form.handle(), Qt::LeftButton, {}, form.at(kOnBox));
        QCOMPARE(form.image().copy(3, 3, 11, 11), kPressedFace);
        // Dragged off, the box shows its plain face without a ring.
        form.move(kOutside);
        QCOMPARE(form.image().copy(3, 3, 11, 11), kFace);
        QTest::mouseRelease(form.handle(), Qt::LeftButton, {}, form.at(kOutside));
        QVERIFY(!form.box->Checked());
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
        if (twice)
            QTest::mouseDClick(form.handle(), Qt::LeftButton, {}, form.at(at));
        else
            QTest::mouseClick(form.handle(), Qt::LeftButton, {}, form.at(at));
        QCOMPARE(seen.size(), clicks);
        QCOMPARE(seen.first(), true);
        QCOMPARE(form.box->Checked(), clicks % 2 == 1);
        QVERIFY(form.box->hasFocus());
    }

    void keysDoNotToggle()
    {
        Form form;
        QVERIFY(form.show());
        QTest::keyClick(form.handle(), Qt::Key_Tab);
        QVERIFY(form.box->hasFocus());
        QSignalSpy clicked(form.box, &TXPCheckbox::clicked);
        for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter})
            QTest::keyClick(form.handle(), key);
        QCOMPARE(clicked.count(), 0);
        QVERIFY(!form.box->Checked());
    }

    void focusRectangleRoundTheControl()
    {
        Form form;
        QVERIFY(form.show());
        const QImage plain = form.image();
        QTest::keyClick(form.handle(), Qt::Key_Tab);
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

    void captionAtTwentyCentredVertically_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::newRow("下次不再提示") << QStringLiteral("下次不再提示");
        QTest::newRow("Wg") << QStringLiteral("Wg");
    }

    void captionAtTwentyCentredVertically()
    {
        QFETCH(QString, caption);
        Form form;
        form.box->setCaption(QString());
        QVERIFY(form.show());
        const QImage plain = form.image();
        form.box->setCaption(caption);
        const QPoint at(20, (17 - captionSize(caption, form.box->font()).height()) / 2);
        const QColor ink = form.box->palette().color(QPalette::WindowText);
        QCOMPARE(form.image(), withCaption(plain, caption, form.box->font(), ink, at));
    }

    void disabledCaptionEngraved()
    {
        Form form;
        QPalette palette = form.box->palette();
        palette.setColor(QPalette::Light, Qt::red);
        palette.setColor(QPalette::Dark, Qt::blue);
        form.box->setPalette(palette);
        form.box->setEnabled(false);
        form.box->setCaption(QString());
        QVERIFY(form.show());
        const QImage plain = form.image();
        const QString caption = QStringLiteral("下次不再提示");
        form.box->setCaption(caption);
        // The highlight one pixel down and right first, the shadow over it.
        const QFont font = form.box->font();
        const QPoint at(20, (17 - captionSize(caption, font).height()) / 2);
        const QImage light = withCaption(plain, caption, font, Qt::red, at + QPoint(1, 1));
        const QImage engraved = withCaption(light, caption, font, Qt::blue, at);
        QVERIFY(engraved != withCaption(withCaption(plain, caption, font, Qt::blue, at), caption, font, Qt::red,
                                        at + QPoint(1, 1)));
        QCOMPARE(form.image(), engraved);
    }

    // Disabled under the pointer, the box loses its hot ring; enabled again
    // there, it has it back.
    void disablingDropsTheHotRing()
    {
        Form form;
        QVERIFY(form.show());
        form.move(kOnBox);
        QCOMPARE(form.image().pixelColor(3, 8), kHotRing.pixelColor(0, 5));
        form.box->setEnabled(false);
        QCOMPARE(form.image().copy(3, 3, 11, 11), kFace);
        form.box->setEnabled(true);
        QCOMPARE(form.image().pixelColor(3, 8), kHotRing.pixelColor(0, 5));
        QCOMPARE(form.image().copy(4, 4, 9, 9), kFace.copy(0, 0, 9, 9));
    }

    void disabledIgnoresTheMouse()
    {
        Form form;
        form.box->setEnabled(false);
        QVERIFY(form.show());
        form.move(kOnBox);
        QTest::mouseClick(form.handle(), Qt::LeftButton, {}, form.at(kOnBox));
        QVERIFY(!form.box->Checked());
        QCOMPARE(form.image().copy(3, 3, 11, 11), kFace);
    }
};

QTEST_MAIN(TestXPCheckbox)
#include "tst_xpcheckbox.moc"
