#include "support/scripteddialogs.h"
#include "support/tempappfolder.h"
#include "support/windowinput.h"
#include "wallpaper/ui/picselfrm.h"
#include "widgets/chromebutton.h"
#include "widgets/picturecontrol.h"
#include "widgets/xpbutton.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace {

const QString kList = QStringLiteral("Data/BGPicList.ini");
const QString kFilter = QStringLiteral("所有图片(*.bmp;*.jpg;*.jpeg;*.gif;*.png;*.webp)");

QByteArray crlf(const QStringList &lines)
{
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

} // namespace

class TestPicSelFrm : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void showingRefillsFromTheFile_data();
    void showingRefillsFromTheFile();
    void removeLooksAtTheFirstSelectedRow_data();
    void removeLooksAtTheFirstSelectedRow();
    void okMakesTheFirstSelectedRowTheDefault_data();
    void okMakesTheFirstSelectedRowTheDefault();
    void closePictureClosesWithoutChange();
    void theDefaultRowsAreMarked();
    void addHandlesEveryFileOfALargeSelection();
    // First: it sees the first open dialog of the run.
    void openDialogStartsInPicturesThenWhereTheUserChose();
    void openDialogShowsPicturesOfAnyCaseWithAPreview();
    void hintNamesEveryFormatTheAddTakes();

private:
    void showWindow(const QStringList &lines);
    QStringList rows() const;
    QList<int> markedRows() const;
    void select(const QList<int> &positions);

    std::unique_ptr<TempAppFolder> m_folder;
    std::unique_ptr<QWidget> m_owner;
    TPicSelFrm *m_window = nullptr;
};

void TestPicSelFrm::init()
{
    m_folder = std::make_unique<TempAppFolder>(false);
    m_owner = std::make_unique<QWidget>();
    m_owner->setGeometry(0, 0, 645, 443);
    m_window = new TPicSelFrm(m_owner.get());
}

void TestPicSelFrm::cleanup()
{
    m_owner.reset();
    m_folder.reset();
}

void TestPicSelFrm::showWindow(const QStringList &lines)
{
    // LF endings, so that a rewrite shows as CR LF.
    m_folder->writeFile(kList, (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QCOMPARE(m_window->geometry(), QRect(60, 78, 524, 286));
}

QStringList TestPicSelFrm::rows() const
{
    QStringList result;
    for (int i = 0; i < m_window->LVpic->topLevelItemCount(); ++i)
        result.append(m_window->LVpic->topLevelItem(i)->text(0));
    return result;
}

// The rows that show ink to the right of their name, where the mark stands.
QList<int> TestPicSelFrm::markedRows() const
{
    QTreeWidget *list = m_window->LVpic;
    const QImage shown = list->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QFontMetrics metrics(list->font());
    QList<int> marked;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QRect row = list->visualItemRect(list->topLevelItem(i));
        const int afterName = row.left() + metrics.horizontalAdvance(list->topLevelItem(i)->text(0)) + 6;
        bool ink = false;
        for (int y = row.top(); y <= row.bottom() && !ink; ++y)
            for (int x = afterName; x < std::min(row.right(), shown.width()) && !ink; ++x)
                ink = qGray(shown.pixel(x, y)) < 128;
        if (ink)
            marked.append(i);
    }
    return marked;
}

void TestPicSelFrm::select(const QList<int> &positions)
{
    QTreeWidget *list = m_window->LVpic;
    for (int position : positions)
        WindowInput::click(list->viewport(), list->visualItemRect(list->topLevelItem(position)).center(),
                           Qt::LeftButton, Qt::ControlModifier);
}

void TestPicSelFrm::showingRefillsFromTheFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("defaultPic");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QByteArray>("fileAfter");
    const QStringList kept{"old.bmp"};
    QTest::newRow("default and rows") << QByteArray("sky.bmp\r\n\r\nA1.bmp\r\n") << "sky.bmp"
                                      << QStringList{"", "A1.bmp"} << QByteArray("sky.bmp\r\n\r\nA1.bmp\r\n");
    QTest::newRow("only the default line") << QByteArray("sky.bmp") << "sky.bmp" << QStringList() << QByteArray("sky.bmp");
    QTest::newRow("empty file keeps everything") << QByteArray() << "old.bmp" << kept << QByteArray();
    QTest::newRow("missing file keeps the rows") << QByteArray("missing") << "A1.bmp" << kept
                                                 << QByteArray("A1.bmp\r\nA1.bmp\r\n");
}

void TestPicSelFrm::showingRefillsFromTheFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, defaultPic);
    QFETCH(QStringList, shown);
    QFETCH(QByteArray, fileAfter);
    showWindow({"old.bmp", "old.bmp"});
    m_window->close();
    if (content == "missing")
        QFile::remove(m_folder->path(kList));
    else
        m_folder->writeFile(kList, content);
    m_window->show();
    QCOMPARE(m_window->DefaultPic, defaultPic);
    QCOMPARE(rows(), shown);
    QCOMPARE(m_folder->readFile(kList), fileAfter);
}

