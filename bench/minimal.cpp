// The yardstick for Quillmere's start-up: the least a Qt Widgets program with
// a menu bar and six stacked pages of labels and buttons has to do.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    for (const char *title : { "&File", "&Help", "&Donate" })
        window.menuBar()->addMenu(QString::fromLatin1(title))->addAction(QStringLiteral("Entry"));
    auto *pages = new QStackedWidget;
    for (int page = 0; page < 6; ++page) {
        auto *widget = new QWidget;
        auto *layout = new QVBoxLayout(widget);
        for (int i = 0; i < 4; ++i)
            layout->addWidget(new QLabel(QStringLiteral("Page %1, label %2").arg(page).arg(i)));
        layout->addWidget(new QPushButton(QStringLiteral("Back")));
        layout->addWidget(new QPushButton(QStringLiteral("Next")));
        pages->addWidget(widget);
    }
    window.setCentralWidget(pages);
    window.resize(619, 430);
    window.show();
    return QApplication::exec();
}
