#include "app/ClosingScreen.h"
#include "core/Random.h"
#include "mainwindow/MainWindow.h"
#include "shell/AboutBox.h"
#include "shell/WebLinks.h"
#include "tests/support/Controls.h"
#include "tests/support/RecordingPlatform.h"
#include "widgets/Widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

enum class Window { Main, About, Closing };

// Clicks what the user would click: a menu entry, a label, a box or a button.
void activate(QWidget *window, const QString &name)
{
    if (auto *action = window->findChild<QAction *>(name)) {
        action->trigger();
        return;
    }
    QWidget *control = window->findChild<QWidget *>(name);
    if (control == nullptr) {
        QFAIL(qPrintable(QStringLiteral("no control named ") + name));
        return;
    }
    QTest::mouseClick(control, Qt::LeftButton);
}

} // namespace

class TestWebLinks : public QObject
{
    Q_OBJECT

private slots:
    void everyEntry_opensItsPage_data()
    {
        QTest::addColumn<Window>("window");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("key");
        QTest::addRow("mnuOnline") << Window::Main << "mnuOnline"
                                   << "help-web-page";
        QTest::addRow("mnuVisit") << Window::Main << "mnuVisit"
                                  << "home-page";
        QTest::addRow("mnuUpdate") << Window::Main << "mnuUpdate"
                                   << "download-web-page";
        QTest::addRow("mnuDonate") << Window::Main << "mnuDonate"
                                   << "donate";
        QTest::addRow("Label14") << Window::Main << "Label14"
                                 << "home-page";
        QTest::addRow("lblCobrand") << Window::Main << "lblCobrand"
                                    << "co-brand";
        QTest::addRow("lblFullBrand") << Window::Main << "lblFullBrand"
                                      << "fully-branded";
        QTest::addRow("About lblHomePage") << Window::About << "lblHomePage"
                                           << "home-page";
        QTest::addRow("About lblCoBrand") << Window::About << "lblCoBrand"
                                          << "fully-branded";
        QTest::addRow("Check1") << Window::Closing << "Check1"
                                << "home-page";
        QTest::addRow("lblGoToHome") << Window::Closing << "lblGoToHome"
                                     << "velmorasoftwares";
        QTest::addRow("cmdSubmit") << Window::Closing << "cmdSubmit"
                                   << "orvex-refer-a-friend";
    }
    void everyEntry_opensItsPage()
    {
        QFETCH(Window, window);
        QFETCH(QString, name);
        QFETCH(QString, key);
        RecordingPlatform platform;
        Random random = Random::seeded(5);
        std::unique_ptr<QWidget> shown;
        if (window == Window::Main) {
            shown = std::make_unique<MainWindow>(platform, random);
        } else if (window == Window::About) {
            shown = std::make_unique<AboutBox>(platform);
        } else {
            auto closing = std::make_unique<ClosingScreen>(platform, random, [] {});
            control<QLineEdit>(closing.get(), "txtName")->setText(QStringLiteral("Ann"));
            control<QLineEdit>(closing.get(), "txtFriendName")->setText(QStringLiteral("Bob"));
            control<QLineEdit>(closing.get(), "txtEmail")->setText(QStringLiteral("ann@x.org"));
            control<QLineEdit>(closing.get(), "txtFriendEmail")
                ->setText(QStringLiteral("bob@y.org"));
            shown = std::move(closing);
        }
        shown->show();
        activate(shown.get(), name);

        QCOMPARE(platform.openedAddresses.size(), 1);
        const QString expected
            = WebLinks::siteRoot() + QStringLiteral("/quillmere/ssd.php?page=") + key;
        const QString opened = platform.openedAddresses.first();
        if (key == QStringLiteral("orvex-refer-a-friend"))
            QVERIFY2(
                opened.startsWith(expected + QStringLiteral("&taf1=Ann&")), qPrintable(opened));
        else
            QCOMPARE(opened, expected);
        QVERIFY(platform.messageBoxes.isEmpty());
    }

    void switchedOffMoneyCommand_cannotBeChosen()
    {
        RecordingPlatform platform;
        Random random = Random::seeded(5);
        MainWindow window(platform, random);
        QAction *money = control<QAction>(&window, "mnuMakeMoney");
        QVERIFY(money != nullptr);
        QVERIFY(!money->isEnabled());
        money->trigger();
        QVERIFY(platform.openedAddresses.isEmpty());
    }

    void siteRoot_isOneConstantEverywhere()
    {
        const QString root = WebLinks::siteRoot();
        QVERIFY(root.startsWith(QStringLiteral("https://")));
        QVERIFY(!root.endsWith(QLatin1Char('/')));
        QCOMPARE(WebLinks::productFolder(), root + QStringLiteral("/quillmere/"));
        RecordingPlatform platform;
        Random random = Random::seeded(5);
        AboutBox about(platform);
        QCOMPARE(control<QLabel>(&about, "lblHomePage")->text(),
            QStringLiteral("Click here to visit ") + root);
        ClosingScreen closing(platform, random, [] {});
        QVERIFY(control<QCheckBox>(&closing, "Check1")->text().contains(QUrl(root).host()));
    }
};

QTEST_MAIN(TestWebLinks)
#include "test_weblinks.moc"