void TestPicSelFrm::removeLooksAtTheFirstSelectedRow_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QStringList>("linesAfter");
    QTest::newRow("standard picture first: nothing goes, file rewritten")
        << QStringList{"sky.bmp", "x.bmp", "A1.bmp", "sky.bmp"} << QList<int>{1, 2}
        << QStringList{"sky.bmp", "x.bmp", "A1.bmp", "sky.bmp"};
    QTest::newRow("every selected row goes") << QStringList{"A1.bmp", "x.bmp", "A1.bmp", "y.bmp"} << QList<int>{0, 1}
                                             << QStringList{"A1.bmp", "y.bmp"};
    QTest::newRow("default row: standard picture becomes the default")
        << QStringList{"sky.bmp", "sky.bmp", "x.bmp"} << QList<int>{0} << QStringList{"A1.bmp", "x.bmp"};
}

void TestPicSelFrm::removeLooksAtTheFirstSelectedRow()
{
    QFETCH(QStringList, lines);
    QFETCH(QList<int>, selected);
    QFETCH(QStringList, linesAfter);
    showWindow(lines);
    WindowInput::click(m_window->btnRemove);
    QCOMPARE(rows(), lines.mid(1)); // nothing selected: nothing happens
    select(selected);
    WindowInput::click(m_window->btnRemove);
    QCOMPARE(m_window->DefaultPic, linesAfter.first());
    QCOMPARE(rows(), linesAfter.mid(1));
    QCOMPARE(m_folder->readFile(kList), crlf(linesAfter));
    QVERIFY(m_window->isVisible());
}

void TestPicSelFrm::okMakesTheFirstSelectedRowTheDefault_data()
{
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QString>("defaultPic");
    QTest::newRow("nothing selected") << QList<int>{} << "A1.bmp";
    QTest::newRow("the default row") << QList<int>{0} << "A1.bmp";
    QTest::newRow("another row") << QList<int>{2, 1} << "sky.bmp";
}

void TestPicSelFrm::okMakesTheFirstSelectedRowTheDefault()
{
    QFETCH(QList<int>, selected);
    QFETCH(QString, defaultPic);
    const QStringList lines{"A1.bmp", "A1.bmp", "sky.bmp", "x.bmp"};
    showWindow(lines);
    const QByteArray before = m_folder->readFile(kList);
    select(selected);
    WindowInput::click(m_window->btnOk);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_window->DefaultPic, defaultPic);
    QCOMPARE(m_folder->readFile(kList), defaultPic == lines.first() ? before : crlf(QStringList{defaultPic} + lines.mid(1)));
}

void TestPicSelFrm::closePictureClosesWithoutChange()
{
    showWindow({"A1.bmp", "A1.bmp", "sky.bmp"});
    select({1});
    ChromeButton *close = m_window->imgClose;
    WindowInput::move(close);
    QCOMPARE(close->state(), ChromeButton::Highlight);
    WindowInput::move(m_window->imgBG, QPoint(300, 30));
    QCOMPARE(close->state(), ChromeButton::Normal);
    // Pressed, then released away: the normal picture again, still open.
    WindowInput::move(close);
    WindowInput::press(close);
    QCOMPARE(close->state(), ChromeButton::Down);
    WindowInput::release(m_window->imgBG, QPoint(300, 30));
    QCOMPARE(close->state(), ChromeButton::Normal);
    QVERIFY(m_window->isVisible());
    // One click closes.
    WindowInput::move(close);
    WindowInput::click(close);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_window->DefaultPic, QStringLiteral("A1.bmp"));
    QCOMPARE(m_folder->readFile(kList), QByteArray("A1.bmp\nA1.bmp\nsky.bmp\n"));
}

void TestPicSelFrm::addHandlesEveryFileOfALargeSelection()
{
    QTemporaryDir outside;
    QStringList chosen;
    for (int i = 0; i < 120; ++i) {
        chosen.append(outside.filePath(QStringLiteral("p%1.bmp").arg(i)));
        QVERIFY(QImage(2, 2, QImage::Format_RGB32).save(chosen.last(), "BMP"));
    }
    ScriptedDialogs dialogs;
    dialogs.openAnswers = {chosen};
    showWindow({"A1.bmp"});
    WindowInput::click(m_window->btnAdd);
    QCOMPARE(rows().size(), 120);
    QCOMPARE(rows().last(), QStringLiteral("p119.bmp"));
}

