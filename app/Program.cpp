#include "app/Program.h"

#include "mainwindow/MainWindow.h"
#include "shell/QtPlatform.h"
#include "testing/Random.h"

#include <QApplication>
#include <QIcon>

int runQuillmere(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quillmere"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLMERE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("quillmere"));

    QtPlatform platform;
    Random random = Random::fromClock();
    MainWindow window(platform, random);
    window.show();
    return QApplication::exec();
}
