#include "platform/linux/plasmawallpaper.h"

#include "platform/linux/pictureuri.h"
#include "platform/linux/settinglines.h"

#include <utility>

namespace {

// A JavaScript string literal.
QString quoted(const QString &text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('\''), QLatin1String("\\'"))
        .replace(QLatin1Char('\n'), QLatin1String("\\n"))
        .replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

} // namespace

PlasmaWallpaper::PlasmaWallpaper(std::shared_ptr<CommandRunner> runner)
    : m_runner(std::move(runner))
{
}

QString PlasmaWallpaper::script(const QString &imageUri)
{
    // FillMode 0 is the image's stretch mode.
    return QStringLiteral(
               "var all = desktops();\n"
               "for (var i = 0; i < all.length; i++) {\n"
               "    all[i].wallpaperPlugin = 'org.kde.image';\n"
               "    all[i].currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];\n"
               "    all[i].writeConfig('Image', %1);\n"
               "    all[i].writeConfig('FillMode', 0);\n"
               "}\n")
        .arg(quoted(imageUri));
}

void PlasmaWallpaper::setWallpaper(const QString &path)
{
    // The shell takes up a script's settings only when the script ends, and
    // an image it already shows is not read again; so the image is cleared by
    // a script of its own before the same file is named again.
    evaluate(script(QString()));
    evaluate(script(pictureUri(path)));
}

QByteArray PlasmaWallpaper::evaluate(const QString &script)
{
    return runOrThrow(*m_runner, QStringLiteral("dbus-send"),
               {QStringLiteral("--session"), QStringLiteral("--dest=org.kde.plasmashell"),
                QStringLiteral("--type=method_call"), QStringLiteral("--print-reply"),
                QStringLiteral("/PlasmaShell"), QStringLiteral("org.kde.PlasmaShell.evaluateScript"),
                QStringLiteral("string:") + script});
}

QString PlasmaWallpaper::readingScript()
{
    return QStringLiteral(
        "var all = desktops();\n"
        "if (all.length > 0) {\n"
        "    var d = all[0];\n"
        "    print('Plugin=' + d.wallpaperPlugin + '\\n');\n"
        "    d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];\n"
        "    print('Image=' + d.readConfig('Image') + '\\n');\n"
        "    print('FillMode=' + d.readConfig('FillMode') + '\\n');\n"
        "}\n");
}

QString PlasmaWallpaper::restoringScript(const QString &plugin, const QString &imageUri, const QString &fillMode)
{
    bool numeric = false;
    fillMode.toInt(&numeric);
    return QStringLiteral(
               "var all = desktops();\n"
               "for (var i = 0; i < all.length; i++) {\n"
               "    all[i].wallpaperPlugin = %1;\n"
               "    all[i].currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];\n"
               "    all[i].writeConfig('Image', %2);\n"
               "    all[i].writeConfig('FillMode', %3);\n"
               "}\n")
        .arg(quoted(plugin.isEmpty() ? QStringLiteral("org.kde.image") : plugin), quoted(imageUri),
             numeric ? fillMode : QStringLiteral("2"));
}

QString PlasmaWallpaper::printedText(const QByteArray &reply)
{
    // method return time=... sender=... -> destination=... serial=...
    //    string "Plugin=org.kde.image
    // Image=file:///..."
    const QString text = QString::fromUtf8(reply);
    const qsizetype start = text.indexOf(QLatin1String("string \""));
    const qsizetype end = text.lastIndexOf(u'"');
    if (start < 0 || end < start + 8)
        return {};
    return text.mid(start + 8, end - start - 8);
}

QStringList PlasmaWallpaper::currentSetting()
{
    QStringList setting;
    for (const QString &line : printedText(evaluate(readingScript())).split(u'\n', Qt::SkipEmptyParts)) {
        const QString name = line.section(u'=', 0, 0);
        if (name == QLatin1String("Plugin") || name == QLatin1String("Image") || name == QLatin1String("FillMode"))
            setting << SettingLines::line(name, line.section(u'=', 1));
    }
    return setting;
}

void PlasmaWallpaper::restoreSetting(const QStringList &setting)
{
    QString plugin;
    QString image;
    QString fillMode;
    for (const auto &[name, value] : SettingLines::parse(setting)) {
        if (name == QLatin1String("Plugin"))
            plugin = value;
        else if (name == QLatin1String("Image"))
            image = value;
        else if (name == QLatin1String("FillMode"))
            fillMode = value;
    }
    evaluate(restoringScript(plugin, image, fillMode));
}