void TestPicSelFrm::openDialogShowsPicturesOfAnyCaseWithAPreview()
{
    QTemporaryDir folder;
    const QStringList pictures{"a.BMP", "b.jpg", "c.Gif", "d.PNG", "f.JPEG", "h.WebP"};
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(Qt::green);
    for (const QString &name : pictures + QStringList{"e.ico", "g.txt"})
        QVERIFY(picture.save(folder.filePath(name), "BMP"));

    QString comboText;
    QStringList listed;
    bool previewShown = false;
    bool columnsWhole = false;
    bool listedInTime = false;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialog->setDirectory(folder.path());
        auto *model = dialog->findChild<QFileSystemModel *>();
        // A failure is checked after the dialog has been closed, never here.
        listedInTime = QTest::qWaitFor([&] { return model->rowCount(model->index(folder.path())) >= pictures.size(); });
        const QModelIndex parent = model->index(folder.path());
        for (int i = 0; i < model->rowCount(parent); ++i)
            listed.append(model->index(i, 0, parent).data().toString());
        comboText = dialog->findChild<QComboBox *>("fileTypeCombo")->currentText();
        // The detailed list shows every column whole.
        WindowInput::click(dialog->findChild<QToolButton *>("detailModeButton"));
        auto *details = dialog->findChild<QTreeView *>("treeView");
        const QHeaderView *header = details->header();
        columnsWhole = header->sectionViewportPosition(3) + header->sectionSize(3) <= details->viewport()->width()
            && header->sectionSize(1) >= header->sectionSizeHint(1);
        emit dialog->currentChanged(folder.filePath("b.jpg"));
        const auto *preview = qobject_cast<QLabel *>(dialog->findChild<QSplitter *>()->widget(2));
        previewShown = preview && !preview->pixmap().isNull();
        dialog->findChild<QLineEdit *>("fileNameEdit")->setText("\"c.Gif\" \"a.BMP\"");
        static_cast<QDialog *>(dialog)->accept();
    });
    const QStringList chosen = WidgetDialogs().openPictures(nullptr, kFilter);
    QVERIFY(listedInTime);
    listed.sort();
    QCOMPARE(listed, pictures);
    QCOMPARE(comboText, kFilter);
    QVERIFY(previewShown);
    QVERIFY(columnsWhole);
    QCOMPARE(chosen, (QStringList{folder.filePath("c.Gif"), folder.filePath("a.BMP")}));
}

void TestPicSelFrm::theDefaultRowsAreMarked()
{
    showWindow({"sky.bmp", "A1.bmp", "sky.bmp", "y.bmp", "sky.bmp"});
    QCOMPARE(markedRows(), (QList<int>{1, 3}));
    // Unselected again, the rows still hold the bare names.
    select({1});
    select({1});
    QCOMPARE(rows(), (QStringList{"A1.bmp", "sky.bmp", "y.bmp", "sky.bmp"}));
    QCOMPARE(markedRows(), (QList<int>{1, 3}));

    // Removing the default's row makes the standard picture the default.
    select({1});
    WindowInput::click(m_window->btnRemove);
    QCOMPARE(rows(), (QStringList{"A1.bmp", "y.bmp", "sky.bmp"}));
    QCOMPARE(markedRows(), (QList<int>{0}));
}

void TestPicSelFrm::openDialogStartsInPicturesThenWhereTheUserChose()
{
    // The user's pictures folder is set before the first dialog (main()).
    const QString pictures = qEnvironmentVariable("PAXELO_TEST_PICTURES");
    QTemporaryDir elsewhere;
    QVERIFY(QImage(8, 8, QImage::Format_RGB32).save(elsewhere.filePath("x.png")));
    QStringList startedIn;
    const auto chooseIn = [&](const QString &folder) {
        QTimer::singleShot(0, this, [&, folder] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            startedIn.append(dialog->directory().absolutePath());
            dialog->setDirectory(folder);
            dialog->findChild<QLineEdit *>("fileNameEdit")->setText("x.png");
            static_cast<QDialog *>(dialog)->accept();
        });
        return WidgetDialogs().openPictures(nullptr, kFilter);
    };
    QVERIFY(QImage(8, 8, QImage::Format_RGB32).save(pictures + "/x.png"));
    QCOMPARE(chooseIn(elsewhere.path()), QStringList {elsewhere.filePath("x.png")});
    QCOMPARE(chooseIn(pictures), QStringList {pictures + "/x.png"});
    QCOMPARE(chooseIn(pictures), QStringList {pictures + "/x.png"});
    QCOMPARE(startedIn, (QStringList {pictures, elsewhere.path(), pictures}));
}

void TestPicSelFrm::hintNamesEveryFormatTheAddTakes()
{
    showWindow({"A1.bmp", "A1.bmp"});
    const QLabel *hint = m_window->lblHint;
    QVERIFY(hint->text().endsWith("图像格式：" + QString(28, ' ') + "BMP, JPG, GIF, PNG, WebP"));
    // Every format stays inside the label: the line wraps at its blanks.
    const QRect room = hint->contentsRect();
    const QRect needed = hint->fontMetrics().boundingRect(room, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, hint->text());
    QVERIFY2(room.contains(needed), qPrintable(QStringLiteral("%1×%2").arg(needed.width()).arg(needed.height())));
}

// The user's pictures folder, as the desktop's user-dirs.dirs names it.
int main(int argc, char **argv)
{
    QTemporaryDir config;
    const QString pictures = config.filePath("Bilder");
    QDir().mkpath(pictures);
    QFile dirs(config.filePath("user-dirs.dirs"));
    if (!dirs.open(QIODevice::WriteOnly))
        return 1;
    dirs.write("XDG_PICTURES_DIR=\"" + pictures.toUtf8() + "\"\n");
    dirs.close();
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    qputenv("PAXELO_TEST_PICTURES", pictures.toUtf8());
    QApplication application(argc, argv);
    TestPicSelFrm test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_picselfrm.moc"
