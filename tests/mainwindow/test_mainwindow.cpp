#include "tests/mainwindow/MainWindowDriver.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QStackedWidget>

Q_DECLARE_METATYPE(Panel)

namespace {

const QString SelectAnOption = QStringLiteral("Please select an option");

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void opensOnTheWelcomePanel_withNothingChosen()
    {
        MainWindowDriver d;
        QCOMPARE(d.front(), Panel::WelcomePanel);
        QCOMPARE(d.window->windowTitle(), QStringLiteral("Quillmere v1.20"));
        for (const char *name : { "optOption0", "optOption1", "optOption2", "optOption3" })
            QVERIFY(!d.control<QRadioButton>(name)->isChecked());
        QCOMPARE(
            d.control<QAbstractButton>("cmdNext")->text(), QStringLiteral("Click Here To Proceed"));
        QVERIFY(d.window->minimumSize() == d.window->maximumSize());
    }

    void panels_shareOneRectangle_andOnlyTheFrontOneIsShown()
    {
        MainWindowDriver d;
        auto *stack = d.control<QStackedWidget>("fraOption");
        QCOMPARE(stack->geometry(), QRect(4, 40, 600, 307));
        const char *names[] = { "WelcomePanel", "ApproachPanel", "LearnPanel", "TestPanel",
            "ResultPanel", "CategoryPanel" };
        for (int i = 0; i < 6; ++i) {
            auto *panel = d.control<QGroupBox>(names[i]);
            QCOMPARE(stack->indexOf(panel), i);
        }
    }

    void proceedWithoutChoice_showsMessageAndStays()
    {
        MainWindowDriver d;
        d.click("cmdNext");
        QCOMPARE(d.platform.messageTexts(), QStringList { SelectAnOption });
        const auto &box = d.platform.messageBoxes.first();
        QCOMPARE(box.title, QStringLiteral("Quillmere"));
        QCOMPARE(box.icon, Platform::Icon::Critical);
        QCOMPARE(box.buttons, Platform::Buttons::Ok);
        QCOMPARE(d.front(), Panel::WelcomePanel);
        QVERIFY(!d.window->state().IsLearning);
    }

    void proceed_relabelsTheApproachPanel_data()
    {
        QTest::addColumn<bool>("learning");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("bySignificance");
        QTest::addColumn<QString>("byInterpretation");
        QTest::addColumn<QString>("instruction");
        QTest::addRow("learn") << true << "Learn Options"
                               << "Learn By Significance"
                               << "Learn By Interpretation"
                               << "Select the options which you would like to memorize.";
        QTest::addRow("test") << false << "Test Options"
                              << "Test By Significance"
                              << "Test By Interpretation"
                              << "Select the option which you would like to take the test in.";
    }
    void proceed_relabelsTheApproachPanel()
    {
        QFETCH(bool, learning);
        QFETCH(QString, title);
        QFETCH(QString, bySignificance);
        QFETCH(QString, byInterpretation);
        QFETCH(QString, instruction);
        MainWindowDriver d;
        // Relabelled again after choosing the other way first.
        d.proceed(!learning);
        d.click("cmdBack2");
        d.proceed(learning);
        QCOMPARE(d.front(), Panel::ApproachPanel);
        QCOMPARE(d.control<QGroupBox>("ApproachPanel")->title(), title);
        QCOMPARE(d.control<QRadioButton>("optOption2")->text(), bySignificance);
        QCOMPARE(d.control<QRadioButton>("optOption3")->text(), byInterpretation);
        QCOMPARE(d.text("lblCaption3"), instruction);
        QCOMPARE(d.window->state().IsLearning, learning);
        QVERIFY(d.platform.messageBoxes.isEmpty());
    }

    void approachNextWithoutChoice_leavesStateAsItWas()
    {
        MainWindowDriver d;
        d.proceed(true);
        const SharedState before = d.window->state();
        d.click("cmdNext2");
        QCOMPARE(d.platform.messageTexts(), QStringList { SelectAnOption });
        QCOMPARE(d.front(), Panel::ApproachPanel);
        const SharedState &after = d.window->state();
        QCOMPARE(after.CurrentRecord, before.CurrentRecord);
        QCOMPARE(after.IsLearning, before.IsLearning);
        QCOMPARE(after.IsBySignificance, before.IsBySignificance);
    }

