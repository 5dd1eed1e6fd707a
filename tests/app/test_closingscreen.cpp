#include "app/ClosingScreen.h"
#include "core/Random.h"
#include "shell/WebLinks.h"
#include "tests/support/Controls.h"
#include "tests/support/RecordingPlatform.h"
#include "widgets/Widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

#include <memory>

namespace {

// A closing screen on the recording desktop; its end is counted.
struct Screen
{
    RecordingPlatform platform;
    Random random;
    int ends = 0;
    std::unique_ptr<ClosingScreen> window;

    explicit Screen(quint64 seed = 11) : random(Random::seeded(seed))
    {
        window = std::make_unique<ClosingScreen>(platform, random, [this] { ++ends; });
    }

    QLineEdit *box(const char *name) { return control<QLineEdit>(window.get(), name); }

    void fill(const QString &email, const QString &friendEmail)
    {
        control<QLineEdit>(window.get(), "txtEmail")->setText(email);
        control<QLineEdit>(window.get(), "txtFriendEmail")->setText(friendEmail);
    }
    void submit()
    {
        QTest::mouseClick(control<QPushButton>(window.get(), "cmdSubmit"), Qt::LeftButton);
    }
};

QString queryValue(const QString &address, const char *name)
{
    return QUrlQuery(QUrl(address)).queryItemValue(QString::fromLatin1(name), QUrl::FullyDecoded);
}

void focus(QWidget *w)
{
    w->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
}

} // namespace

