#include "tests/mainwindow/MainWindowDriver.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTextEdit>
#include <QTimer>

namespace {

// How many random events one walk takes; QUILLMERE_WALK_STEPS overrides it.
int walkSteps()
{
    bool ok = false;
    const int steps = qEnvironmentVariableIntValue("QUILLMERE_WALK_STEPS", &ok);
    return ok && steps > 0 ? steps : 4000;
}

} // namespace

// Thousands of random clicks and key presses on whatever the main window
// offers, with every message box answered; after each event the window must
// still make sense.
class TestRandomWalk : public QObject
{
    Q_OBJECT

private:
    void checkInvariants(MainWindowDriver &d, const QString &step)
    {
        auto *panels = d.control<QStackedWidget>("fraOption");
        const int front = panels->currentIndex();
        QVERIFY2(front >= 0 && front < PanelCount, qPrintable(step));
        QCOMPARE(panels->count(), PanelCount);
        int shown = 0;
        for (int i = 0; i < panels->count(); ++i)
            shown += panels->widget(i)->isVisible() ? 1 : 0;
        QVERIFY2(shown == 1 && panels->widget(front)->isVisible(), qPrintable(step));

        const SharedState &state = d.window->state();
        const KnowledgeBase &kb = d.kb;
        if (d.front() == Panel::LearnPanel && state.IsLearning) {
            const int record = state.CurrentRecord;
            if (state.IsBySignificance) {
                QVERIFY2(record >= 0 && record <= 16, qPrintable(step));
            } else {
                QVERIFY2(record >= state.RangeFirst && record <= state.RangeLast, qPrintable(step));
                QVERIFY2(state.SelectedCategories[state.CurrentCategory], qPrintable(step));
                QCOMPARE(kb.categoryOfVariation(record), int(state.CurrentCategory));
                QCOMPARE(d.text("lblOption"), kb.VariationNames[record]);
            }
        }
        if (d.front() == Panel::ResultPanel)
            checkReport(d.control<QTextEdit>("RTB")->toPlainText(), step);
    }

    static void checkReport(const QString &report, const QString &step)
    {
        if (report.isEmpty())
            return;
        const QStringList lines = report.split(QLatin1Char('\n'));
        const int blocks = static_cast<int>(lines.count(QStringLiteral("Your Choice:")));
        static const QRegularExpression scoreLine(
            QStringLiteral("^(\\d+) Correct out of (\\d+) Questions$"));
        const auto match = scoreLine.match(lines.last());
        QVERIFY2(match.hasMatch(), qPrintable(step + QStringLiteral(": ") + lines.last()));
        const int score = match.captured(1).toInt();
        const int questions = match.captured(2).toInt();
        QVERIFY2(questions == blocks, qPrintable(step));
        QVERIFY2(score <= questions, qPrintable(step));
        QVERIFY2(lines.count(QStringLiteral("The Correct Choice:")) == blocks, qPrintable(step));
    }

private slots:
    void randomWalk_keepsTheWindowConsistent_data()
    {
        QTest::addColumn<quint64>("seed");
        for (quint64 seed : { 1ULL, 2ULL, 3ULL })
            QTest::addRow("seed %llu", seed) << seed;
    }
    void randomWalk_keepsTheWindowConsistent()
    {
        QFETCH(quint64, seed);
        MainWindowDriver d;
        d.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(d.window.get()));
        Random choice = Random::seeded(seed);
        const int keys[] = { Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Space, Qt::Key_Up, Qt::Key_Down,
            Qt::Key_Left, Qt::Key_Right, Qt::Key_Return, Qt::Key_Escape, Qt::Key_A };
        const QList<QAction *> menuEntries = d.window->findChildren<QAction *>();
        int reports = 0;
        const int steps = walkSteps();
        for (int i = 0; i < steps; ++i) {
            QString step = QStringLiteral("step %1").arg(i);
            const int kind = choice.below(10);
            if (kind < 7) {
                // A click on a visible, enabled button of the window.
                QList<QAbstractButton *> buttons;
                for (QAbstractButton *b : d.window->findChildren<QAbstractButton *>()) {
                    if (b->isVisible() && b->isEnabled())
                        buttons << b;
                }
                QAbstractButton *b = buttons.at(choice.below(static_cast<int>(buttons.size())));
                step += QStringLiteral(": click ") + b->objectName();
                b->click();
            } else if (kind < 9) {
                const int key = keys[choice.below(static_cast<int>(std::size(keys)))];
                QWidget *target = QApplication::focusWidget();
                if (target == nullptr || target->window() != d.window.get())
                    target = d.window.get();
                step += QStringLiteral(": key %1 on %2").arg(key).arg(target->objectName());
                QTest::keyClick(target, static_cast<Qt::Key>(key));
            } else {
                // A menu entry; the About box is modal, so it is closed again
                // as soon as it is up.
                QAction *entry = menuEntries.at(choice.below(static_cast<int>(menuEntries.size())));
                if (entry->objectName() == QLatin1String("mnuExit") || entry->isSeparator()
                    || entry->menu() != nullptr || !entry->isEnabled())
                    continue;
                step += QStringLiteral(": menu ") + entry->objectName();
                QTimer::singleShot(0, this, [] {
                    if (QWidget *modal = QApplication::activeModalWidget())
                        modal->close();
                });
                entry->trigger();
            }
            const bool onReport = d.front() == Panel::ResultPanel;
            checkInvariants(d, step);
            if (QTest::currentTestFailed())
                return;
            reports += onReport ? 1 : 0;
        }
        // The walk must have reached the far end of the program at least once.
        QVERIFY(reports > 0);
    }
};

QTEST_MAIN(TestRandomWalk)
#include "test_randomwalk.moc"
