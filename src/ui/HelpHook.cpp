#include "ui/HelpHook.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QWidget>

namespace {

// Context numbers of the windows and the page (and anchor) of the manual that explains them.
struct THelpTopic {
    int Context;
    const char* Page;
};

const THelpTopic HelpTopics[] = {
    {1, "file.html"},
    {2, "edit.html"},
    {3, "view.html"},
    {4, "view.html#display-mode"},
    {5, "view.html#zoom"},
    {6, "image.html"},
    {7, "image.html#palette"},
    {8, "process.html"},
    {9, "help.html"},
    {570, "deconvolution.html#max-entropy"},
    {580, "deconvolution.html#lucy-richardson"},
    {590, "deconvolution.html#van-cittert"},
};

THelpOpener& Opener() {
    static THelpOpener opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return opener;
}

} // namespace

QString HelpFolder() {
    const QString appDir = QCoreApplication::applicationDirPath();
    const QStringList candidates = {appDir + "/help", appDir + "/../share/zelvane/help",
                                    QStringLiteral(ZELVANE_HELP_DIR)};
    for (const QString& dir : candidates)
        if (QFileInfo::exists(dir + "/index.html"))
            return QDir(dir).canonicalPath();
    return {};
}

QUrl HelpUrl(int context) {
    const QString folder = HelpFolder();
    if (folder.isEmpty())
        return {};
    QString page = QStringLiteral("index.html");
    for (const THelpTopic& topic : HelpTopics)
        if (topic.Context == context)
            page = QString::fromLatin1(topic.Page);
    const int hash = page.indexOf('#');
    QUrl url = QUrl::fromLocalFile(folder + "/" + (hash < 0 ? page : page.left(hash)));
    if (hash >= 0)
        url.setFragment(page.mid(hash + 1));
    return url;
}

bool ShowHelpContents() {
    return ShowHelpContext(0);
}

bool ShowHelpContext(int context) {
    const QUrl url = HelpUrl(context);
    return url.isValid() && Opener()(url);
}

THelpOpener SetHelpOpener(THelpOpener opener) {
    THelpOpener old = std::move(Opener());
    Opener() = std::move(opener);
    return old;
}

bool THelpHook::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        for (QWidget* w = qobject_cast<QWidget*>(watched); w; w = w->parentWidget()) {
            const int context = w->property("HelpContext").toInt();
            if (context > 0) {
                ShowHelpContext(context);
                return true;
            }
            if (w->isWindow())
                break;
        }
    }
    return QObject::eventFilter(watched, event);
}
