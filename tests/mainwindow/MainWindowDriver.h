#pragma once

#include "core/Random.h"
#include "mainwindow/MainWindow.h"
#include "tests/support/Controls.h"
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

    // Tables of its own, filled as the window's are.
    KnowledgeBase kb = [] {
        KnowledgeBase loaded;
        loaded.LoadKnowledgeBase();
        return loaded;
    }();

    template<typename T> T *control(const char *name) { return ::control<T>(window.get(), name); }

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
