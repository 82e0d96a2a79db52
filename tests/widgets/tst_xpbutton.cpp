#include "widgets/xpbutton.h"
#include "xppictures.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

using namespace XPPictures;

namespace {

const QColor kBackground(212, 208, 200);
const QColor kBorder(0, 56, 115);
const QColor kDisabledEdge(206, 199, 189);
const QColor kSmoothEdge(123, 158, 173);
// Points in the button's own coordinates.
const QPoint kCentre(36, 10);
const QPoint kOutside(80, 30); // bare window between the buttons and the edit

const QImage kFace = fromRows(71, kButtonFace);
const QImage kPressedFace = fromRows(71, kButtonPressedFace);
const QImage kFocusRing = fromRows(71, kButtonFocusRing);
const QImage kHotRing = fromRows(71, kButtonHotRing);

// A window with the button under test, a second styled button and an edit.
// Input goes to the window at window coordinates, as the platform sends it.
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

    // Shown with the focus in the edit, away from the styled buttons, and
    // the pointer on the bare window.
    bool show()
    {
        window.show();
        window.activateWindow();
        const bool active = QTest::qWaitForWindowActive(&window);
        edit->setFocus();
        enterWindow(window, at(kOutside));
        return active;
    }

    QWindow *handle() const { return window.windowHandle(); }
    QPoint at(QPoint inButton, const QWidget *control = nullptr) const
    {
        return (control ? control : button)->mapTo(&window, inButton);
    }
    void move(QPoint inButton) const { QTest::mouseMove(handle(), at(inButton)); }
    void press(QPoint inButton) const { QTest::mousePress(handle(), Qt::LeftButton, {}, at(inButton)); }
    void release(QPoint inButton) const { QTest::mouseRelease(handle(), Qt::LeftButton, {}, at(inButton)); }
    void click(QPoint inButton, Qt::MouseButton mouseButton = Qt::LeftButton, const QWidget *control = nullptr) const
    {
        QTest::mouseClick(handle(), mouseButton, {}, at(inButton, control));
    }
    void key(QTest::KeyAction action, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const
    {
        QTest::keyEvent(action, handle(), key, modifiers);
    }
    // Tab from the edit wraps round to the first button.
    void tabToButton() const { QTest::keyClick(handle(), Qt::Key_Tab); }
};

bool closeTo(QColor a, QColor b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
           && std::abs(a.blue() - b.blue()) <= tolerance;
}

// The inside of the border of a button of the given size: an optional ring,
// then the face at (faceAt, faceAt) in button coordinates, as wide as the
// ring leaves room for.
QImage inside(const QImage &ring, const QImage &face, int faceAt, QSize button = {73, 21})
{
    QImage expected(button - QSize(2, 2), QImage::Format_RGB32);
    QPainter painter(&expected);
    if (!ring.isNull())
        painter.drawImage(0, 0, ring);
    painter.drawImage(QPoint(faceAt - 1, faceAt - 1), face,
                      QRect(0, 0, button.width() - 2 * faceAt, button.height() - 2 * faceAt));
    return expected;
}

// The border: one line along each side short of the corners, the corners
// themselves left to the background, and each corner cut by two pixels of
// the smoothing colour.
void checkBorder(const QImage &image, const QColor &line, const QColor &smooth)
{
    const int w = image.width();
    const int h = image.height();
    for (int x = 2; x < w - 2; ++x) {
        QCOMPARE(image.pixelColor(x, 0), line);
        QCOMPARE(image.pixelColor(x, h - 1), line);
    }
    for (int y = 2; y < h - 2; ++y) {
        QCOMPARE(image.pixelColor(0, y), line);
        QCOMPARE(image.pixelColor(w - 1, y), line);
    }
    for (const QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
        QCOMPARE(image.pixelColor(corner), kBackground);
    for (const QPoint soft : {QPoint(1, 0), QPoint(0, 1), QPoint(w - 2, 0), QPoint(w - 1, 1), QPoint(0, h - 2),
                              QPoint(1, h - 1), QPoint(w - 2, h - 1), QPoint(w - 1, h - 2)})
        QCOMPARE(image.pixelColor(soft), smooth);
}

// Counts the paints the platform delivers to one widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

enum class Pose {
    Normal,
    Hot,
    HotFocused,
    Focused,
    Pressed,
    DraggedOff,
    SpaceHeld,
    SpaceLetGoPointerAway,
    SpaceHeldTabAway,
    DefaultOutsideStyled,
    DefaultInsideStyled
};

void takePose(Form &form, Pose pose)
{
    switch (pose) {
    case Pose::Normal:
        break;
    case Pose::Hot:
        form.move(kCentre);
        break;
    case Pose::HotFocused:
        form.move(kCentre);
        form.click(kCentre);
        break;
    case Pose::Focused:
        form.tabToButton();
        break;
    case Pose::Pressed:
        form.move(kCentre);
        form.press(kCentre);
        break;
    case Pose::DraggedOff:
        form.move(kCentre);
        form.press(kCentre);
        form.move(kOutside);
        break;
    case Pose::SpaceHeld:
    case Pose::SpaceLetGoPointerAway:
    case Pose::SpaceHeldTabAway:
        // Space makes the button hot wherever the pointer is.
        form.tabToButton();
        form.key(QTest::Press, Qt::Key_Space);
        if (pose == Pose::SpaceLetGoPointerAway)
            form.key(QTest::Release, Qt::Key_Space);
        if (pose == Pose::SpaceHeldTabAway)
            form.key(QTest::Click, Qt::Key_Tab);
        break;
    case Pose::DefaultOutsideStyled:
        form.button->setDefault(true);
        break;
    case Pose::DefaultInsideStyled:
        form.click(kCentre, Qt::LeftButton, form.other);
        form.move(kOutside);
        form.button->setDefault(true);
        break;
    }
}

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
        QTest::newRow("pointer over it and focused") << Pose::HotFocused << kHotRing << kFace << 3;
        QTest::newRow("focused") << Pose::Focused << kFocusRing << kFace << 3;
        QTest::newRow("pressed") << Pose::Pressed << QImage() << kPressedFace << 1;
        QTest::newRow("pressed, dragged off") << Pose::DraggedOff << kFocusRing << kFace << 3;
        QTest::newRow("Space held") << Pose::SpaceHeld << QImage() << kPressedFace << 1;
        QTest::newRow("Space let go, pointer away") << Pose::SpaceLetGoPointerAway << kFocusRing << kFace << 3;
        QTest::newRow("Space held, Tab away") << Pose::SpaceHeldTabAway << kHotRing << kFace << 3;
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
        takePose(form, pose);
        const QImage image = form.button->grab().toImage();
        QCOMPARE(image.copy(1, 1, 71, 19), inside(ring, face, faceAt));
    }

