#include <QDir>
#include <QFile>
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

} // namespace

class TestProcesses : public QObject
{
    Q_OBJECT

private slots:
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

QTEST_GUILESS_MAIN(TestProcesses)
#include "test_processes.moc"
