#include "app/commandline.h"

#include <QByteArray>
#include <QLocale>
#include <QStringList>

#include <cstddef>
#include <cstdio>
#include <cstring>

namespace {

// Qt's options that take a value, and those that do not: QApplication reads
// and removes them itself.
constexpr const char *kQtOptionsWithValue[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                                "qwindowgeometry", "qwindowicon", "qwindowtitle", "session",
                                                "style", "stylesheet", "display", "geometry", "name", "title"};
constexpr const char *kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

// Whether argument is one of the options, with one dash or two, as Qt takes them.
template <std::size_t N>
bool isOneOf(const char *argument, const char *const (&options)[N])
{
    if (argument[0] != '-' || argument[1] == '\0')
        return false;
    const char *name = argument + (argument[1] == '-' ? 2 : 1);
    for (const char *option : options)
        if (std::strcmp(name, option) == 0)
            return true;
    return false;
}

bool chineseLocale()
{
    const QStringList languages = QLocale::system().uiLanguages();
    return !languages.isEmpty() && languages.first().startsWith(QLatin1String("zh"));
}

QByteArray version(bool chinese)
{
    return (chinese ? QStringLiteral("Paxelo备忘录 %1\n") : QStringLiteral("paxelo-memo %1\n"))
        .arg(QStringLiteral(PAXELO_VERSION))
        .toLocal8Bit();
}

QByteArray usage(bool chinese)
{
    if (chinese)
        return QStringLiteral("用法：paxelo-memo [选项]\n"
                              "桌面备忘录：随手记事，一键把记事内容放到桌面壁纸上。\n"
                              "\n"
                              "  -h, --help     显示本帮助后退出\n"
                              "  -V, --version  显示版本号后退出\n"
                              "\n"
                              "不带选项时打开备忘录窗口。\n")
            .toLocal8Bit();
    return QByteArrayLiteral("Usage: paxelo-memo [OPTION]\n"
                             "A desktop memo that puts its notes on the desktop wallpaper.\n"
                             "\n"
                             "  -h, --help     show this help and exit\n"
                             "  -V, --version  show the version and exit\n"
                             "\n"
                             "Without an option the memo window opens.\n");
}

int print(std::FILE *to, const QByteArray &text, int status)
{
    std::fputs(text.constData(), to);
    std::fflush(to);
    return status;
}

} // namespace

namespace CommandLine {

std::optional<int> handle(int argc, const char *const *argv)
{
    const bool chinese = chineseLocale();
    for (int i = 1; i < argc; ++i) {
        const char *argument = argv[i];
        if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0)
            return print(stdout, usage(chinese), 0);
        if (std::strcmp(argument, "--version") == 0 || std::strcmp(argument, "-V") == 0)
            return print(stdout, version(chinese), 0);
        if (isOneOf(argument, kQtOptionsWithValue) && i + 1 < argc) {
            ++i;
            continue;
        }
        if (isOneOf(argument, kQtFlags))
            continue;
        const QByteArray refused = chinese ? QStringLiteral("paxelo-memo：无法识别的参数“%1”\n")
                                                 .arg(QString::fromLocal8Bit(argument))
                                                 .toLocal8Bit()
                                           : QByteArray("paxelo-memo: unrecognised argument '") + argument + "'\n";
        return print(stderr, refused + usage(chinese), 2);
    }
    return std::nullopt;
}

} // namespace CommandLine
