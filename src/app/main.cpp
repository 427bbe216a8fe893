// Zelvane Image: the desktop application. "zelvane [FILE]" opens FILE.

#include "app/ActionIcons.h"
#include "app/MainForm.h"
#include "app/MessageSink.h"
#include "app/QtDispatcher.h"
#include "app/Tools.h"
#include "ui/HelpHook.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>
#include <QWindow>

#include <memory>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelvane Image 3.0XE"));
    QApplication::setApplicationDisplayName(QString::fromLatin1(ProductTitle));
    QApplication::setOrganizationName(QStringLiteral("Nortane Systems"));
    QApplication::setWindowIcon(AppIcon());

    TQtDispatcher dispatcher;
    InstallMessageBoxSink(dispatcher);
    THelpHook helpHook;
    app.installEventFilter(&helpHook);

    TfrmMain main(&dispatcher);
    RegisterTools(main);
    main.show();

    const QStringList args = QApplication::arguments();
    if (args.size() > 1) {
        const QString path = QFileInfo(args[1]).absoluteFilePath();
        // Open once the window is on screen with its final (often maximised) size, so the image
        // is fitted to that; give up waiting after a second.
        auto* poll = new QTimer(&main);
        auto tries = std::make_shared<int>(0);
        QObject::connect(poll, &QTimer::timeout, &main, [&main, poll, tries, path] {
            const QWindow* window = main.windowHandle();
            if ((window && window->isExposed()) || ++*tries > 50) {
                poll->stop();
                poll->deleteLater();
                main.OpenImage(path);
            }
        });
        poll->start(20);
    }
    const int result = QApplication::exec();
    return result;
}
