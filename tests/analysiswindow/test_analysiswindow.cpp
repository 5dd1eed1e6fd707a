#include "HandPage.h"
#include "analysiswindow/AnalysisWindow.h"
#include "tests/mainwindow/MainWindowDriver.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QUrl>

using namespace PageAnalysis;

namespace {

constexpr int AnalysisTimeout = 60000;

QLabel *findingLabel(AnalysisWindow *window, int category)
{
    return control<QLabel>(window, qPrintable(QStringLiteral("lblFinding%1").arg(category)));
}

} // namespace

class TestAnalysisWindow : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir files;
    QString page;
    QString empty;
    QString blank;

    // Opens the analysis window from the menu on `file` and waits until the
    // analysis has ended.
    AnalysisWindow *analyseFromMenu(MainWindowDriver &d, const QString &file)
    {
        d.platform.pictureFile = file;
        control<QAction>(d.window.get(), "mnuAnalyse")->trigger();
        AnalysisWindow *window = d.window->analysisWindow();
        if (window != nullptr
            && !QTest::qWaitFor([window] { return !window->isBusy(); }, AnalysisTimeout))
            return nullptr;
        return window;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(files.isValid());
        HandPageLayout layout;
        layout.paperMm = { 148, 210 };
        layout.lineCount = 6;
        page = files.filePath(QStringLiteral("page.png"));
        QVERIFY(drawHandPage(layout).save(page));
        empty = files.filePath(QStringLiteral("empty.png"));
        QFile(empty).open(QIODevice::WriteOnly);
        QImage paper(620, 877, QImage::Format_RGB32);
        paper.fill(QColor(248, 246, 238));
        blank = files.filePath(QStringLiteral("blank.png"));
        QVERIFY(paper.save(blank));
    }

    void menu_listsTheAnalysisFirst_thenExit()
    {
        MainWindowDriver d;
        const QList<QAction *> actions = control<QMenu>(d.window.get(), "mnuFile")->actions();
        QCOMPARE(actions.size(), 4);
        QCOMPARE(actions[0]->objectName(), QStringLiteral("mnuAnalyse"));
        QCOMPARE(actions[0]->text(), QStringLiteral("Analyse My &Handwriting..."));
        QCOMPARE(actions[1]->objectName(), QStringLiteral("mnuHistory"));
        QVERIFY(actions[2]->isSeparator());
        QCOMPARE(actions[3]->objectName(), QStringLiteral("mnuExit"));
        // Nothing of the analysis exists until it is asked for.
        QVERIFY(d.window->analysisWindow() == nullptr);
    }

    void drawnPage_listsEveryCategory()
    {
        MainWindowDriver d;
        AnalysisWindow *window = analyseFromMenu(d, page);
        QVERIFY(window != nullptr);
        QCOMPARE(d.platform.calls.count(QStringLiteral("choosePictureFile")), 1);
        QCOMPARE(window->result().outcome, Outcome::Analysed);
        QVERIFY(!control<QLabel>(window, "picPage")->pixmap().isNull());
        const QString about = control<QLabel>(window, "lblMeasurements")->text();
        QVERIFY(about.contains(QStringLiteral("measurements")));
        QVERIFY(about.contains(QStringLiteral("tendency")));
        // A row per category: the six measured, with their figures and
        // variation, and the rest left to the learner's eye.
        for (int c = 0; c < KnowledgeBase::CategoryCount; ++c) {
            const QString text = findingLabel(window, c)->text();
            QVERIFY2(
                text.contains(d.kb.CategoryNames[size_t(c)].toHtmlEscaped()), qPrintable(text));
            QVERIFY(text.contains(AnalysisWindow::learnLink(c, -1).left(8)));
            QCOMPARE(text.contains(QStringLiteral("look for yourself")), c >= 6);
        }
        const Finding &slant = window->result().findings.first();
        QCOMPARE(slant.category, Slant);
        QVERIFY(slant.variation >= 0);
        const QString slantRow = findingLabel(window, Slant)->text();
        QVERIFY(slantRow.contains(d.kb.VariationNames[size_t(slant.variation)]));
        QVERIFY(slantRow.contains(AnalysisWindow::learnLink(Slant, slant.variation)));
        QVERIFY(d.platform.messageBoxes.isEmpty());
    }

    // A link brings the learn panel to the front on that variation, with its
    // category alone ticked, so that Back and Next page through it.
    void links_leadToTheLearningPanel_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("variation");
        QTest::addColumn<int>("shown");
        QTest::newRow("measured variation") << int(Slant) << 11 << 11;
        QTest::newRow("look for yourself") << 8 << -1 << 44;
        QTest::newRow("signature") << 16 << -1 << 92;
    }

    void links_leadToTheLearningPanel()
    {
        QFETCH(int, category);
        QFETCH(int, variation);
        QFETCH(int, shown);
        MainWindowDriver d;
        AnalysisWindow *window = analyseFromMenu(d, page);
        QVERIFY(window != nullptr);
        emit findingLabel(window, category)
            ->linkActivated(AnalysisWindow::learnLink(category, variation));
        QCOMPARE(d.front(), Panel::LearnPanel);
        QCOMPARE(d.text("lblDescName"), d.kb.CategoryNames[size_t(category)]);
        QCOMPARE(d.text("lblOption"), d.kb.VariationNames[size_t(shown)]);
        QCOMPARE(d.window->state().CurrentRecord, shown);
        for (int c = 0; c < KnowledgeBase::CategoryCount; ++c)
            QCOMPARE(d.window->state().SelectedCategories[size_t(c)], c == category);
        // Next walks to the category's last variation and stays there.
        const int last = d.kb.LastVariation[size_t(category)];
        for (int v = shown; v <= last; ++v)
            d.click("cmdLearnNext");
        QCOMPARE(d.text("lblOption"), d.kb.VariationNames[size_t(last)]);
        d.click("cmdLearnBack");
        QCOMPARE(d.window->state().CurrentRecord,
            qMax(last - 1, int(d.kb.FirstVariation[size_t(category)])));
        d.click("cmdMain");
        QCOMPARE(d.front(), Panel::CategoryPanel);
        QVERIFY(d.platform.messageBoxes.isEmpty());
    }

    void badFiles_sayWhyInTheWindow_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("says");
        QTest::newRow("empty file") << empty << QStringLiteral("cannot be read as a picture");
        QTest::newRow("blank page") << blank << QStringLiteral("No handwriting was found");
    }

    void badFiles_sayWhyInTheWindow()
    {
        QFETCH(QString, file);
        QFETCH(QString, says);
        MainWindowDriver d;
        AnalysisWindow *window = analyseFromMenu(d, file);
        QVERIFY(window != nullptr);
        QVERIFY2(control<QLabel>(window, "lblStatus")->text().contains(says),
            qPrintable(control<QLabel>(window, "lblStatus")->text()));
        QVERIFY(window->findChildren<QLabel *>(QStringLiteral("lblFinding0")).isEmpty());
        QVERIFY(control<QPushButton>(window, "cmdOpen")->isEnabled());
        QVERIFY(d.platform.messageBoxes.isEmpty());
    }

    void noFileChosen_analysesNothing()
    {
        MainWindowDriver d;
        AnalysisWindow *window = analyseFromMenu(d, QString());
        QVERIFY(window != nullptr);
        QVERIFY(window->isVisible());
        QVERIFY(!window->isBusy());
        QCOMPARE(window->result().outcome, Outcome::Unreadable);
        QVERIFY(window->result().findings.isEmpty());
    }

    void cancel_stopsTheAnalysis()
    {
        RecordingPlatform platform;
        AnalysisWindow window(platform);
        QSemaphore gate;
        window.setBeforeAnalysis([&gate] { gate.acquire(); });
        QVERIFY(window.analyse(page));
        QVERIFY(window.isBusy());
        QVERIFY(control<QPushButton>(&window, "cmdCancel")->isEnabled());
        QVERIFY(!window.analyse(page)); // one at a time
        control<QPushButton>(&window, "cmdCancel")->click();
        gate.release();
        QTRY_VERIFY_WITH_TIMEOUT(!window.isBusy(), AnalysisTimeout);
        QCOMPARE(window.result().outcome, Outcome::Cancelled);
        QVERIFY(
            control<QLabel>(&window, "lblStatus")->text().contains(QStringLiteral("cancelled")));
    }

    void closingDuringAnAnalysis_endsIt()
    {
        RecordingPlatform platform;
        auto *window = new AnalysisWindow(platform);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        QVERIFY(window->analyse(page));
        QPointer<AnalysisWindow> watched = window;
        window->close();
        QTRY_VERIFY_WITH_TIMEOUT(watched.isNull(), AnalysisTimeout);
    }

    void droppedFile_isAnalysed()
    {
        RecordingPlatform platform;
        AnalysisWindow window(platform);
        QVERIFY(window.acceptDrops());
        QMimeData data;
        data.setUrls({ QUrl::fromLocalFile(page) });
        QDragEnterEvent enter(
            QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &drop);
        QVERIFY(window.isBusy());
        QTRY_VERIFY_WITH_TIMEOUT(!window.isBusy(), AnalysisTimeout);
        QCOMPARE(window.result().outcome, Outcome::Analysed);
        QVERIFY(platform.calls.isEmpty());
    }
};

QTEST_MAIN(TestAnalysisWindow)
#include "test_analysiswindow.moc"