    void approachNext_leadsByModeAndApproach_data()
    {
        QTest::addColumn<bool>("learning");
        QTest::addColumn<bool>("bySignificance");
        QTest::addColumn<Panel>("expected");
        QTest::addColumn<QString>("caption");
        QTest::addRow("learn by significance")
            << true << true << Panel::LearnPanel << "Learn By Significance";
        QTest::addRow("learn by interpretation")
            << true << false << Panel::CategoryPanel << QString();
        QTest::addRow("test by significance")
            << false << true << Panel::TestPanel
            << "Test By Significance: Select one option from the given choices below.";
        QTest::addRow("test by interpretation")
            << false << false << Panel::CategoryPanel << QString();
    }
    void approachNext_leadsByModeAndApproach()
    {
        QFETCH(bool, learning);
        QFETCH(bool, bySignificance);
        QFETCH(Panel, expected);
        QFETCH(QString, caption);
        MainWindowDriver d;
        d.proceed(learning);
        d.choose(bySignificance ? "optOption2" : "optOption3");
        d.click("cmdNext2");
        QCOMPARE(d.front(), expected);
        QCOMPARE(d.window->state().IsBySignificance, bySignificance);
        QCOMPARE(d.window->state().CurrentRecord, 0);
        const char *panelName = expected == Panel::LearnPanel ? "LearnPanel"
            : expected == Panel::TestPanel                    ? "TestPanel"
                                                              : "CategoryPanel";
        QCOMPARE(d.control<QGroupBox>(panelName)->title(), caption);
        QCOMPARE(d.control<QAbstractButton>("cmdBack3")->text(), QStringLiteral("&Back"));
    }

    void backButtons_returnWithoutChangingState()
    {
        MainWindowDriver d;
        d.proceed(true);
        d.click("cmdBack2");
        QCOMPARE(d.front(), Panel::WelcomePanel);
        d.click("cmdNext");
        d.choose("optOption3");
        d.click("cmdNext2");
        QCOMPARE(d.front(), Panel::CategoryPanel);
        d.click("cmdBack3");
        QCOMPARE(d.front(), Panel::ApproachPanel);
        QCOMPARE(d.control<QGroupBox>("ApproachPanel")->title(), QStringLiteral("Learn Options"));
        QVERIFY(d.window->state().IsLearning);
    }

    void approachOption_isRememberedAcrossLearningAndTesting()
    {
        MainWindowDriver d;
        d.proceed(true);
        d.choose("optOption3");
        d.click("cmdBack2");
        d.proceed(false);
        QVERIFY(d.control<QRadioButton>("optOption3")->isChecked());
        QVERIFY(!d.control<QRadioButton>("optOption2")->isChecked());
    }

    void categoryNextWithoutTick_keepsSelection()
    {
        MainWindowDriver d;
        d.learnByInterpretation({ 3 });
        d.click("cmdMain");
        QCOMPARE(d.front(), Panel::CategoryPanel);
        d.click("cmdNext3");
        QCOMPARE(d.platform.messageTexts(),
            QStringList { QStringLiteral("Please select at least one option") });
        QCOMPARE(d.front(), Panel::CategoryPanel);
        QVERIFY(d.window->state().SelectedCategories[3]);
    }

    void categoryNext_storesTicksAndClearsTheBoxes()
    {
        MainWindowDriver d;
        d.learnByInterpretation({ 0, 16 });
        const auto &selected = d.window->state().SelectedCategories;
        for (int c = 0; c < 18; ++c)
            QCOMPARE(selected[c], c == 0 || c == 16);
        d.click("cmdMain");
        QCOMPARE(d.front(), Panel::CategoryPanel);
        for (int c = 0; c < 17; ++c)
            QVERIFY(!d.control<QCheckBox>(qPrintable(QStringLiteral("chkChoice%1").arg(c)))
                         ->isChecked());
    }

    void categoryBoxes_standInTwoLevelColumns()
    {
        MainWindowDriver d;
        auto box = [&d](int c) {
            return d.control<QCheckBox>(qPrintable(QStringLiteral("chkChoice%1").arg(c)));
        };
        QCOMPARE(box(16)->text(), QStringLiteral("Signature "));
        QCOMPARE(box(9)->text(), QStringLiteral("I -Dot Analysis"));
        for (int row = 0; row < 8; ++row) {
            QCOMPARE(box(row + 9)->y(), box(row)->y());
            QVERIFY(box(row + 9)->x() > box(row)->x() + box(row)->width() - 1);
            QVERIFY(box(row + 1)->y() > box(row)->y());
        }
    }

