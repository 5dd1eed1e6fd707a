#include "app/ClosingScreen.h"
#include "app/Program.h"
#include "core/Random.h"
#include "mainwindow/MainWindow.h"
#include "tests/support/Controls.h"
#include "tests/support/RecordingPlatform.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

// One whole use of the program, from its start to its end: learning both
// ways, both tests with their printed reports, the About box and the closing
// screen. The sanitizer build runs it with leak detection on.
class TestSession : public QObject
{
    Q_OBJECT

private:
    MainWindow *window = nullptr;

    void click(const char *name) { control<QAbstractButton>(window, name)->click(); }
    void choose(const char *name) { control<QAbstractButton>(window, name)->setChecked(true); }
    void tick(int category)
    {
        control<QCheckBox>(window, QStringLiteral("chkChoice%1").arg(category))->setChecked(true);
    }
    void answerEveryQuestion()
    {
        for (int question = 0; question < 100 && window->panelInFront() == Panel::TestPanel;
             ++question) {
            choose(question % 2 == 0 ? "optOptionTest0" : "optOptionTest1");
            click("cmdNextQuestionTest");
        }
        QCOMPARE(window->panelInFront(), Panel::ResultPanel);
    }

private slots:
    void wholeSession_fromStartToEnd()
    {
        RecordingPlatform platform;
        Random random = Random::seeded(11);
        bool ended = false;
        Program program(platform, random, QDate(2026, 12, 9), QStringLiteral("quillmere"),
            [&ended] { ended = true; });
        program.StartProgram();
        window = program.mainWindow();
        QVERIFY(window != nullptr && window->isVisible());

        // Learning by significance, all the way through.
        choose("optOption0");
        click("cmdNext");
        choose("optOption2");
        click("cmdNext2");
        for (int page = 0; page < 17; ++page)
            click("cmdLearnNext");
        click("cmdMain");

        // Learning by interpretation over three categories.
        click("cmdNext");
        choose("optOption3");
        click("cmdNext2");
        for (int c : { 1, 9, 16 })
            tick(c);
        click("cmdNext3");
        for (int page = 0; page < 25; ++page)
            click("cmdLearnNext");
        click("cmdMain");

        // Both tests, each report printed twice.
        click("cmdBack3");
        click("cmdBack2");
        choose("optOption1");
        click("cmdNext");
        choose("optOption2");
        click("cmdNext2");
        answerEveryQuestion();
        click("cmdPrint");
        click("cmdPrint");
        click("cmdBackToMain");
        click("cmdNext");
        choose("optOption3");
        click("cmdNext2");
        for (int c : { 0, 5, 12, 16 })
            tick(c);
        click("cmdNext3");
        answerEveryQuestion();
        click("cmdPrint");
        QCOMPARE(platform.printedDocuments.size(), 3);
        click("cmdBackToMain");

        // The About box, opened and closed twice.
        for (int i = 0; i < 2; ++i) {
            QTimer::singleShot(0, this, [] {
                if (QWidget *box = QApplication::activeModalWidget())
                    box->close();
            });
            control<QAction>(window, "mnuAbout")->trigger();
        }

        // Closing the main window brings up the closing screen.
        control<QAction>(window, "mnuExit")->trigger();
        QTRY_VERIFY(program.closingScreen() != nullptr);
        ClosingScreen *closing = program.closingScreen();
        control<QLineEdit>(closing, "txtName")->setText(QStringLiteral("Ann"));
        control<QLineEdit>(closing, "txtEmail")->setText(QStringLiteral("ann@example.org"));
        control<QLineEdit>(closing, "txtFriendName")->setText(QStringLiteral("Bo"));
        control<QLineEdit>(closing, "txtFriendEmail")->setText(QStringLiteral("bo@example.org"));
        control<QPushButton>(closing, "cmdSubmit")->click();
        control<QPushButton>(closing, "cmdClose")->click();
        QVERIFY(ended);
        QVERIFY(program.hasEnded());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

QTEST_MAIN(TestSession)
#include "test_session.moc"
