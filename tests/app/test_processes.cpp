#include "HandPage.h"
#include "knowledge/KnowledgeBase.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

constexpr int StartTimeout = 60000;

// One copy of the built program with its own desktop folders.
std::unique_ptr<QProcess> startCopy(
    const QString &qpa, const QString &runtime, const QString &config)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), qpa);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QStringLiteral(QUILLMERE_PROGRAM), {});
    return process;
}

// The reminder writes its first day before the main window is built, so the
// settings file shows that a copy got past the single-instance guard.
QString settingsFile(const QString &config)
{
    return QDir(config).filePath(QStringLiteral("quillmere.conf"));
}

// Runs an xdotool command on the test's display and returns what it printed,
// or nothing when it failed. `search --sync` waits by itself until a window
// matches.
QString xdotool(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), arguments);
    if (!tool.waitForFinished(StartTimeout) || tool.exitCode() != 0)
        return QString();
    return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
}

// What the program answered on its command line.
struct Answer
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the program with `arguments` as on a machine without a display: no
// DISPLAY, no platform chosen, and a runtime folder of the test's own.
Answer runWithoutDisplay(const QStringList &arguments, const QString &runtime)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(QUILLMERE_PROGRAM), arguments);
    if (!process.waitForFinished(StartTimeout) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return { process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError() };
}

} // namespace

class TestProcesses : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir files;

    QString pageFile(const QString &name, const QImage &image)
    {
        const QString path = files.filePath(name);
        image.save(path);
        return path;
    }

