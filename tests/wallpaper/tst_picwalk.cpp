#include "wallpaper/picwalk.h"

#include <QSet>
#include <QTest>

class TestPicWalk : public QObject {
    Q_OBJECT
private slots:
    void clicksWalkTheList_data();
    void clicksWalkTheList();
};

namespace {

// The pictures that successive applies use, "-" for a click whose picture
// was missing.
QStringList clicks(const QStringList &names, int index, const QSet<QString> &missing, int count)
{
    QList<TPicBGList> list;
    for (int i = 0; i < names.size(); ++i)
        list.append({i, names.at(i)});
    QStringList used;
    for (int n = 0; n < count; ++n) {
        const QString name = PicWalk::pictureAt(list, index);
        if (missing.contains(name)) {
            used << "-";
            index = PicWalk::afterMissingPicture(index, int(list.size()));
        } else {
            used << name;
            index = PicWalk::afterApply(index, int(list.size()));
        }
    }
    return used;
}

} // namespace

void TestPicWalk::clicksWalkTheList_data()
{
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<int>("start");
    QTest::addColumn<QStringList>("missing");
    QTest::addColumn<QStringList>("used");
    const QStringList fourLines {"A1.bmp", "A1.bmp", "sky.bmp", "sea.bmp"};
    QTest::newRow("last row towards the first, wrapping") << fourLines << 3 << QStringList {}
                                                          << QStringList {"sea.bmp", "sky.bmp", "A1.bmp", "sea.bmp", "sky.bmp"};
    QTest::newRow("from index 1 the next is the last") << fourLines << 1 << QStringList {}
                                                       << QStringList {"A1.bmp", "sea.bmp"};
    QTest::newRow("a missing picture moves backwards") << fourLines << 3 << QStringList {"sky.bmp"}
                                                       << QStringList {"sea.bmp", "-", "sea.bmp", "-", "sea.bmp"};
    QTest::newRow("missing last entry wraps to 1") << QStringList {"A1.bmp", "sky.bmp", "gone.bmp"} << 2
                                                   << QStringList {"gone.bmp"} << QStringList {"-", "sky.bmp", "-"};
    QTest::newRow("missing entry 0 at index 0 stays") << QStringList {"gone.bmp", "sky.bmp"} << 0
                                                      << QStringList {"gone.bmp"} << QStringList {"-", "-", "-"};
    QTest::newRow("entry 0 once, then the rows") << QStringList {"sun.bmp", "A1.bmp", "sky.bmp"} << 0 << QStringList {}
                                                 << QStringList {"sun.bmp", "sky.bmp", "A1.bmp", "sky.bmp"};
    QTest::newRow("a single entry") << QStringList {"A1.bmp"} << 0 << QStringList {}
                                    << QStringList {"A1.bmp", "A1.bmp"};
    QTest::newRow("empty list uses the standard picture") << QStringList {} << 0 << QStringList {}
                                                          << QStringList {"A1.bmp", "A1.bmp"};
}

void TestPicWalk::clicksWalkTheList()
{
    QFETCH(QStringList, list);
    QFETCH(int, start);
    QFETCH(QStringList, missing);
    QFETCH(QStringList, used);
    QCOMPARE(clicks(list, start, QSet<QString>(missing.begin(), missing.end()), int(used.size())), used);
}

QTEST_GUILESS_MAIN(TestPicWalk)
#include "tst_picwalk.moc"