    void testByInterpretation_goesToTheTestPanel()
    {
        MainWindowDriver d;
        d.proceed(false);
        d.choose("optOption3");
        d.click("cmdNext2");
        d.tick(5);
        d.click("cmdNext3");
        QCOMPARE(d.front(), Panel::TestPanel);
        QCOMPARE(d.control<QGroupBox>("TestPanel")->title(),
            QStringLiteral(
                "Test By Interpretation: Select one option from the given choices below."));
        QVERIFY(!d.window->state().IsLearning);
    }

    void backToMain_dependsOnTheApproach()
    {
        MainWindowDriver d;
        d.proceed(true);
        d.choose("optOption2");
        d.click("cmdNext2");
        d.click("cmdMain");
        QCOMPARE(d.front(), Panel::WelcomePanel);
        // The welcome panel keeps the state until the next proceed.
        QVERIFY(d.window->state().IsLearning);
        QVERIFY(d.window->state().IsBySignificance);
    }

    void menuBar_holdsEveryEntryInOrder()
    {
        MainWindowDriver d;
        QStringList bar;
        for (QAction *a : d.window->menuBar()->actions())
            bar << a->text();
        QCOMPARE(bar,
            QStringList({ QStringLiteral("&File"), QStringLiteral("&Help"),
                QStringLiteral("&Donate"), QStringLiteral("Make Money &Online") }));
        QStringList help;
        for (QAction *a : d.control<QMenu>("mnuHelp")->actions())
            help << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(help,
            QStringList({ QStringLiteral("&Online Help"), QStringLiteral("&Visit Us Online"),
                QStringLiteral("-"), QStringLiteral("Check for Software &Update"),
                QStringLiteral("-"), QStringLiteral("&About Software") }));
        QStringList file;
        for (QAction *a : d.control<QMenu>("mnuFile")->actions())
            file << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(file,
            QStringList(
                { QStringLiteral("Analyse My &Handwriting..."), QStringLiteral("Test &History..."),
                    QStringLiteral("-"), QStringLiteral("E&xit") }));
        QVERIFY(!d.control<QAction>("mnuMakeMoney")->isEnabled());
    }

    void brandLabels_shareOnePlace_fullBrandInFrontAsBuilt()
    {
        MainWindowDriver d;
        auto *co = d.control<QLabel>("lblCobrand");
        auto *full = d.control<QLabel>("lblFullBrand");
        QCOMPARE(co->geometry(), QRect(4, 12, 607, 33));
        QCOMPARE(full->geometry(), co->geometry());
        QVERIFY(!d.window->isCoBrandInFront());
        // The doubled ampersand shows as one.
        QVERIFY(co->text().contains(QStringLiteral("name &  link")));
        d.window->bringBrandLabelToFront(true);
        QVERIFY(d.window->isCoBrandInFront());
    }

