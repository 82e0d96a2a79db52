#include "app/memoapplication.h"
#include "widgets/chinesefonts.h"

#include <QApplication>
#include <QGlyphRun>
#include <QRawFont>
#include <QTest>
#include <QTextLayout>

// The design font names must draw Chinese with Simplified Chinese faces,
// never the Japanese shapes or boxes a bare fallback gives.
class TestFonts : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { prepareApplication(); }
    void designNamesDrawSimplifiedChinese_data();
    void designNamesDrawSimplifiedChinese();
};

void TestFonts::designNamesDrawSimplifiedChinese_data()
{
    QTest::addColumn<QString>("designName");
    for (const char *name : {"宋体", "微软雅黑", "幼圆", "MS Sans Serif", "Arial"})
        QTest::newRow(name) << QString::fromUtf8(name);
}

void TestFonts::designNamesDrawSimplifiedChinese()
{
    QFETCH(QString, designName);
    const QFont font = ChineseFonts::font(designName, 15);
    QCOMPARE(font.family(), designName);
    QTextLayout layout(QStringLiteral("今天是直骨"), font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    QVERIFY(!runs.isEmpty());
    for (const QGlyphRun &run : runs) {
        const QString face = run.rawFont().familyName();
        QVERIFY2(face.contains(QLatin1String("SC"), Qt::CaseInsensitive)
                     || face.contains(QLatin1String("WenQuanYi"), Qt::CaseInsensitive),
                 qPrintable(designName + " drew with " + face));
    }
}

QTEST_MAIN(TestFonts)
#include "tst_fonts.moc"
