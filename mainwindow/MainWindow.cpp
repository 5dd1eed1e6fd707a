#include "mainwindow/MainWindow.h"

MainWindow::MainWindow(Platform &platform, Random &random, QWidget *parent)
    : QMainWindow(parent), m_platform(platform), m_random(random)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quillmere v1.20"));
    setFixedSize(620, 430);
}

MainWindow::~MainWindow() = default;