    void keyboard_reachesTheFrontPanelThenTheLinksSeen()
    {
        MainWindowDriver d;
        d.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(d.window.get()));
        auto *welcome = d.control<QGroupBox>("WelcomePanel");
        QWidget *start = d.control<QWidget>("optOption0");
        QList<QWidget *> reached = { start };
        for (QWidget *w = start->nextInFocusChain(); w != start; w = w->nextInFocusChain()) {
            if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
                reached << w;
        }
        // The panel's own controls, then the forum link and the promotional
        // label that is seen, not the one behind it; then round again.
        const QList<QWidget *> links
            = { d.control<QWidget>("Label14"), d.control<QWidget>("lblFullBrand") };
        QCOMPARE(reached.mid(reached.size() - 2), links);
        for (QWidget *widget : reached.mid(0, reached.size() - 2))
            QVERIFY2(
                welcome->isAncestorOf(widget) || !d.window->centralWidget()->isAncestorOf(widget),
                qPrintable(widget->objectName()));
        QVERIFY(reached.contains(d.control<QWidget>("cmdNext")));
        QVERIFY(!reached.contains(d.control<QWidget>("lblCobrand")));
        d.window->bringBrandLabelToFront(true);
        QVERIFY(d.control<QWidget>("lblCobrand")->focusPolicy() & Qt::TabFocus);
        QVERIFY(!(d.control<QWidget>("lblFullBrand")->focusPolicy() & Qt::TabFocus));
    }

    void panelComingToTheFront_focusesWhatComesNext_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("focused");
        QTest::addRow("welcome") << QStringList {} << "optOption0";
        QTest::addRow("approach") << QStringList { "optOption0", "cmdNext" } << "optOption2";
        QTest::addRow("learn by significance")
            << QStringList { "optOption0", "cmdNext", "optOption2", "cmdNext2" } << "cmdLearnNext";
        QTest::addRow("category panel")
            << QStringList { "optOption0", "cmdNext", "optOption3", "cmdNext2" } << "chkChoice0";
        QTest::addRow("learn by interpretation") << QStringList { "optOption0", "cmdNext",
            "optOption3", "cmdNext2", "chkChoice4", "cmdNext3" }
                                                 << "cmdLearnNext";
        QTest::addRow("test") << QStringList { "optOption1", "cmdNext", "optOption2", "cmdNext2" }
                              << "optOptionTest0";
    }
    void panelComingToTheFront_focusesWhatComesNext()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, focused);
        MainWindowDriver d;
        for (const QString &step : steps)
            d.control<QAbstractButton>(qPrintable(step))->click();
        QCOMPARE(d.window->focusWidget(), d.control<QWidget>(qPrintable(focused)));
    }

    void returnAndEnter_pressTheFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::addRow("Return") << int(Qt::Key_Return);
        QTest::addRow("Enter on the keypad") << int(Qt::Key_Enter);
    }
    void returnAndEnter_pressTheFocusedButton()
    {
        QFETCH(int, key);
        MainWindowDriver d;
        QTest::keyClick(d.control<QWidget>("optOption0"), Qt::Key(key));
        QVERIFY(d.control<QAbstractButton>("optOption0")->isChecked());
        QTest::keyClick(d.control<QWidget>("cmdNext"), Qt::Key(key));
        QCOMPARE(d.front(), Panel::ApproachPanel);
        d.choose("optOption2");
        QTest::keyClick(d.control<QWidget>("cmdNext2"), Qt::Key(key));
        QCOMPARE(d.text("lblDescName"), QStringLiteral("Margins"));
        QTest::keyClick(d.control<QWidget>("cmdLearnNext"), Qt::Key(key));
        QCOMPARE(d.text("lblDescName"), QStringLiteral("Slant"));
        // With a modifier it is not a press.
        QTest::keyClick(d.control<QWidget>("cmdLearnNext"), Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(d.text("lblDescName"), QStringLiteral("Slant"));
    }

    void accessKeys_pressTheirButtons()
    {
        MainWindowDriver d;
        d.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(d.window.get()));
        d.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d.window.get()));
        d.proceed(true);
        d.choose("optOption2");
        d.click("cmdNext2");
        QCOMPARE(d.text("lblDescName"), QStringLiteral("Margins"));
        // An access key presses its button with a short visible animation.
        QTest::keyClick(d.window.get(), Qt::Key_X, Qt::AltModifier);
        QTRY_COMPARE(d.text("lblDescName"), QStringLiteral("Slant"));
        QTest::keyClick(d.window.get(), Qt::Key_B, Qt::AltModifier);
        QTRY_COMPARE(d.text("lblDescName"), QStringLiteral("Margins"));
        QTest::keyClick(d.window.get(), Qt::Key_M, Qt::AltModifier);
        QTRY_COMPARE(d.front(), Panel::WelcomePanel);
    }

    void everyControl_hasAnAccessibleName()
    {
        MainWindowDriver d;
        for (QAbstractButton *b : d.window->findChildren<QAbstractButton *>()) {
            if (b->text().isEmpty())
                continue;
            QVERIFY2(!b->accessibleName().isEmpty(), qPrintable(b->objectName()));
            QVERIFY2(!b->accessibleName().contains(QLatin1Char('&'))
                    || b->text().contains(QStringLiteral("&&")),
                qPrintable(b->objectName()));
        }
        QCOMPARE(
            d.control<QAbstractButton>("cmdLearnNext")->accessibleName(), QStringLiteral("Next"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
