#include "app/ClosingScreen.h"
#include "core/Random.h"
#include "mainwindow/MainWindow.h"
#include "shell/AboutBox.h"
#include "shell/WebLinks.h"
#include "tests/support/Controls.h"
#include "tests/support/RecordingPlatform.h"
#include "widgets/Widgets.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

enum class Window { Main, About, Closing };

// How the user presses: the mouse, a key, or a screen reader's press.
constexpr int Mouse = 0;
constexpr int ScreenReader = -1;

// Presses what the user would press: a menu entry, a label, a box or a button.
void activate(QWidget *window, const QString &name, int how)
{
    if (auto *action = window->findChild<QAction *>(name)) {
        action->trigger();
        return;
    }
    QWidget *pressed = control<QWidget>(window, name);
    if (how == Mouse) {
        QTest::mouseClick(pressed, Qt::LeftButton);
    } else if (how == ScreenReader) {
        QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(pressed);
        QVERIFY(reader != nullptr && reader->actionInterface() != nullptr);
        if (qobject_cast<QLabel *>(pressed) != nullptr) {
            QCOMPARE(reader->role(), QAccessible::Link);
            QCOMPARE(reader->text(QAccessible::Name), static_cast<QLabel *>(pressed)->text());
        }
        reader->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    } else {
        QVERIFY2(pressed->focusPolicy() & Qt::TabFocus, "the keyboard cannot reach it");
        QTest::keyClick(pressed, Qt::Key(how));
    }
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
        QTest::addColumn<int>("how");
        QTest::addRow("mnuOnline") << Window::Main << "mnuOnline"
                                   << "help-web-page" << Mouse;
        QTest::addRow("mnuVisit") << Window::Main << "mnuVisit"
                                  << "home-page" << Mouse;
        QTest::addRow("mnuUpdate") << Window::Main << "mnuUpdate"
                                   << "download-web-page" << Mouse;
        QTest::addRow("mnuDonate") << Window::Main << "mnuDonate"
                                   << "donate" << Mouse;
        QTest::addRow("Label14") << Window::Main << "Label14"
                                 << "home-page" << Mouse;
        QTest::addRow("lblCobrand") << Window::Main << "lblCobrand"
                                    << "co-brand" << Mouse;
        QTest::addRow("lblFullBrand") << Window::Main << "lblFullBrand"
                                      << "fully-branded" << Mouse;
        QTest::addRow("About lblHomePage") << Window::About << "lblHomePage"
                                           << "home-page" << Mouse;
        QTest::addRow("About lblCoBrand") << Window::About << "lblCoBrand"
                                          << "fully-branded" << Mouse;
        QTest::addRow("Check1") << Window::Closing << "Check1"
                                << "home-page" << Mouse;
        QTest::addRow("lblGoToHome") << Window::Closing << "lblGoToHome"
                                     << "velmorasoftwares" << Mouse;
        QTest::addRow("cmdSubmit") << Window::Closing << "cmdSubmit"
                                   << "orvex-refer-a-friend" << Mouse;
        QTest::addRow("Label14 by Return") << Window::Main << "Label14"
                                           << "home-page" << int(Qt::Key_Return);
        QTest::addRow("lblFullBrand by Space") << Window::Main << "lblFullBrand"
                                               << "fully-branded" << int(Qt::Key_Space);
        QTest::addRow("lblCobrand by a screen reader") << Window::Main << "lblCobrand"
                                                       << "co-brand" << ScreenReader;
        QTest::addRow("Check1 by Enter") << Window::Closing << "Check1"
                                         << "home-page" << int(Qt::Key_Enter);
        QTest::addRow("lblGoToHome by Return") << Window::Closing << "lblGoToHome"
                                               << "velmorasoftwares" << int(Qt::Key_Return);
        QTest::addRow("lblGoToHome by a screen reader") << Window::Closing << "lblGoToHome"
                                                        << "velmorasoftwares" << ScreenReader;
        QTest::addRow("cmdSubmit by Return") << Window::Closing << "cmdSubmit"
                                             << "orvex-refer-a-friend" << int(Qt::Key_Return);
    }
    void everyEntry_opensItsPage()
    {
        QFETCH(Window, window);
        QFETCH(QString, name);
        QFETCH(QString, key);
        QFETCH(int, how);
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
        if (window == Window::Main)
            static_cast<MainWindow *>(shown.get())->bringBrandLabelToFront(name == "lblCobrand");
        activate(shown.get(), name, how);

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
