#include "platform/linux/plasmawallpaper.h"

#include "platform/linux/pictureuri.h"

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

void PlasmaWallpaper::evaluate(const QString &script)
{
    runOrThrow(*m_runner, QStringLiteral("dbus-send"),
               {QStringLiteral("--session"), QStringLiteral("--dest=org.kde.plasmashell"),
                QStringLiteral("--type=method_call"), QStringLiteral("--print-reply"),
                QStringLiteral("/PlasmaShell"), QStringLiteral("org.kde.PlasmaShell.evaluateScript"),
                QStringLiteral("string:") + script});
}