class TestClosingScreen : public QObject
{
    Q_OBJECT

private slots:
    void window_isAFixedWhiteScreenKeptOnTop()
    {
        Screen s;
        ClosingScreen *w = s.window.get();
        QCOMPARE(w->objectName(), QStringLiteral("frmClosing"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Quillmere v1.20"));
        QCOMPARE(w->size(), QSize(741, 315));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QVERIFY(w->isWindow());
        QVERIFY(!(w->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(w->windowType(), Qt::Window);
        QCOMPARE(w->palette().color(QPalette::Window), QColor(Qt::white));
        QVERIFY(!w->windowIcon().isNull());
        QVERIFY(!control<QLabel>(w, "picClosingIcon")->pixmap().isNull());
        QCOMPARE(
            control<QLabel>(w, "lblClosingCaption")->text(), QStringLiteral("Quillmere v1.20"));
        QCOMPARE(control<QLabel>(w, "lblClosingCaption")->pos(), QPoint(72, 16));
        QVERIFY(control<QLabel>(w, "lblClosingCaption")->width()
            >= control<QLabel>(w, "lblClosingCaption")->sizeHint().width());
        QCOMPARE(s.platform.keptAbove, QList<QWidget *> { w });
        QVERIFY(s.platform.messageBoxes.isEmpty());
    }

    void controls_standWhereTheyAreDesigned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("where");
        QTest::addColumn<QString>("parentName");
        QTest::addRow("picClosingIcon") << "picClosingIcon" << QRect(24, 8, 36, 36) << "frmClosing";
        QTest::addRow("Label2") << "Label2" << QRect(8, 56, 465, 73) << "frmClosing";
        QTest::addRow("Check1") << "Check1" << QRect(2, 136, 479, 37) << "frmClosing";
        QTest::addRow("cmdClose") << "cmdClose" << QRect(400, 184, 83, 25) << "frmClosing";
        QTest::addRow("Frame2") << "Frame2" << QRect(8, 216, 471, 97) << "frmClosing";
        QTest::addRow("txtName") << "txtName" << QRect(6, 24, 225, 19) << "Frame2";
        QTest::addRow("txtEmail") << "txtEmail" << QRect(240, 24, 225, 19) << "Frame2";
        QTest::addRow("txtFriendName") << "txtFriendName" << QRect(6, 48, 225, 19) << "Frame2";
        QTest::addRow("txtFriendEmail") << "txtFriendEmail" << QRect(240, 48, 225, 19) << "Frame2";
        QTest::addRow("cmdSubmit") << "cmdSubmit" << QRect(128, 72, 225, 19) << "Frame2";
        QTest::addRow("txtMessage") << "txtMessage" << QRect(320, 240, 121, 33) << "Frame2";
        QTest::addRow("Frame6") << "Frame6" << QRect(488, 8, 249, 305) << "frmClosing";
        QTest::addRow("Label3") << "Label3" << QRect(8, 24, 233, 257) << "Frame6";
    }
    void controls_standWhereTheyAreDesigned()
    {
        QFETCH(QString, name);
        QFETCH(QRect, where);
        QFETCH(QString, parentName);
        Screen s;
        auto *w = control<QWidget>(s.window.get(), name);
        QVERIFY(w != nullptr);
        QCOMPARE(w->geometry(), where);
        QCOMPARE(w->parentWidget()->objectName(), parentName);
    }

    void captions_andLooks()
    {
        Screen s;
        ClosingScreen *w = s.window.get();
        QCOMPARE(control<QCheckBox>(w, "Check1")->text(),
            QStringLiteral("Click Here To Visit ") + QUrl(WebLinks::siteRoot()).host()
                + QStringLiteral(" Now"));
        QCOMPARE(control<QCheckBox>(w, "Check1")->palette().color(QPalette::WindowText),
            QColor(0, 0, 192));
        QCOMPARE(control<QCheckBox>(w, "Check1")->cursor().shape(), Qt::PointingHandCursor);
        // The caption is never cut off, even in a wider face than the designed one.
        QVERIFY(control<QCheckBox>(w, "Check1")->sizeHint().width()
            <= control<QCheckBox>(w, "Check1")->width());
        QVERIFY(control<QCheckBox>(w, "Check1")->font().pointSizeF() <= 14.25);
        QCOMPARE(control<QPushButton>(w, "cmdClose")->text(), QStringLiteral("E&xit"));
        QCOMPARE(
            control<QPushButton>(w, "cmdSubmit")->text(), QStringLiteral("Refer A Friend &Now"));
        QVERIFY(control<QPushButton>(w, "cmdSubmit")->font().bold());
        QCOMPARE(control<QGroupBox>(w, "Frame2")->title(), QStringLiteral("Refer A Friend"));
        QCOMPARE(
            control<QGroupBox>(w, "Frame6")->title(), QStringLiteral("Download Velmora Softwares"));
        for (QGroupBox *frame :
            { control<QGroupBox>(w, "Frame2"), control<QGroupBox>(w, "Frame6") }) {
            QVERIFY(frame->font().bold());
            QCOMPARE(frame->font().pointSizeF(), 9.75);
        }
        QCOMPARE(control<QLabel>(w, "Label3")->text(), ClosingScreen::otherProgramsText());
        QVERIFY(qAbs(control<QLabel>(w, "Label3")->text().size() - 600) <= 60);
        QCOMPARE(
            control<QLabel>(w, "Label3")->palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(control<ClickableLabel>(w, "lblGoToHome")->text(),
            QStringLiteral("Click Here To Visit Velmora Softwares"));
        QCOMPARE(control<ClickableLabel>(w, "lblGoToHome")->pos(), QPoint(5, 283));
        QCOMPARE(control<ClickableLabel>(w, "lblGoToHome")->palette().color(QPalette::WindowText),
            QColor(255, 255, 0));
        QVERIFY(control<ClickableLabel>(w, "lblGoToHome")->font().underline());
        QVERIFY(control<ClickableLabel>(w, "lblGoToHome")->font().bold());
        QCOMPARE(
            control<ClickableLabel>(w, "lblGoToHome")->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(control<ClickableLabel>(w, "lblGoToHome")->geometry().right()
            < control<QGroupBox>(w, "Frame6")->width());
        QVERIFY(control<QLabel>(w, "Label3")->geometry().bottom()
            < control<ClickableLabel>(w, "lblGoToHome")->y());
    }

    void boxes_startWithTheirPrompts_andTheMessageBoxIsNeverSeen()
    {
        Screen s;
        ClosingScreen *w = s.window.get();
        QCOMPARE(control<QLineEdit>(w, "txtName")->text(), QStringLiteral("Your Name"));
        QCOMPARE(control<QLineEdit>(w, "txtEmail")->text(), QStringLiteral("Your Email Address"));
        QCOMPARE(control<QLineEdit>(w, "txtFriendName")->text(), QStringLiteral("Friend's Name"));
        QCOMPARE(control<QLineEdit>(w, "txtFriendEmail")->text(),
            QStringLiteral("Friend's Email Address"));
        QCOMPARE(w->messageText(), QStringLiteral("Your Message\r\n"));
        QCOMPARE(control<QPlainTextEdit>(w, "txtMessage")->verticalScrollBarPolicy(),
            Qt::ScrollBarAlwaysOn);
        QVERIFY(!control<QGroupBox>(w, "Frame2")
                     ->rect()
                     .intersects(control<QPlainTextEdit>(w, "txtMessage")->geometry()));
    }

    void label2_holdsTheDrawnAppeal_data()
    {
        QTest::addColumn<quint64>("seed");
        for (quint64 seed : { 1, 2, 3, 4, 5, 6, 7, 8 })
            QTest::addRow("seed %llu", seed) << seed;
    }
    void label2_holdsTheDrawnAppeal()
    {
        QFETCH(quint64, seed);
        Random twin = Random::seeded(seed);
        const int k = static_cast<int>(std::floor(4.0f * twin.next()));
        Screen s(seed);
        QCOMPARE(control<QLabel>(s.window.get(), "Label2")->text(),
            ClosingScreen::promotionalTexts().at(size_t(k)));
    }

    void appeals_areFourDistinctTextsThatFit()
    {
        const auto &texts = ClosingScreen::promotionalTexts();
        QCOMPARE(QSet<QString>(texts.begin(), texts.end()).size(), 4);
        Screen s;
        for (const QString &text : texts) {
            control<QLabel>(s.window.get(), "Label2")->setText(text);
            QVERIFY2(control<QLabel>(s.window.get(), "Label2")->heightForWidth(465) <= 73,
                qPrintable(text));
        }
    }

    void focus_startsOnExitAndTabsInTheDesignedOrder()
    {
        Screen s;
        ClosingScreen *w = s.window.get();
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(QApplication::focusWidget(), control<QPushButton>(w, "cmdClose"));
        const QList<QWidget *> order = { control<QCheckBox>(w, "Check1"),
            control<QLineEdit>(w, "txtName"), control<QPushButton>(w, "cmdSubmit"),
            control<QLineEdit>(w, "txtEmail"), control<QLineEdit>(w, "txtFriendEmail"),
            control<QLineEdit>(w, "txtFriendName"), control<QPlainTextEdit>(w, "txtMessage"),
            control<QLabel>(w, "lblGoToHome"), control<QPushButton>(w, "cmdClose") };
        for (QWidget *next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        QVERIFY(!control<QPushButton>(w, "cmdClose")->isDefault()
            && !control<QPushButton>(w, "cmdSubmit")->isDefault());
        QVERIFY(!control<QPushButton>(w, "cmdClose")->autoDefault()
            && !control<QPushButton>(w, "cmdSubmit")->autoDefault());
        QTest::keyClick(control<QPushButton>(w, "cmdClose"), Qt::Key_Escape);
        QVERIFY(w->isVisible());
        QCOMPARE(s.ends, 0);
    }

    void prompt_emptiesOnFocusAndComesBackWhenLeftBlank()
    {
        Screen s;
        ClosingScreen *w = s.window.get();
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        focus(control<QLineEdit>(w, "txtName"));
        QCOMPARE(control<QLineEdit>(w, "txtName")->text(), QString());
        control<QLineEdit>(w, "txtName")->setText(QStringLiteral("   "));
        focus(control<QPushButton>(w, "cmdClose"));
        QCOMPARE(control<QLineEdit>(w, "txtName")->text(), QStringLiteral("Your Name"));

        control<QLineEdit>(w, "txtFriendName")->setText(QStringLiteral("  Friend's Name "));
        focus(control<QLineEdit>(w, "txtFriendName"));
        QCOMPARE(control<QLineEdit>(w, "txtFriendName")->text(), QString());
        focus(control<QPushButton>(w, "cmdClose"));
        QCOMPARE(control<QLineEdit>(w, "txtFriendName")->text(), QStringLiteral("Friend's Name"));
    }

    void prompt_comparisonIsExactAndBlanksOnly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("afterFocusIn");
        QTest::addColumn<QString>("afterFocusOut");
        QTest::addRow("other case") << "your name"
                                    << "your name"
                                    << "your name";
        QTest::addRow("tab kept") << "\tYour Name"
                                  << "\tYour Name"
                                  << "\tYour Name";
        QTest::addRow("a tab alone is not blank") << "\t"
                                                  << "\t"
                                                  << "\t";
        QTest::addRow("typed text") << " Ann "
                                    << " Ann "
                                    << " Ann ";
    }
    void prompt_comparisonIsExactAndBlanksOnly()
    {
        QFETCH(QString, text);
        QFETCH(QString, afterFocusIn);
        QFETCH(QString, afterFocusOut);
        Screen s;
        ClosingScreen *w = s.window.get();
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        control<QLineEdit>(w, "txtName")->setText(text);
        focus(control<QLineEdit>(w, "txtName"));
        QCOMPARE(control<QLineEdit>(w, "txtName")->text(), afterFocusIn);
        focus(control<QPushButton>(w, "cmdClose"));
        QCOMPARE(control<QLineEdit>(w, "txtName")->text(), afterFocusOut);
    }

    void messageBox_keepsItsLineBreakOnFirstFocus()
    {
        Screen s;
        ClosingScreen *w = s.window.get();
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        focus(control<QPlainTextEdit>(w, "txtMessage"));
        QCOMPARE(w->messageText(), QStringLiteral("Your Message\r\n"));
        control<QPlainTextEdit>(w, "txtMessage")->setPlainText(QStringLiteral("  "));
        focus(control<QPushButton>(w, "cmdClose"));
        QCOMPARE(w->messageText(), QStringLiteral("Your Message"));
        focus(control<QPlainTextEdit>(w, "txtMessage"));
        QCOMPARE(w->messageText(), QString());
    }

    void spaceInAnEmailBox_isRefused_data()
    {
        QTest::addColumn<QString>("boxName");
        QTest::addRow("txtEmail") << "txtEmail";
        QTest::addRow("txtFriendEmail") << "txtFriendEmail";
    }
    void spaceInAnEmailBox_isRefused()
    {
        QFETCH(QString, boxName);
        Screen s;
        s.window->show();
        QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
        QLineEdit *box = s.box(qPrintable(boxName));
        focus(box);
        QTest::keyClicks(box, QStringLiteral("ann"));
        QTest::keyClick(box, Qt::Key_Space);
        QTest::keyClicks(box, QStringLiteral("@x.org"));
        QCOMPARE(box->text(), QStringLiteral("ann@x.org"));
        QCOMPARE(s.platform.messageTexts(),
            QStringList { QStringLiteral("Email Address Cannot Contain Space") });
        QCOMPARE(s.platform.messageBoxes.first().icon, Platform::Icon::Critical);
        QCOMPARE(QApplication::focusWidget(), box);
    }

    void spaceInANameBox_isTyped()
    {
        Screen s;
        s.window->show();
        QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
        focus(control<QLineEdit>(s.window.get(), "txtName"));
        QTest::keyClicks(control<QLineEdit>(s.window.get(), "txtName"), QStringLiteral("Ann Lee"));
        QCOMPARE(control<QLineEdit>(s.window.get(), "txtName")->text(), QStringLiteral("Ann Lee"));
        QVERIFY(s.platform.messageBoxes.isEmpty());
    }

    void referral_checksRunInOrder_data()
    {
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("friendEmail");
        QTest::addColumn<QString>("message");
        QTest::addRow("untouched boxes") << "Your Email Address"
                                         << "Friend's Email Address"
                                         << "Please Enter Proper Email Address";
        QTest::addRow("same wrong address") << "nobody"
                                            << "nobody"
                                            << "Please Enter Distinct Email Addresses";
        QTest::addRow("same address among blanks") << " a@b.c"
                                                   << "a@b.c  "
                                                   << "Please Enter Distinct Email Addresses";
        QTest::addRow("no at sign") << "ann.x.org"
                                    << "bob@y.org"
                                    << "Please Enter Proper Email Address";
        QTest::addRow("friend has no dot") << "ann@x.org"
                                           << "bob@yorg"
                                           << "Please Enter Proper Email Address";
        QTest::addRow("both empty") << ""
                                    << ""
                                    << "Please Enter Distinct Email Addresses";
        QTest::addRow("valid, name still its prompt") << "ann@x.org"
                                                      << "bob@y.org"
                                                      << "Please Enter Your Name";
        QTest::addRow("case differs, name still its prompt") << "Ann@x.org"
                                                             << "ann@x.org"
                                                             << "Please Enter Your Name";
        QTest::addRow("dot before at") << ".a@b"
                                       << "c@d."
                                       << "Please Enter Your Name";
    }
    void referral_checksRunInOrder()
    {
        QFETCH(QString, email);
        QFETCH(QString, friendEmail);
        QFETCH(QString, message);
        Screen s;
        s.fill(email, friendEmail);
        s.submit();
        QCOMPARE(s.platform.messageTexts(), QStringList { message });
        QCOMPARE(s.platform.messageBoxes.first().icon, Platform::Icon::Critical);
        QCOMPARE(s.platform.messageBoxes.first().title, QStringLiteral("Quillmere"));
        QVERIFY(s.platform.openedAddresses.isEmpty());
        QCOMPARE(control<QLineEdit>(s.window.get(), "txtEmail")->text(), email);
        QCOMPARE(control<QLineEdit>(s.window.get(), "txtFriendEmail")->text(), friendEmail);
    }

    void referral_sendsTheUntouchedMessageWithItsLineBreak()
    {
        Screen s;
        control<QLineEdit>(s.window.get(), "txtName")->setText(QStringLiteral("  Ann & Co "));
        control<QLineEdit>(s.window.get(), "txtFriendName")->setText(QStringLiteral("Bob"));
        s.fill(QStringLiteral("ann@x.org"), QStringLiteral("bob@y.org"));
        s.submit();
        s.submit();
        QVERIFY(s.platform.messageBoxes.isEmpty());
        QCOMPARE(s.platform.openedAddresses.size(), 2);
        const QString address = s.platform.openedAddresses.first();
        QVERIFY(address.startsWith(WebLinks::pageAddress(QStringLiteral("orvex-refer-a-friend"))
            + QStringLiteral("&taf1=")));
        QCOMPARE(queryValue(address, "taf1"), QStringLiteral("Ann & Co"));
        QCOMPARE(queryValue(address, "taf2"), QStringLiteral("ann@x.org"));
        QCOMPARE(queryValue(address, "taf3"), QStringLiteral("Your Message\r\n"));
        QCOMPARE(queryValue(address, "taf4"), QStringLiteral("Bob"));
        QCOMPARE(queryValue(address, "taf5"), QStringLiteral("bob@y.org"));
        QCOMPARE(queryValue(address, "taf6"), WebLinks::productFolder());
        QVERIFY(address.contains(QStringLiteral("&taf3=Your%20Message%0D%0A&taf4=")));
    }

    void visitBox_opensHomeAndNeverStaysTicked()
    {
        Screen s;
        s.window->show();
        QTest::mouseClick(control<QCheckBox>(s.window.get(), "Check1"), Qt::LeftButton);
        QCOMPARE(control<QCheckBox>(s.window.get(), "Check1")->checkState(), Qt::Unchecked);
        QTest::mouseClick(control<QCheckBox>(s.window.get(), "Check1"), Qt::LeftButton);
        QCOMPARE(control<QCheckBox>(s.window.get(), "Check1")->checkState(), Qt::Unchecked);
        const QString home = WebLinks::pageAddress(QStringLiteral("home-page"));
        QCOMPARE(s.platform.openedAddresses, QStringList({ home, home }));
    }

    void exitAndCloseBox_bothEndTheProgram()
    {
        Screen s;
        s.window->show();
        QTest::mouseClick(control<QPushButton>(s.window.get(), "cmdClose"), Qt::LeftButton);
        QCOMPARE(s.ends, 1);
        s.window->close();
        QCOMPARE(s.ends, 2);
        QVERIFY(s.platform.messageBoxes.isEmpty());
    }
};

QTEST_MAIN(TestClosingScreen)
#include "test_closingscreen.moc"
