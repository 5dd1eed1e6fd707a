#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

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

quint16 freePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

bool readExactly(QTcpSocket &socket, qint64 size, QByteArray &out, QDeadlineTimer deadline)
{
    while (socket.bytesAvailable() < size) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    }
    out = socket.read(size);
    return true;
}

// A minimal remote-framebuffer client: enough to press keys on a copy that
// runs on Qt's VNC platform.
class KeyboardOverVnc
{
public:
    bool connectTo(quint16 port, QDeadlineTimer deadline)
    {
        while (!deadline.hasExpired()) {
            m_socket.connectToHost(QHostAddress::LocalHost, port);
            if (m_socket.waitForConnected(1000))
                break;
            m_socket.abort();
            QTest::qWait(100);
        }
        QByteArray data;
        if (!readExactly(m_socket, 12, data, deadline) || !data.startsWith("RFB "))
            return false;
        m_socket.write("RFB 003.003\n");
        if (!readExactly(m_socket, 4, data, deadline) || qFromBigEndian<quint32>(data.data()) != 1)
            return false;
        m_socket.write(QByteArray(1, '\1')); // shared session
        if (!readExactly(m_socket, 24, data, deadline))
            return false;
        const quint32 nameLength = qFromBigEndian<quint32>(data.data() + 20);
        return readExactly(m_socket, nameLength, data, deadline);
    }

    void press(quint32 keysym)
    {
        for (const char down : { '\1', '\0' }) {
            char message[8] = { 4, down, 0, 0 };
            qToBigEndian(keysym, message + 4);
            m_socket.write(message, sizeof message);
        }
        m_socket.flush();
    }

private:
    QTcpSocket m_socket;
};

constexpr quint32 KeyReturn = 0xff0d;

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

        const quint16 port = freePort();
        QVERIFY(port != 0);
        auto second = startCopy(QStringLiteral("vnc:size=640x480:port=%1").arg(port),
            runtime.path(), secondConfig.path());
        QVERIFY(second->waitForStarted());
        KeyboardOverVnc keyboard;
        QVERIFY(keyboard.connectTo(port, QDeadlineTimer(StartTimeout)));

        // The copy waits on its message box until OK is pressed; Enter presses
        // it, and a press that comes before the box is up changes nothing.
        const QDeadlineTimer deadline(StartTimeout);
        while (second->state() != QProcess::NotRunning && !deadline.hasExpired()) {
            keyboard.press(KeyReturn);
            second->waitForFinished(250);
        }
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
