#include "app/memoapplication.h"
#include "support/windowinput.h"
#include "widgets/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

struct Seen {
    QString title;
    QRect frame;
    QStringList buttons;
    bool platformDialog = true;
};

// Looks at the next dialog to open, then cancels it with Escape.
void lookThenCancel(Seen &seen)
{
    QTimer::singleShot(0, [&seen] {
        QWidget *dialog = QApplication::activeModalWidget();
        QVERIFY(dialog && QTest::qWaitForWindowExposed(dialog));
        seen.title = dialog->windowTitle();
        seen.frame = dialog->frameGeometry();
        for (const QPushButton *button : dialog->findChildren<QPushButton *>())
            if (button->isVisible())
                seen.buttons.append(button->text());
        auto *files = qobject_cast<QFileDialog *>(dialog);
        auto *colours = qobject_cast<QColorDialog *>(dialog);
        seen.platformDialog = (files && !files->testOption(QFileDialog::DontUseNativeDialog))
            || (colours && !colours->testOption(QColorDialog::DontUseNativeDialog));
        WindowInput::key(dialog, Qt::Key_Escape);
    });
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { prepareApplication(); }
    void everyDialogIsQtsOwnInChineseTitledAndOnTheScreen();
};

void TestDialogs::everyDialogIsQtsOwnInChineseTitledAndOnTheScreen()
{
    WidgetDialogs dialogs;
    const std::pair<QString, std::function<void()>> opened[] = {
        {"颜色", [&] { QVERIFY(!dialogs.color(nullptr, Qt::black)); }},
        {"字体", [&] { QVERIFY(!dialogs.font(nullptr, FontChoice{QFont("宋体", 12), Qt::black})); }},
        {"打开", [&] { QVERIFY(dialogs.openPictures(nullptr, "All(*.bmp;)").isEmpty()); }},
        {"内容导出", [&] { QVERIFY(dialogs.saveFileName(nullptr, "内容导出", "A备忘录", "*.Txt").isEmpty()); }},
    };
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const auto &[title, open] : opened) {
        Seen seen;
        lookThenCancel(seen);
        open();
        QCOMPARE(seen.title, title);
        QVERIFY2(screen.contains(seen.frame), qPrintable(title));
        QVERIFY2(seen.buttons.filter(QStringLiteral("取消")).size() == 1, qPrintable(seen.buttons.join(' ')));
        QVERIFY(!seen.platformDialog);
    }
}

int main(int argc, char **argv)
{
    // The user's locale says English.
    qputenv("LANG", "C");
    qputenv("LC_ALL", "C");
    QApplication application(argc, argv);
    TestDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_dialogs.moc"