    // A button of another size builds its pictures for that size: the face
    // fills the whole inside (the rows of a 21 pixel high face do not depend
    // on its width), the ring keeps its two pixel frame, and the border and
    // its smoothed corners follow the edges.
    void resizedButtonFaceAndRing_data()
    {
        QTest::addColumn<Pose>("pose");
        QTest::addColumn<QList<QRgb>>("ring");
        QTest::addColumn<QList<QRgb>>("face");
        QTest::addColumn<int>("faceAt");
        QTest::newRow("normal") << Pose::Normal << QList<QRgb>() << kButtonFace << 1;
        QTest::newRow("pointer over it") << Pose::Hot << kButtonHotRing << kButtonFace << 3;
        QTest::newRow("focused") << Pose::Focused << kButtonFocusRing << kButtonFace << 3;
        QTest::newRow("pressed") << Pose::Pressed << QList<QRgb>() << kButtonPressedFace << 1;
    }

    void resizedButtonFaceAndRing()
    {
        QFETCH(Pose, pose);
        QFETCH(QList<QRgb>, ring);
        QFETCH(QList<QRgb>, face);
        QFETCH(int, faceAt);
        const QSize size(120, 21);
        Form form;
        form.button->resize(size);
        form.other->move(140, 10);
        QVERIFY(form.show());
        takePose(form, pose);
        const QImage image = form.button->grab().toImage();
        QCOMPARE(image.size(), size);
        checkBorder(image, kBorder, kSmoothEdge);
        const QImage expected =
            inside(ring.isEmpty() ? QImage() : fromRows(118, ring), fromRows(118, face), faceAt, size);
        QCOMPARE(image.copy(1, 1, 118, 19), expected);
    }

