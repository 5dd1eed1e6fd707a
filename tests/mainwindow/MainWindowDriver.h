#pragma once

#include "mainwindow/MainWindow.h"
#include "testing/Random.h"
#include "tests/support/RecordingPlatform.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include <memory>

// A main window on the recording desktop, driven through its real controls.
struct MainWindowDriver
{
    RecordingPlatform platform;
    Random random = Random::seeded(2024);
    std::unique_ptr<MainWindow> window = std::make_unique<MainWindow>(platform, random);

    template<typename T> T *control(const char *name)
    {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        if (found == nullptr)
            qFatal("no control named %s", name);
        return found;
    }

    void click(const char *name) { control<QAbstractButton>(name)->click(); }
    void choose(const char *name) { control<QAbstractButton>(name)->setChecked(true); }
    void tick(int category)
    {
        control<QCheckBox>(qPrintable(QStringLiteral("chkChoice%1").arg(category)))
            ->setChecked(true);
    }
    QString text(const char *name) { return control<QLabel>(name)->text(); }
    Panel front() const { return window->panelInFront(); }

    // From the welcome panel to the approach panel, learning or testing.
    void proceed(bool learning)
    {
        choose(learning ? "optOption0" : "optOption1");
        click("cmdNext");
    }
    void learnByInterpretation(std::initializer_list<int> categories)
    {
        proceed(true);
        choose("optOption3");
        click("cmdNext2");
        for (int c : categories)
            tick(c);
        click("cmdNext3");
    }
};
