#include "widgets/gradientbuilder.h"
#include "widgets/xpbutton.h"

#include <QDialog>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

namespace {

const QColor kBackground(212, 208, 200);
const QColor kBorder(0, 56, 115);
const QColor kDisabledEdge(206, 199, 189);
const QPoint kCentre(36, 10);
const QPoint kOutside(-30, 10);

// The button's pictures at the default size; 19 rows in 64 steps leave the
// dithering nothing to choose, so they are the same on every run.
QImage picture(QColor top, QColor bottom)
{
    return buildGradient(71, 19, top, bottom, 64, GradientDirection::TopToBottom, true);
}
const QImage kFace = picture(QColor(255, 255, 255), QColor(239, 235, 231));
const QImage kPressedFace = picture(QColor(214, 207, 198), QColor(247, 243, 235));
const QImage kFocusRing = picture(QColor(206, 231, 255), QColor(109, 132, 239));
const QImage kHotRing = picture(QColor(255, 243, 206), QColor(231, 150, 0));

// A window with the button under test, a second styled button and an edit.
struct Form {
    QWidget window;
    TXPButton *button = new TXPButton(&window);
    TXPButton *other = new TXPButton(&window);
    QLineEdit *edit = new QLineEdit(&window);

    Form()
    {
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, kBackground);
        window.setPalette(palette);
        window.resize(260, 90);
        button->move(10, 10);
        other->move(100, 10);
        edit->move(10, 50);
    }

    // Shown with the focus in the edit, away from the styled buttons.
    bool show()
    {
        window.show();
        window.activateWindow();
        const bool active = QTest::qWaitForWindowActive(&window);
        edit->setFocus();
        return active;
    }
};

bool closeTo(QColor a, QColor b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
           && std::abs(a.blue() - b.blue()) <= tolerance;
}

