#include "support/scripteddialogs.h"
#include "support/tempappfolder.h"
#include "support/windowinput.h"
#include "wallpaper/uglobal.h"
#include "wallpaper/ui/inforfrm.h"
#include "widgets/xpbutton.h"
#include "widgets/xpcheckbox.h"

#include <QCursor>
#include <QEnterEvent>
#include <QTest>

class TestInforFrm : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void buttonsAnswer_data();
    void buttonsAnswer();
    void failedWriteKeepsTheBoxOpen();
    void otherWaysOfClosingKeepTheAnswer();
    void focusStartsOnOkThenWhereItWas();
    void hoverEndsWithTheBoxAndIsReadAgainWhenItShows();

private:
    void showBox();
    TXPButton *button(int index) const;

    std::unique_ptr<TempAppFolder> m_folder;
    std::unique_ptr<QWidget> m_owner;
    TInforFrm *m_box = nullptr;
};

void TestInforFrm::init()
{
    m_folder = std::make_unique<TempAppFolder>(false);
    m_folder->writeFile(QStringLiteral("Data/configSetBg.ini"), "1\r\n");
    uGlobal::ConfigSetBgPath = m_folder->path(QStringLiteral("Data/configSetBg.ini"));
    uGlobal::AskBeforeSetBg = true;
    m_owner = std::make_unique<QWidget>();
    m_owner->setGeometry(100, 80, 645, 443);
    m_box = new TInforFrm(m_owner.get());
}

void TestInforFrm::cleanup()
{
    m_owner.reset();
    m_folder.reset();
}

void TestInforFrm::showBox()
{
    m_box->show();
    QVERIFY(QTest::qWaitForWindowActive(m_box));
    QCOMPARE(m_box->geometry(), QRect(100 + 150, 80 + 143, 344, 156));
}

TXPButton *TestInforFrm::button(int index) const
{
    return QList<TXPButton *>{m_box->btnok, m_box->btncancel, m_box->btnClose}.at(index);
}

void TestInforFrm::buttonsAnswer_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("OK") << 0 << false << 1 << QByteArray("1\r\n");
    QTest::newRow("OK, ticked: never ask again") << 0 << true << 1 << QByteArray("0\r\n");
    QTest::newRow("Cancel") << 1 << false << 0 << QByteArray("1\r\n");
    QTest::newRow("Cancel, ticked") << 1 << true << 0 << QByteArray("1\r\n");
    QTest::newRow("X, ticked") << 2 << true << 0 << QByteArray("1\r\n");
}

void TestInforFrm::buttonsAnswer()
{
    QFETCH(int, button);
    QFETCH(bool, ticked);
    QFETCH(int, answer);
    QFETCH(QByteArray, file);
    uGlobal::SetBgAnswer = 1 - answer;
    showBox();
    if (ticked)
        WindowInput::click(m_box->chkSetBgInfo);
    WindowInput::click(this->button(button));
    QVERIFY(!m_box->isVisible());
    QCOMPARE(uGlobal::SetBgAnswer, answer);
    QCOMPARE(uGlobal::AskBeforeSetBg, !(ticked && answer == 1));
    QCOMPARE(m_folder->readFile(QStringLiteral("Data/configSetBg.ini")), file);
    // Nothing clears the tick between showings.
    showBox();
    QCOMPARE(m_box->chkSetBgInfo->Checked(), ticked);
}

void TestInforFrm::failedWriteKeepsTheBoxOpen()
{
    ScriptedDialogs dialogs;
    uGlobal::ConfigSetBgPath = m_folder->path(QStringLiteral("missing/configSetBg.ini"));
    showBox();
    WindowInput::click(m_box->chkSetBgInfo);
    WindowInput::click(m_box->btnok);
    QCOMPARE(dialogs.errors.size(), 1);
    QVERIFY(m_box->isVisible());
    QCOMPARE(uGlobal::AskBeforeSetBg, false);
    QCOMPARE(uGlobal::SetBgAnswer, 1);
    WindowInput::click(m_box->btncancel);
    QVERIFY(!m_box->isVisible());
    QCOMPARE(uGlobal::SetBgAnswer, 0);
}

void TestInforFrm::otherWaysOfClosingKeepTheAnswer()
{
    for (int previous : {0, 1}) {
        uGlobal::SetBgAnswer = previous;
        showBox();
        WindowInput::key(m_box, Qt::Key_Escape);
        WindowInput::click(m_box->chkSetBgInfo);
        WindowInput::key(m_box, Qt::Key_Return);
        QVERIFY(m_box->isVisible());
        m_box->close(); // what the platform's close command does
        QVERIFY(!m_box->isVisible());
        QCOMPARE(uGlobal::SetBgAnswer, previous);
    }
}

void TestInforFrm::focusStartsOnOkThenWhereItWas()
{
    showBox();
    QCOMPARE(QApplication::focusWidget(), m_box->btnok);
    QList<QWidget *> order;
    for (int i = 0; i < 4; ++i) {
        WindowInput::key(m_box, Qt::Key_Tab);
        order.append(QApplication::focusWidget());
    }
    QCOMPARE(order, (QList<QWidget *>{m_box->btncancel, m_box->btnClose, m_box->chkSetBgInfo, m_box->btnok}));
    WindowInput::click(m_box->btncancel);
    showBox();
    QCOMPARE(QApplication::focusWidget(), m_box->btncancel);
}

void TestInforFrm::hoverEndsWithTheBoxAndIsReadAgainWhenItShows()
{
    // What shows just inside a button's border: the orange ring under the
    // pointer, the blue one with the focus, else the face.
    enum Look { Face, FocusRing, HotRing };
    auto look = [](TXPButton *button) {
        const QRgb inside = button->grab().toImage().pixel(1, 10) & 0xffffff;
        return inside == 0xf4c76c ? HotRing : inside == 0xa0b8f7 ? FocusRing : inside == 0xf7f5f4 ? Face : Look(-1);
    };
    // The platform's pointer stays elsewhere; the pointer the box is told
    // of comes in over 确  定.
    QCursor::setPos(0, 0);
    showBox();
    const QPoint ok = WindowInput::inWindow(m_box->btnok);
    QEnterEvent enter(ok, ok, m_box->mapToGlobal(ok));
    QCoreApplication::sendEvent(m_box->windowHandle(), &enter);
    WindowInput::move(m_box->btnok);
    QCOMPARE(look(m_box->btnok), HotRing);
    WindowInput::click(m_box->btncancel);
    QVERIFY(!m_box->isVisible());
    QVERIFY(look(m_box->btncancel) != HotRing);

    // Shown again with the pointer elsewhere: 取  消 keeps the focus and
    // shows it, nothing is under the pointer.
    showBox();
    QTest::qWait(0);
    QCOMPARE(look(m_box->btncancel), FocusRing);
    QCOMPARE(look(m_box->btnok), Face);
    WindowInput::click(m_box->btncancel);

    // Shown under the pointer, a button is hot at once.
    QCursor::setPos(m_box->btnok->mapToGlobal(m_box->btnok->rect().center()));
    showBox();
    QTRY_COMPARE(look(m_box->btnok), HotRing);
    QCOMPARE(look(m_box->btncancel), FocusRing);
}

QTEST_MAIN(TestInforFrm)
#include "tst_inforfrm.moc"