    void withoutSmoothEdgesTheCornersStayBorder()
    {
        Form form;
        form.button->setSmoothEdges(false);
        QVERIFY(form.show());
        const QImage image = form.button->grab().toImage();
        for (const QPoint p : {QPoint(1, 0), QPoint(0, 1), QPoint(71, 0), QPoint(72, 1), QPoint(0, 19),
                               QPoint(1, 20), QPoint(71, 20), QPoint(72, 19)})
            QCOMPARE(image.pixelColor(p), kBorder);
        for (const QPoint corner : {QPoint(0, 0), QPoint(72, 0), QPoint(0, 20), QPoint(72, 20)})
            QCOMPARE(image.pixelColor(corner), kBackground);
    }

    // Between beginUpdate and endUpdate a change of look waits: the control
    // is not painted again until the lock is let go.
    void repaintLockHoldsPaintsBack()
    {
        Form form;
        QVERIFY(form.show());
        PaintCounter buttonPaints(form.button);
        PaintCounter otherPaints(form.other);
        form.move(kCentre);
        QTRY_VERIFY(buttonPaints.count > 0);
        form.move(kOutside);

        form.button->beginUpdate();
        buttonPaints.count = 0;
        form.move(kCentre);
        form.press(kCentre);
        form.button->setDefault(true);
        // A paint of the window that the other button asks for comes and
        // goes without the locked one.
        form.other->update();
        QTRY_VERIFY(otherPaints.count > 0);
        QCOMPARE(buttonPaints.count, 0);

        form.button->endUpdate();
        QTRY_VERIFY(buttonPaints.count > 0);
        form.release(kCentre);
    }

    void onlyTheLeftButtonTakesTheFocus_data()
    {
        QTest::addColumn<Qt::MouseButton>("mouseButton");
        QTest::newRow("right") << Qt::RightButton;
        QTest::newRow("middle") << Qt::MiddleButton;
    }

    void onlyTheLeftButtonTakesTheFocus()
    {
        QFETCH(Qt::MouseButton, mouseButton);
        Form form;
        form.other->setDefault(true);
        QVERIFY(form.show());
        QSignalSpy clicked(form.button, &TXPButton::clicked);
        form.move(kCentre);
        form.click(kCentre, mouseButton);
        QCOMPARE(QApplication::focusWidget(), form.edit);
        QCOMPARE(clicked.count(), 0);
        // The default button elsewhere keeps its ring.
        QCOMPARE(form.other->grab().toImage().copy(1, 1, 71, 19), inside(kFocusRing, kFace, 3));
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
        form.move(path.first());
        form.press(path.first());
        for (qsizetype i = 1; i + 1 < path.size(); ++i)
            form.move(path[i]);
        form.release(path.last());
        QCOMPARE(clicked.count(), clicks);
        QVERIFY(form.button->hasFocus());
    }

    void doubleClickIsTwoClicks()
    {
        Form form;
        QVERIFY(form.show());
        QSignalSpy clicked(form.button, &TXPButton::clicked);
        QTest::mouseDClick(form.handle(), Qt::LeftButton, {}, form.at(kCentre));
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
        form.tabToButton();
        QSignalSpy clicked(form.button, &TXPButton::clicked);
        for (const QString &key : keys.split(u' ')) {
            if (key == u"+space")
                form.key(QTest::Press, Qt::Key_Space);
            else if (key == u"-space")
                form.key(QTest::Release, Qt::Key_Space);
            else if (key == u"+ctrlspace")
                form.key(QTest::Press, Qt::Key_Space, Qt::ControlModifier);
            else if (key == u"-ctrlspace")
                form.key(QTest::Release, Qt::Key_Space, Qt::ControlModifier);
            else if (key == u"-shift")
                form.key(QTest::Release, Qt::Key_Shift);
            else if (key == u"enter")
                QTest::keyClick(form.handle(), Qt::Key_Return);
            else if (key.startsWith(u"alt-")) {
                form.edit->setFocus();
                QTest::keyClick(form.handle(), key.back().toLatin1(), Qt::AltModifier);
            }
            else
                QTest::keyClick(form.handle(), key.front().toLatin1());
        }
        QCOMPARE(clicked.count(), clicks);
    }