QRect boundsOf(const QImage &image, const std::function<bool(QColor)> &match)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (match(image.pixelColor(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

enum class Pose { Normal, Hot, Focused, Pressed, DraggedOff, DefaultOutsideStyled, DefaultInsideStyled };

} // namespace

class TestXPButton : public QObject {
    Q_OBJECT

private slots:
    void init() { QCursor::setPos(2000, 2000); }

    void defaultSizeBorderAndFace()
    {
        Form form;
        QVERIFY(form.show());
        QCOMPARE(form.button->size(), QSize(73, 21));
        const QImage image = form.button->grab().toImage();
        for (const QPoint edge : {QPoint(36, 0), QPoint(36, 20), QPoint(0, 10), QPoint(72, 10), QPoint(2, 0)})
            QCOMPARE(image.pixelColor(edge), kBorder);
        for (const QPoint corner : {QPoint(0, 0), QPoint(72, 0), QPoint(0, 20), QPoint(72, 20)})
            QCOMPARE(image.pixelColor(corner), kBackground);
        for (const QPoint soft : {QPoint(1, 0), QPoint(0, 1), QPoint(71, 0), QPoint(72, 1), QPoint(0, 19),
                                  QPoint(1, 20), QPoint(71, 20), QPoint(72, 19)})
            QCOMPARE(image.pixelColor(soft), QColor(123, 158, 173));
        QCOMPARE(image.copy(1, 1, 71, 19), kFace);
        QCOMPARE(image.pixelColor(1, 1), QColor(255, 255, 255));
        QVERIFY(closeTo(image.pixelColor(71, 19), QColor(239, 235, 231), 1));
    }

    void ringsAndFaces_data()
    {
        QTest::addColumn<Pose>("pose");
        QTest::addColumn<QImage>("ring");
        QTest::addColumn<QImage>("face");
        QTest::addColumn<int>("faceAt");
        QTest::newRow("normal") << Pose::Normal << QImage() << kFace << 1;
        QTest::newRow("pointer over it") << Pose::Hot << kHotRing << kFace << 3;
        QTest::newRow("focused") << Pose::Focused << kFocusRing << kFace << 3;
        QTest::newRow("pressed") << Pose::Pressed << QImage() << kPressedFace << 1;
        QTest::newRow("pressed, dragged off") << Pose::DraggedOff << kFocusRing << kFace << 3;
        QTest::newRow("default, focus in an edit") << Pose::DefaultOutsideStyled << kFocusRing << kFace << 3;
        QTest::newRow("default, focus on a styled button") << Pose::DefaultInsideStyled << QImage() << kFace << 1;
    }

    void ringsAndFaces()
    {
        QFETCH(Pose, pose);
        QFETCH(QImage, ring);
        QFETCH(QImage, face);
        QFETCH(int, faceAt);
        Form form;
        QVERIFY(form.show());
        TXPButton &button = *form.button;
        if (pose == Pose::Hot || pose == Pose::Pressed || pose == Pose::DraggedOff)
            QTest::mouseMove(&button, kCentre);
        if (pose == Pose::Pressed || pose == Pose::DraggedOff)
            QTest::mousePress(&button, Qt::LeftButton, {}, kCentre);
        if (pose == Pose::DraggedOff)
            QTest::mouseMove(&button, kOutside);
        if (pose == Pose::Focused)
            button.setFocus();
        if (pose == Pose::DefaultOutsideStyled || pose == Pose::DefaultInsideStyled) {
            (pose == Pose::DefaultOutsideStyled ? static_cast<QWidget *>(form.edit) : form.other)->setFocus();
            button.setDefault(true);
        }
        const QImage image = button.grab().toImage();
        QTest::mouseRelease(&button, Qt::LeftButton, {}, kOutside);

        QImage expected(71, 19, QImage::Format_RGB32);
        QPainter painter(&expected);
        if (!ring.isNull())
            painter.drawImage(0, 0, ring);
        painter.drawImage(QPoint(faceAt - 1, faceAt - 1), face, QRect(0, 0, 73 - 2 * faceAt, 21 - 2 * faceAt));
        painter.end();
        QCOMPARE(image.copy(1, 1, 71, 19), expected);
    }

    void ringColours()
    {
        // The rings run from light to orange and to blue.
        QVERIFY(closeTo(kHotRing.pixelColor(0, 18), QColor(231, 150, 0), 8));
        QVERIFY(closeTo(kFocusRing.pixelColor(0, 18), QColor(109, 132, 239), 8));
        QVERIFY(closeTo(kHotRing.pixelColor(0, 0), QColor(255, 243, 206), 2));
    }

    void mouseClicks_data()
    {
        QTest::addColumn<QList<QPoint>>("path"); // press, moves, release
        QTest::addColumn<int>("clicks");
        QTest::newRow("press and release inside") << QList<QPoint>{kCentre, kCentre} << 1;
        QTest::newRow("released outside") << QList<QPoint>{kCentre, kOutside, kOutside} << 0;
        QTest::newRow("dragged off and back") << QList<QPoint>{kCentre, kOutside, kCentre, kCentre} << 1;
    }

    void mouseClicks()
    {
        QFETCH(QList<QPoint>, path);
        QFETCH(int, clicks);
        Form form;
        QVERIFY(form.show());
        QSignalSpy clicked(form.button, &TXPButton::clicked);
        QTest::mouseMove(form.button, path.first());
        QTest::mousePress(form.button, Qt::LeftButton, {}, path.first());
        for (qsizetype i = 1; i + 1 < path.size(); ++i)
            QTest::mouseMove(form.button, path[i]);
        QTest::mouseRelease(form.button, Qt::LeftButton, {}, path.last());
        QCOMPARE(clicked.count(), clicks);
        QVERIFY(form.button->hasFocus());
    }

    void doubleClickIsTwoClicks()
    {
        Form form;
        QVERIFY(form.show());
        QSignalSpy clicked(form.button, &TXPButton::clicked);
        QTest::mouseClick(form.button, Qt::LeftButton, {}, kCentre);
        QTest::mouseDClick(form.button, Qt::LeftButton, {}, kCentre);
        QTest::mouseRelease(form.button, Qt::LeftButton, {}, kCentre);
        QTest::mouseClick(form.button, Qt::RightButton, {}, kCentre);
        QCOMPARE(clicked.count(), 2);
    }

    void keyClicks_data()
    {
        QTest::addColumn<QString>("keys"); // +k press, -k release, k press and release
        QTest::addColumn<bool>("showAccelChar");
        QTest::addColumn<int>("clicks");
        QTest::newRow("Space down and up") << "+space -space" << true << 1;
        QTest::newRow("another key up while Space holds") << "+space -shift -space" << true << 1;
        QTest::newRow("Ctrl+Space") << "+ctrlspace -ctrlspace" << true << 0;
        QTest::newRow("Enter") << "enter" << true << 1;
        QTest::newRow("accelerator letter") << "a" << true << 1;
        QTest::newRow("Alt with accelerator") << "alt-a" << true << 1;
        QTest::newRow("Alt with another letter") << "alt-b" << true << 0;
        QTest::newRow("accelerator not shown") << "a alt-a" << false << 0;
    }

    void keyClicks()
    {
        QFETCH(QString, keys);
        QFETCH(bool, showAccelChar);
        QFETCH(int, clicks);
        Form form;
        form.button->setCaption(QStringLiteral("&Apply"));
        form.button->setShowAccelChar(showAccelChar);
        QVERIFY(form.show());
        form.button->setFocus();
        QSignalSpy clicked(form.button, &TXPButton::clicked);
        TXPButton *b = form.button;
        for (const QString &key : keys.split(u' ')) {
            if (key == u"+space")
                QTest::keyPress(b, Qt::Key_Space);
            else if (key == u"-space")
                QTest::keyRelease(b, Qt::Key_Space);
            else if (key == u"+ctrlspace")
                QTest::keyPress(b, Qt::Key_Space, Qt::ControlModifier);
            else if (key == u"-ctrlspace")
                QTest::keyRelease(b, Qt::Key_Space, Qt::ControlModifier);
            else if (key == u"-shift")
                QTest::keyRelease(b, Qt::Key_Shift);
            else if (key == u"enter")
                QTest::keyClick(b, Qt::Key_Return);
            else if (key.startsWith(u"alt-")) {
                form.edit->setFocus();
                QTest::keyClick(form.edit, key.back().toLatin1(), Qt::AltModifier);
            }
            else
                QTest::keyClick(b, key.front().toLatin1());
        }
        QCOMPARE(clicked.count(), clicks);
    }

    void dialogKeys_data()
    {
        QTest::addColumn<bool>("isDefault");
        QTest::addColumn<bool>("isCancel");
        QTest::addColumn<bool>("focusOnStyled");
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("clicks");
        const Qt::KeyboardModifiers none;
        QTest::newRow("default, Enter in an edit") << true << false << false << int(Qt::Key_Return) << none << 1;
        QTest::newRow("default, Enter on a styled button") << true << false << true << int(Qt::Key_Enter) << none << 0;
        QTest::newRow("plain, Enter in an edit") << false << false << false << int(Qt::Key_Return) << none << 0;
        QTest::newRow("default, Escape") << true << false << false << int(Qt::Key_Escape) << none << 0;
        QTest::newRow("cancel, Escape in an edit") << false << true << false << int(Qt::Key_Escape) << none << 1;
        QTest::newRow("cancel, Escape on a styled button") << false << true << true << int(Qt::Key_Escape) << none << 1;
        QTest::newRow("cancel, Shift+Escape") << false << true << false << int(Qt::Key_Escape)
                                              << Qt::KeyboardModifiers(Qt::ShiftModifier) << 0;
        QTest::newRow("plain, Escape") << false << false << false << int(Qt::Key_Escape) << none << 0;
    }

    void dialogKeys()
    {
        QFETCH(bool, isDefault);
        QFETCH(bool, isCancel);
        QFETCH(bool, focusOnStyled);
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, clicks);
        Form form;
        form.button->setDefault(isDefault);
        form.button->setCancel(isCancel);
        QVERIFY(form.show());
        QWidget *focus = focusOnStyled ? static_cast<QWidget *>(form.other) : form.edit;
        focus->setFocus();
        QSignalSpy clicked(form.button, &TXPButton::clicked);
        QTest::keyClick(focus, Qt::Key(key), modifiers);
        QCOMPARE(clicked.count(), clicks);
    }

    void disabledButton()
    {
        Form form;
        TXPButton &button = *form.button;
        button.setCaption(QStringLiteral("确  定"));
        QPalette palette = button.palette();
        palette.setColor(QPalette::Light, Qt::red);
        palette.setColor(QPalette::Dark, Qt::blue);
        button.setPalette(palette);
        button.setEnabled(false);
        QVERIFY(form.show());
        QSignalSpy clicked(&button, &TXPButton::clicked);
        QTest::mouseMove(&button, kCentre);
        QTest::mouseClick(&button, Qt::LeftButton, {}, kCentre);
        QCOMPARE(clicked.count(), 0);

        const QImage image = button.grab().toImage();
        QCOMPARE(image.pixelColor(36, 0), kDisabledEdge);
        QCOMPARE(image.pixelColor(1, 0), kDisabledEdge);
        QCOMPARE(image.pixelColor(1, 10), kFace.pixelColor(0, 9));
        // Engraved: the highlight shows one pixel below and right of the shadow.
        const QRect light = boundsOf(image, [](QColor c) { return c.red() > 200 && c.blue() < 80; });
        const QRect dark = boundsOf(image, [](QColor c) { return c.blue() > 200 && c.red() < 80; });
        QVERIFY(!dark.isEmpty());
        QCOMPARE(light.bottomRight(), dark.bottomRight() + QPoint(1, 1));
        QVERIFY(boundsOf(image, [](QColor c) { return c.lightness() < 40; }).isEmpty());
    }

    void glyphTransparentAndGreyed_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QColor>("shown");
        QTest::newRow("enabled") << true << QColor(Qt::red);
        QTest::newRow("disabled: (255 + 0 + 0) / 3 + 100") << false << QColor(185, 185, 185);
    }

    void glyphTransparentAndGreyed()
    {
        QFETCH(bool, enabled);
        QFETCH(QColor, shown);
        QImage glyph(4, 4, QImage::Format_RGB32);
        glyph.fill(Qt::red);
        glyph.setPixelColor(0, 3, QColor(192, 192, 192));
        glyph.setPixelColor(3, 0, QColor(192, 192, 192));
        Form form;
        form.button->setGlyph(glyph);
        form.button->setEnabled(enabled);
        QVERIFY(form.show());
        const QImage image = form.button->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixelColor(x, y) == shown ? 1 : 0;
        QCOMPARE(count, 14);
    }

    void modalResult_data()
    {
        QTest::addColumn<int>("modalResult");
        QTest::newRow("none") << 0;
        QTest::newRow("seven") << 7;
    }

    void modalResult()
    {
        QFETCH(int, modalResult);
        QDialog dialog;
        TXPButton button(&dialog);
        button.setModalResult(modalResult);
        int resultAtClick = 0;
        connect(&button, &TXPButton::clicked, this, [&] { resultAtClick = dialog.result(); });
        dialog.open();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.setResult(-1);
        QTest::mouseClick(&button, Qt::LeftButton, {}, kCentre);
        QCOMPARE(resultAtClick, modalResult == 0 ? -1 : modalResult);
        QCOMPARE(dialog.isVisible(), modalResult == 0);
    }

    void hotRingHandedOverAfterRelease()
    {
        Form form;
        QVERIFY(form.show());
        QSignalSpy entered(form.other, &TXPButton::mouseEntered);
        const QPoint overOther = form.other->geometry().center() - form.button->pos();
        QTest::mouseMove(form.button, kCentre);
        QTest::mousePress(form.button, Qt::LeftButton, {}, kCentre);
        QTest::mouseMove(form.button, overOther);
        QTest::mouseRelease(form.button, Qt::LeftButton, {}, overOther);
        QCOMPARE(entered.count(), 1);
        QCOMPARE(form.other->grab().toImage().pixelColor(1, 10), kHotRing.pixelColor(0, 9));
        QCOMPARE(form.button->grab().toImage().pixelColor(1, 10), kFocusRing.pixelColor(0, 9));
    }
};

QTEST_MAIN(TestXPButton)
#include "tst_xpbutton.moc"
