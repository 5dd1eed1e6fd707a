#include "core/Random.h"
#include "mainwindow/MainWindow.h"
#include "shell/AboutBox.h"
#include "tests/support/Controls.h"
#include "tests/support/RecordingPlatform.h"
#include "widgets/Widgets.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

QColor textColour(QWidget *w)
{
    return w->palette().color(QPalette::WindowText);
}

// Runs `inspect` on the modal box that the next exec() shows, then closes it.
void whileModal(const std::function<void(QDialog *)> &inspect)
{
    QTimer::singleShot(0, [inspect] {
        auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        inspect(box);
        if (box != nullptr)
            box->reject();
    });
}

} // namespace

class TestAboutBox : public QObject
{
    Q_OBJECT

private slots:
    void window_isAFixedBlackDialog()
    {
        RecordingPlatform platform;
        AboutBox box(platform);
        QCOMPARE(box.objectName(), QStringLiteral("frmAbout"));
        QCOMPARE(box.windowTitle(), QStringLiteral("Quillmere v1.20"));
        QCOMPARE(box.size(), QSize(469, 217));
        QCOMPARE(box.minimumSize(), box.maximumSize());
        QVERIFY(box.isModal());
        QVERIFY(!box.windowIcon().isNull());
        QVERIFY(!(box.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(box.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(box.windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(box.palette().color(QPalette::Window), QColor(Qt::black));
        QVERIFY(box.autoFillBackground());
    }

    void controls_standWhereAndHowTheyAreDesigned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("where");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qreal>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QColor>("colour");
        const QColor green(73, 240, 60);
        QTest::addRow("Label2") << "Label2" << QRect(56, 19, 297, 23) << "Quillmere v1.20" << 14.25
                                << true << green;
        QTest::addRow("Label1")
            << "Label1" << QRect(8, 50, 459, 57)
            << "Quillmere is a learn and test yourself handwriting analysis software. This "
               "software is a simple and useful aid in the study of handwriting analysis. This "
               "can helps beginners learn and test their understanding of the subject."
            << 8.25 << false << QColor(206, 157, 219);
        QTest::addRow("Label3") << "Label3" << QRect(8, 128, 459, 29)
                                << "Home Business Opportunity. Start your own Internet business "
                                   "and make money online. Get this software fully branded for "
                                   "your website."
                                << 8.25 << true << QColor(255, 128, 0);
    }
    void controls_standWhereAndHowTheyAreDesigned()
    {
        QFETCH(QString, name);
        QFETCH(QRect, where);
        QFETCH(QString, text);
        QFETCH(qreal, points);
        QFETCH(bool, bold);
        QFETCH(QColor, colour);
        RecordingPlatform platform;
        AboutBox box(platform);
        auto *label = control<QLabel>(&box, qPrintable(name));
        QVERIFY(label != nullptr);
        QCOMPARE(label->geometry(), where);
        QCOMPARE(label->text(), text);
        QCOMPARE(label->font().pointSizeF(), points);
        QCOMPARE(label->font().bold(), bold);
        QCOMPARE(textColour(label), colour);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        QVERIFY(!label->autoFillBackground());
    }

    void links_areGreenUnderlinedHandsEndingAtTheMargin()
    {
        RecordingPlatform platform;
        AboutBox box(platform);
        struct Link
        {
            const char *name;
            QString text;
            int top;
        };
        const Link links[] = {
            { "lblHomePage", QStringLiteral("Click here to visit ") + WebLinks::siteRoot(), 107 },
            { "lblCoBrand", QStringLiteral("Click here for more details."), 157 },
        };
        for (const Link &link : links) {
            auto *label = control<ClickableLabel>(&box, link.name);
            QVERIFY(label != nullptr);
            QCOMPARE(label->text(), link.text);
            QCOMPARE(label->y(), link.top);
            QCOMPARE(label->geometry().right(), 466);
            QVERIFY(label->width() >= label->sizeHint().width());
            QVERIFY(label->font().underline());
            QCOMPARE(textColour(label), QColor(73, 240, 60));
            QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
        }
        auto *icon = control<QLabel>(&box, "picIcon");
        QVERIFY(icon != nullptr);
        QCOMPARE(icon->geometry(), QRect(10, 10, 32, 32));
        QVERIFY(!icon->pixmap().isNull());
        QCOMPARE(icon->cursor().shape(), Qt::ArrowCursor);
        auto *line = control<QFrame>(&box, "Line2");
        QVERIFY(line != nullptr);
        QCOMPARE(line->geometry(), QRect(-1, 184, 473, 2));
        QCOMPARE(line->palette().color(QPalette::Window), QColor(Qt::white));
    }

    void links_openTheirPagesAndLeaveTheBoxOpen()
    {
        RecordingPlatform platform;
        AboutBox box(platform);
        box.show();
        QTest::mouseClick(control<QLabel>(&box, "lblHomePage"), Qt::LeftButton);
        QTest::mouseClick(control<QLabel>(&box, "lblCoBrand"), Qt::LeftButton);
        QCOMPARE(platform.openedAddresses,
            QStringList({ WebLinks::pageAddress(QStringLiteral("home-page")),
                WebLinks::pageAddress(QStringLiteral("fully-branded")) }));
        QVERIFY(box.isVisible());
    }

    void ok_isFocusedDefaultAndClosesOnEnterOrEsc_data()
    {
        QTest::addColumn<int>("key");
        QTest::addRow("Enter") << int(Qt::Key_Return);
        QTest::addRow("Esc") << int(Qt::Key_Escape);
        QTest::addRow("Space on OK") << int(Qt::Key_Space);
    }
    void ok_isFocusedDefaultAndClosesOnEnterOrEsc()
    {
        QFETCH(int, key);
        RecordingPlatform platform;
        AboutBox box(platform);
        auto *ok = control<QPushButton>(&box, "cmdOK");
        QCOMPARE(ok->objectName(), QStringLiteral("cmdOK"));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QCOMPARE(ok->geometry(), QRect(383, 192, 84, 23));
        QVERIFY(ok->isDefault());
        box.show();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        QCOMPARE(QApplication::focusWidget(), ok);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QTRY_VERIFY(!box.isVisible());
        QVERIFY(platform.calls.isEmpty());
    }

    void menuEntry_opensAFreshModalBoxEachTime()
    {
        RecordingPlatform platform;
        Random random = Random::seeded(1);
        MainWindow window(platform, random);
        window.show();
        QAction *about = control<QAction>(&window, "mnuAbout");
        QVERIFY(about != nullptr);

        QPointer<QDialog> first;
        whileModal([&](QDialog *box) {
            QVERIFY(box != nullptr);
            QCOMPARE(box->objectName(), QStringLiteral("frmAbout"));
            QVERIFY(box->isModal());
            // The main window takes no input meanwhile.
            QVERIFY(!window.isEnabled() || QApplication::activeModalWidget() == box);
            auto *home = control<QLabel>(box, "lblHomePage");
            QVERIFY(home != nullptr);
            home->setText(QStringLiteral("changed"));
            first = box;
        });
        about->trigger();
        QVERIFY(first.isNull());

        QString homeText;
        whileModal([&](QDialog *box) {
            QVERIFY(box != nullptr);
            homeText = control<QLabel>(box, "lblHomePage")->text();
        });
        about->trigger();
        QCOMPARE(homeText, QStringLiteral("Click here to visit ") + WebLinks::siteRoot());
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void menuEntry_linkOpensFullBrandingWhileTheWindowLabelOpensCoBranding()
    {
        RecordingPlatform platform;
        Random random = Random::seeded(1);
        MainWindow window(platform, random);
        window.show();
        whileModal([](QDialog *box) {
            QVERIFY(box != nullptr);
            QTest::mouseClick(control<QLabel>(box, "lblCoBrand"), Qt::LeftButton);
        });
        control<QAction>(&window, "mnuAbout")->trigger();
        window.bringBrandLabelToFront(true);
        QTest::mouseClick(control<QLabel>(&window, "lblCobrand"), Qt::LeftButton);
        QCOMPARE(platform.openedAddresses,
            QStringList({ WebLinks::pageAddress(QStringLiteral("fully-branded")),
                WebLinks::pageAddress(QStringLiteral("co-brand")) }));
    }
};

QTEST_MAIN(TestAboutBox)
#include "test_aboutbox.moc"