    void dialogKeys_data()
    {
        QTest::addColumn<bool>("isDefault");
        QTest::addColumn<bool>("isCancel");
        QTest::addColumn<bool>("focusOnStyled");
        QTest::addColumn<QString>("state"); // "", "disabled" or "hidden"
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("clicks");
        const Qt::KeyboardModifiers none;
        const int enter = Qt::Key_Return;
        const int escape = Qt::Key_Escape;
        QTest::newRow("default, Enter in an edit") << true << false << false << "" << enter << none << 1;
        QTest::newRow("default, Enter on a styled button") << true << false << true << "" << int(Qt::Key_Enter)
                                                           << none << 0;
        QTest::newRow("default disabled, Enter") << true << false << false << "disabled" << enter << none << 0;
        QTest::newRow("default hidden, Enter") << true << false << false << "hidden" << enter << none << 0;
        QTest::newRow("plain, Enter in an edit") << false << false << false << "" << enter << none << 0;
        QTest::newRow("default, Escape") << true << false << false << "" << escape << none << 0;
        QTest::newRow("cancel, Escape in an edit") << false << true << false << "" << escape << none << 1;
        QTest::newRow("cancel, Escape on a styled button") << false << true << true << "" << escape << none << 1;
        QTest::newRow("cancel disabled, Escape") << false << true << false << "disabled" << escape << none << 0;
        QTest::newRow("cancel hidden, Escape") << false << true << false << "hidden" << escape << none << 0;
        QTest::newRow("cancel, Shift+Escape") << false << true << false << "" << escape
                                              << Qt::KeyboardModifiers(Qt::ShiftModifier) << 0;
        QTest::newRow("plain, Escape") << false << false << false << "" << escape << none << 0;
    }

