#pragma once

#include <QMainWindow>

class Platform;
class Random;

class MainWindow final : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(Platform &platform, Random &random, QWidget *parent = nullptr);
    ~MainWindow() override;

private:
    Platform &m_platform;
    Random &m_random;
};
