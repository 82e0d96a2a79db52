#include "memo/webenginemodule.h"

#include "files/appfolder.h"
#include "memo/core/siteaddress.h"
#include "platform/processuser.h"
#include "webengine/browsermodule.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace {

// Beside the executable in a portable application folder; in the private
// library folder of an installed program, which the build names.
QStringList candidates()
{
    if (!WebEngineModule::location().isEmpty())
        return {WebEngineModule::location()};
    const QString program = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    const QString name = QLatin1String(BrowserModule::kFileName);
    return {program + name, program + QStringLiteral(PAXELO_INSTALLED_MODULE_DIR "/") + name};
}

} // namespace

namespace WebEngineModule {

void prepareApplication(int &argc, char **argv)
{
    // The application folder, where the site is configured, is known only to
    // an application object: a plain one serves and is gone again.
    const bool siteConfigured = [&] {
        QCoreApplication probe(argc, argv);
        return !Site::configuredRoot().isEmpty();
    }();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts, siteConfigured);
}

QString &location()
{
    static QString file;
    return file;
}

QString missingModuleMessage(const QString &siteRoot)
{
    const QString siteFile = QDir::toNativeSeparators(AppFolder::file(QString::fromUtf16(Site::kSiteFile)));
    return QStringLiteral("无法显示网站 %1 的页面：没有安装浏览器组件。\n"
                          "%2 设置了这个网站，显示它需要软件包 %3，"
                          "请安装它（例如 sudo apt install %3），或删除这个文件。")
        .arg(siteRoot, siteFile, QLatin1String(kPackage));
}

QWidget *createBrowser(QWidget *parent)
{
    // The engine refuses to start under the superuser while its sandbox is
    // on, and takes the whole program down with it.
    if (runsAsSuperuser())
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // Kept loaded to the end of the program: the browser's code lives in it.
    static QLibrary module;
    for (const QString &candidate : candidates()) {
        if (module.isLoaded())
            break;
        module.setFileName(candidate);
        module.load();
    }
    auto create = reinterpret_cast<BrowserModule::CreateBrowser>(module.resolve(BrowserModule::kCreateBrowser));
    return create ? create(parent) : nullptr;
}

} // namespace WebEngineModule