    void dialogKeys()
    {
        QFETCH(bool, isDefault);
        QFETCH(bool, isCancel);
        QFETCH(bool, focusOnStyled);
        QFETCH(QString, state);
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, clicks);
        Form form;
        form.button->setDefault(isDefault);
        form.button->setCancel(isCancel);
        form.button->setEnabled(state != u"disabled");
        QVERIFY(form.show());
        form.button->setVisible(state != u"hidden");
        if (focusOnStyled)
            form.click(kCentre, Qt::LeftButton, form.other);
        QSignalSpy clicked(form.button, &TXPButton::clicked);
        QTest::keyClick(form.handle(), Qt::Key(key), modifiers);
        QCOMPARE(clicked.count(), clicks);
    }

    void captionCentredAndShiftedWhenPressed_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::newRow("确  定") << QStringLiteral("确  定");
        QTest::newRow("X") << QStringLiteral("X");
        QTest::newRow("移  除") << QStringLiteral("移  除");
    }

    void captionCentredAndShiftedWhenPressed()
    {
        QFETCH(QString, caption);
        Form form;
        QVERIFY(form.show());
        TXPButton &button = *form.button;
        form.move(kCentre);
        form.press(kCentre);
        const QImage pressedPlain = button.grab().toImage();
        form.release(kOutside);
        const QImage plain = button.grab().toImage();

        button.setCaption(caption);
        const QSize size = captionSize(caption, button.font());
        const QPoint centred((73 - size.width()) / 2, (21 - size.height()) / 2);
        const QColor ink = button.palette().color(QPalette::WindowText);
        QCOMPARE(button.grab().toImage(), withCaption(plain, caption, button.font(), ink, centred));
        form.move(kCentre);
        form.press(kCentre);
        QCOMPARE(button.grab().toImage(),
                 withCaption(pressedPlain, caption, button.font(), ink, centred + QPoint(1, 1)));
    }

    void disabledButton()
    {
        Form form;
        TXPButton &button = *form.button;
        QPalette palette = button.palette();
        palette.setColor(QPalette::Light, Qt::red);
        palette.setColor(QPalette::Dark, Qt::blue);
        button.setPalette(palette);
        button.setEnabled(false);
        QVERIFY(form.show());
        QSignalSpy clicked(&button, &TXPButton::clicked);
        form.move(kCentre);
        form.click(kCentre);
        QCOMPARE(clicked.count(), 0);

        const QImage plain = button.grab().toImage();
        checkBorder(plain, kDisabledEdge, kDisabledEdge);
        QCOMPARE(plain.copy(1, 1, 71, 19), kFace);
        // Engraved: the highlight one pixel down and right, the shadow over it.
        const QString caption = QStringLiteral("确  定");
        button.setCaption(caption);
        const QSize size = captionSize(caption, button.font());
        const QPoint centred((73 - size.width()) / 2, (21 - size.height()) / 2);
        const QImage light = withCaption(plain, caption, button.font(), Qt::red, centred + QPoint(1, 1));
        QCOMPARE(button.grab().toImage(), withCaption(light, caption, button.font(), Qt::blue, centred));
    }

    // A disabled button shows neither ring: not the hot one it had under the
    // pointer, not the default one. Enabled again under the pointer, it is
    // hot again.
    void disablingDropsTheRings()
    {
        Form form;
        form.button->setDefault(true);
        QVERIFY(form.show());
        form.move(kCentre);
        QCOMPARE(form.button->grab().toImage().copy(1, 1, 71, 19), inside(kHotRing, kFace, 3));
        form.button->setEnabled(false);
        const QImage disabled = form.button->grab().toImage();
        checkBorder(disabled, kDisabledEdge, kDisabledEdge);
        QCOMPARE(disabled.copy(1, 1, 71, 19), kFace);
        form.button->setEnabled(true);
        const QImage enabled = form.button->grab().toImage();
        checkBorder(enabled, kBorder, kSmoothEdge);
        QCOMPARE(enabled.copy(1, 1, 71, 19), inside(kHotRing, kFace, 3));
    }

    void glyphTransparentAndGreyed_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("autoGray");
        QTest::addColumn<QColor>("shown");
        QTest::newRow("enabled") << true << true << QColor(Qt::red);
        QTest::newRow("disabled: (255 + 0 + 0) / 3 + 100") << false << true << QColor(185, 185, 185);
        QTest::newRow("disabled, not greyed") << false << false << QColor(Qt::red);
    }

    void glyphTransparentAndGreyed()
    {
        QFETCH(bool, enabled);
        QFETCH(bool, autoGray);
        QFETCH(QColor, shown);
        QImage glyph(4, 4, QImage::Format_RGB32);
        glyph.fill(Qt::red);
        glyph.setPixelColor(0, 3, QColor(192, 192, 192));
        glyph.setPixelColor(3, 0, QColor(192, 192, 192));
        Form form;
        form.button->setGlyph(glyph);
        form.button->setEnabled(enabled);
        form.button->setAutoGray(autoGray);
        QVERIFY(form.show());
        const QImage image = form.button->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixelColor(x, y) == shown ? 1 : 0;
        QCOMPARE(count, 14);
    }

    // The glyph stands left of the caption, three pixels apart, the two
    // centred together and both shifted by one pixel while pressed.
    void glyphBesideTheCaption()
    {
        QImage glyph(4, 4, QImage::Format_RGB32);
        glyph.fill(Qt::red);
        glyph.setPixelColor(0, 3, QColor(192, 192, 192));
        Form form;
        form.button->setGlyph(glyph);
        form.button->setCaption(QStringLiteral("X"));
        QVERIFY(form.show());
        auto redBox = [&form] {
            const QImage image = form.button->grab().toImage();
            QRect box;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (image.pixelColor(x, y) == QColor(Qt::red))
                        box |= QRect(x, y, 1, 1);
            return box;
        };
        const int captionWidth = captionSize(QStringLiteral("X"), form.button->font()).width();
        const QPoint glyphAt((73 - 4 - 3 - captionWidth) / 2, (21 - 4) / 2);
        QCOMPARE(redBox(), QRect(glyphAt, QSize(4, 4)));
        form.move(kCentre);
        form.press(kCentre);
        QCOMPARE(redBox(), QRect(glyphAt + QPoint(1, 1), QSize(4, 4)));
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
        QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, {}, button.mapTo(&dialog, kCentre));
        QCOMPARE(resultAtClick, modalResult == 0 ? -1 : modalResult);
        QCOMPARE(dialog.isVisible(), modalResult == 0);
    }

    void hotRingHandedOverAfterRelease()
    {
        Form form;
        QVERIFY(form.show());
        QSignalSpy entered(form.other, &TXPButton::mouseEntered);
        const QPoint overOther = form.other->geometry().center() - form.button->pos();
        form.move(kCentre);
        form.press(kCentre);
        form.move(overOther);
        form.release(overOther);
        QCOMPARE(entered.count(), 1);
        QCOMPARE(form.other->grab().toImage().pixelColor(1, 10), kHotRing.pixelColor(0, 9));
        QCOMPARE(form.button->grab().toImage().pixelColor(1, 10), kFocusRing.pixelColor(0, 9));
    }
};

QTEST_MAIN(TestXPButton)
#include "tst_xpbutton.moc"