private slots:
    // Each answer comes without a display and takes no single-instance lock:
    // the runtime folder, where the lock would live, stays empty.
    void commandLine_answers_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out"); // the start of what it prints
        QTest::addColumn<int>("errLines");
        QVERIFY(files.isValid());
        HandPageLayout layout;
        layout.paperMm = { 148, 210 };
        layout.lineCount = 5;
        const QString page = pageFile(QStringLiteral("page.png"), drawHandPage(layout));
        QImage blank(620, 877, QImage::Format_RGB32);
        blank.fill(QColor(248, 246, 238));
        const QString empty = files.filePath(QStringLiteral("empty.png"));
        QFile(empty).open(QIODevice::WriteOnly);
        const QString text = files.filePath(QStringLiteral("text.jpg"));
        QFile textFile(text);
        QVERIFY(textFile.open(QIODevice::WriteOnly));
        textFile.write("not a picture at all\n");
        textFile.close();
        auto arguments = [](std::initializer_list<QString> list) { return QStringList(list); };
        const QString analyse = QStringLiteral("--analyse");
        QTest::newRow("version") << arguments({ QStringLiteral("--version") }) << 0
                                 << QStringLiteral("Quillmere 1.20\n") << 0;
        QTest::newRow("help") << arguments({ QStringLiteral("--help") }) << 0
                              << QStringLiteral("Usage: ") << 0;
        QTest::newRow("unknown option")
            << arguments({ QStringLiteral("--analyze") }) << 1 << QString() << 2;
        QTest::newRow("written page")
            << arguments({ analyse, page }) << 0 << QStringLiteral("{\"file\":") << 0;
        QTest::newRow("empty file") << arguments({ analyse, empty }) << 2 << QString() << 1;
        QTest::newRow("not a picture") << arguments({ analyse, text }) << 2 << QString() << 1;
        QTest::newRow("no such file")
            << arguments({ analyse, files.filePath(QStringLiteral("gone.png")) }) << 2 << QString()
            << 1;
        QTest::newRow("blank page")
            << arguments({ analyse, pageFile(QStringLiteral("blank.png"), blank) }) << 3
            << QString() << 1;
    }

    void commandLine_answers()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(int, errLines);
        QTemporaryDir runtime;
        const Answer answer = runWithoutDisplay(arguments, runtime.path());
        QCOMPARE(answer.status, status);
        QVERIFY2(QString::fromUtf8(answer.out).startsWith(out), answer.out.constData());
        if (out.isEmpty())
            QVERIFY(answer.out.isEmpty());
        QCOMPARE(answer.err.count('\n'), errLines);
        QVERIFY(QDir(runtime.path()).isEmpty());
    }

    // One JSON object whose names are the knowledge base's, one finding for
    // each category that a page shows.
    void commandLine_analysisNamesTheKnowledgeBase()
    {
        HandPageLayout layout;
        layout.paperMm = { 148, 210 };
        layout.lineCount = 6;
        layout.slant = 14;
        const QString page = pageFile(QStringLiteral("names.png"), drawHandPage(layout));
        QTemporaryDir runtime;
        const Answer answer
            = runWithoutDisplay({ QStringLiteral("--analyse"), page }, runtime.path());
        QCOMPARE(answer.status, 0);
        QCOMPARE(answer.out.count('\n'), 1);
        const QJsonObject json = QJsonDocument::fromJson(answer.out).object();
        for (const char *key : { "file", "width", "height", "dpi", "x_height_px", "findings" })
            QVERIFY2(json.contains(QLatin1String(key)), key);
        QCOMPARE(json.value(QStringLiteral("file")).toString(), page);
        KnowledgeBase kb;
        kb.LoadKnowledgeBase();
        const QStringList categories(kb.CategoryNames.begin(), kb.CategoryNames.end() - 1);
        const QStringList variations(kb.VariationNames.begin(), kb.VariationNames.end() - 1);
        const QJsonArray findings = json.value(QStringLiteral("findings")).toArray();
        QCOMPARE(findings.size(), 6);
        QStringList seen;
        for (const QJsonValue &finding : findings) {
            const QJsonObject f = finding.toObject();
            seen << f.value(QStringLiteral("category")).toString();
            QVERIFY(categories.contains(seen.last()));
            const QJsonValue variation = f.value(QStringLiteral("variation"));
            QVERIFY(variation.isNull() || variations.contains(variation.toString()));
            QVERIFY(f.value(QStringLiteral("sure")).isBool());
            QVERIFY(f.value(QStringLiteral("measures")).isObject());
            QVERIFY(f.value(QStringLiteral("note")).isString());
        }
        QCOMPARE(seen.removeDuplicates(), 0);
        // The slant drawn lies clear of every border.
        QCOMPARE(findings.first().toObject().value(QStringLiteral("variation")).toString(),
            QStringLiteral("Moderate Right Slant"));
    }

    void secondCopy_endsAfterItsMessage_andTheFirstGoesOn()
    {
        QTemporaryDir runtime;
        QTemporaryDir firstConfig;
        QTemporaryDir secondConfig;
        auto first = startCopy(QStringLiteral("offscreen"), runtime.path(), firstConfig.path());
        QVERIFY(first->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(settingsFile(firstConfig.path())), StartTimeout);
        QFile firstSettings(settingsFile(firstConfig.path()));
        QVERIFY(firstSettings.open(QIODevice::ReadOnly));
        const QByteArray firstDay = firstSettings.readAll();
        firstSettings.close();

        if (qEnvironmentVariableIsEmpty("DISPLAY")
            || QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("needs a display and xdotool (the test runs under xvfb-run)");
        auto second = startCopy(QStringLiteral("xcb"), runtime.path(), secondConfig.path());
        QVERIFY(second->waitForStarted());

        // The copy waits on its message box until OK is pressed: the box is
        // found as soon as it is shown, and Enter presses its OK.
        const QString found = xdotool(
            { QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                QStringLiteral("--pid"), QString::number(second->processId()),
                QStringLiteral("--name"), QStringLiteral("^Quillmere$") });
        const QString box = found.section(QLatin1Char('\n'), 0, 0);
        QVERIFY2(!box.isEmpty(), "the second copy showed no message box");
        xdotool({ QStringLiteral("windowfocus"), QStringLiteral("--sync"), box,
            QStringLiteral("key"), QStringLiteral("Return") });
        QVERIFY(second->waitForFinished(StartTimeout));
        QCOMPARE(second->state(), QProcess::NotRunning);
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        // It never reached the update reminder, let alone the main window.
        QVERIFY(!QFile::exists(settingsFile(secondConfig.path())));

        QCOMPARE(first->state(), QProcess::Running);
        QVERIFY(firstSettings.open(QIODevice::ReadOnly));
        QCOMPARE(firstSettings.readAll(), firstDay);
        first->kill();
        first->waitForFinished();
    }

    void killedCopy_doesNotRefuseTheNextStart()
    {
        QTemporaryDir runtime;
        QTemporaryDir firstConfig;
        QTemporaryDir nextConfig;
        auto first = startCopy(QStringLiteral("offscreen"), runtime.path(), firstConfig.path());
        QVERIFY(first->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(settingsFile(firstConfig.path())), StartTimeout);
        first->kill();
        QVERIFY(first->waitForFinished());
        QCOMPARE(first->exitStatus(), QProcess::CrashExit);
        // The dead copy's lock is still there for the next start to find.
        QVERIFY(!QDir(runtime.path()).entryList({ QStringLiteral("quillmere.lock*") }).isEmpty());

        auto next = startCopy(QStringLiteral("offscreen"), runtime.path(), nextConfig.path());
        QVERIFY(next->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(settingsFile(nextConfig.path())), StartTimeout);
        QCOMPARE(next->state(), QProcess::Running);
        next->kill();
        next->waitForFinished();
    }
};

// Pages are drawn with fonts, which needs the GUI application.
QTEST_MAIN(TestProcesses)
#include "test_processes.moc"
