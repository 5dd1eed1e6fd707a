#include "learning/LearningPages.h"
#include "learning/PictureList.h"
#include "tests/mainwindow/MainWindowDriver.h"

#include <QAccessible>
#include <QDialog>

namespace {

const QString LastRecord = QStringLiteral("You are at the last record");
const QString FirstRecord = QStringLiteral("You are at the first record");

} // namespace

class TestLearningPages : public QObject
{
    Q_OBJECT

private:
    static void learnBySignificance(MainWindowDriver &d)
    {
        d.proceed(true);
        d.choose("optOption2");
        d.click("cmdNext2");
    }
    static int shownPicture(MainWindowDriver &d)
    {
        return d.window->state().IsBySignificance
            ? d.kb.FirstPicture[d.window->state().CurrentRecord]
            : d.window->state().CurrentRecord + 1;
    }

private slots:
    void bySignificance_firstPageIsMargins()
    {
        MainWindowDriver d;
        learnBySignificance(d);
        const KnowledgeBase &kb = d.kb;
        QCOMPARE(d.front(), Panel::LearnPanel);
        QCOMPARE(d.text("lblDescName"), QStringLiteral("Margins"));
        QCOMPARE(d.text("lblOption"), QString());
        QCOMPARE(d.text("lblDesc"), kb.SignificanceTexts[0]);
        QCOMPARE(shownPicture(d), 1);

        d.click("cmdLearnBack");
        QCOMPARE(d.platform.messageTexts(), QStringList { FirstRecord });
        QCOMPARE(d.platform.messageBoxes.first().icon, Platform::Icon::Critical);
        QCOMPARE(d.window->state().CurrentRecord, 0);
        QCOMPARE(d.text("lblDescName"), QStringLiteral("Margins"));
    }

    void bySignificance_walksToSignatureAndStops()
    {
        MainWindowDriver d;
        learnBySignificance(d);
        for (int i = 0; i < 16; ++i)
            d.click("cmdLearnNext");
        QCOMPARE(d.text("lblDescName"), QStringLiteral("Signature"));
        QCOMPARE(shownPicture(d), 93);
        QVERIFY(d.platform.messageBoxes.isEmpty());

        d.click("cmdLearnNext");
        QCOMPARE(d.platform.messageTexts(), QStringList { LastRecord });
        QCOMPARE(d.text("lblDescName"), QStringLiteral("Signature"));
        QCOMPARE(d.window->state().CurrentRecord, 16);

        d.click("cmdLearnBack");
        QCOMPARE(d.text("lblDescName"), QStringLiteral("The Capital Letter 'I'"));
        QCOMPARE(d.platform.messageBoxes.size(), 1);
    }

    void byInterpretation_jumpsBetweenTickedCategories()
    {
        MainWindowDriver d;
        d.learnByInterpretation({ 0, 16 });
        QList<int> forward { d.window->state().CurrentRecord };
        for (int i = 0; i < 16; ++i) {
            d.click("cmdLearnNext");
            forward << d.window->state().CurrentRecord;
        }
        // 0 to 7, then 92 to 98, and the last page again.
        QCOMPARE(
            forward, QList<int>({ 0, 1, 2, 3, 4, 5, 6, 7, 92, 93, 94, 95, 96, 97, 98, 98, 98 }));
        QCOMPARE(d.text("lblOption"), QStringLiteral("Crossed-Out Signature"));
        QList<int> backward;
        for (int i = 0; i < 16; ++i) {
            d.click("cmdLearnBack");
            backward << d.window->state().CurrentRecord;
        }
        QCOMPARE(backward, QList<int>({ 97, 96, 95, 94, 93, 92, 7, 6, 5, 4, 3, 2, 1, 0, 0, 0 }));
        // Neither end of the selection shows a message.
        QVERIFY(d.platform.messageBoxes.isEmpty());
    }

    void byInterpretation_topLabelNamesTheOwningCategory()
    {
        MainWindowDriver d;
        d.learnByInterpretation({ 0, 8, 16 });
        const KnowledgeBase &kb = d.kb;
        for (int i = 0; i < 25; ++i) {
            const int v = d.window->state().CurrentRecord;
            QCOMPARE(d.text("lblDescName"), kb.CategoryNames[kb.categoryOfVariation(v)]);
            QCOMPARE(d.text("lblOption"), kb.VariationNames[v]);
            QCOMPARE(d.text("lblDesc"), kb.InterpretationTexts[v]);
            d.click("cmdLearnNext");
        }
    }

    void byInterpretation_onlyTBars()
    {
        MainWindowDriver d;
        d.learnByInterpretation({ 8 });
        QCOMPARE(d.window->state().CurrentRecord, 44);
        QCOMPARE(d.text("lblDescName"), QStringLiteral("T-Bar Analysis"));
        QCOMPARE(d.text("lblOption"), QStringLiteral("Retraced Stem"));
        QCOMPARE(shownPicture(d), 45);
        for (int i = 0; i < 6; ++i)
            d.click("cmdLearnNext");
        QCOMPARE(d.window->state().CurrentRecord, 48);
        QCOMPARE(d.text("lblOption"), QStringLiteral("Short Stem"));
    }

    void byInterpretation_onlySignature_opensOnClearSignature()
    {
        MainWindowDriver d;
        d.learnByInterpretation({ 16 });
        QCOMPARE(d.window->state().CurrentRecord, 92);
        QCOMPARE(d.text("lblOption"), QStringLiteral("Clear Signature"));
        QCOMPARE(d.front(), Panel::LearnPanel);
        QCOMPARE(
            d.control<QGroupBox>("LearnPanel")->title(), QStringLiteral("Learn By Interpretation"));
    }

    void tickedCategories_areWalkedInOrder_data()
    {
        QTest::addColumn<QList<int>>("ticked");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("next");
        QTest::addColumn<int>("previous");
        QTest::addRow("from the start") << QList<int> { 3, 9 } << -1 << 3 << -1;
        QTest::addRow("between two") << QList<int> { 3, 9 } << 5 << 9 << 3;
        QTest::addRow("none after the last") << QList<int> { 3, 16 } << 16 << -1 << 3;
        QTest::addRow("the spare slot never counts") << QList<int> { 17 } << -1 << -1 << -1;
        QTest::addRow("none before the first") << QList<int> { 0 } << 0 << -1 << -1;
    }
    void tickedCategories_areWalkedInOrder()
    {
        QFETCH(QList<int>, ticked);
        QFETCH(int, from);
        QFETCH(int, next);
        QFETCH(int, previous);
        SharedState state;
        for (int c : ticked)
            state.SelectedCategories[static_cast<size_t>(c)] = true;
        QCOMPARE(state.nextTicked(from), next);
        QCOMPARE(state.previousTicked(from), previous);
    }

    void outOfRangeRecord_isBroughtBack_data()
    {
        QTest::addColumn<bool>("bySignificance");
        QTest::addColumn<int>("record");
        QTest::addColumn<int>("broughtTo");
        QTest::addColumn<QString>("message");
        QTest::addRow("significance past the end") << true << 40 << 16 << LastRecord;
        QTest::addRow("significance below zero") << true << -3 << 0 << FirstRecord;
        QTest::addRow("interpretation past the end") << false << 99 << 98 << LastRecord;
        QTest::addRow("interpretation below zero") << false << -1 << 0 << FirstRecord;
    }
    void outOfRangeRecord_isBroughtBack()
    {
        QFETCH(bool, bySignificance);
        QFETCH(int, record);
        QFETCH(int, broughtTo);
        QFETCH(QString, message);
        // The paging logic alone: no window can ask for such a record.
        KnowledgeBase kb;
        SharedState state;
        LearningPages pages(kb, state);
        state.CurrentRecord = static_cast<qint16>(record);
        const PageRequest request
            = bySignificance ? pages.ShowSignificancePage() : pages.ShowInterpretationPage();
        QCOMPARE(state.CurrentRecord, broughtTo);
        QCOMPARE(request.message, message);
        QVERIFY(!request.hasPage);
    }

    void learnPage_showsTheSamplePicture_data()
    {
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<QSize>("pixels");
        QTest::addRow("scale 1") << 1.0 << QSize(118, 131);
        QTest::addRow("a rounding over 1") << 1.005 << QSize(118, 131);
        QTest::addRow("one and a half") << 1.5 << QSize(236, 262);
        QTest::addRow("scale 2") << 2.0 << QSize(236, 262);
        QTest::addRow("scale 2.25") << 2.25 << QSize(354, 393);
        QTest::addRow("scale 3") << 3.0 << QSize(354, 393);
        QTest::addRow("beyond the largest drawing") << 4.5 << QSize(354, 393);
    }
    void learnPage_showsTheSamplePicture()
    {
        QFETCH(qreal, scale);
        QFETCH(QSize, pixels);
        if (PictureList().picture(1).isNull())
            QSKIP("the sample pictures are not part of this build");
        // Every drawing shows at the size of the scale-1 picture.
        const QPixmap drawn = PictureList().picture(45, scale);
        QCOMPARE(drawn.size(), pixels);
        QCOMPARE(drawn.deviceIndependentSize(), QSizeF(118, 131));
        // The panel enlarges the sample by one and a half: on this screen
        // that takes the next larger drawing.
        MainWindowDriver d;
        d.learnByInterpretation({ 8 });
        auto *sample = d.control<QLabel>("picDesc");
        const qreal needed = 1.5 * sample->devicePixelRatioF();
        QCOMPARE(sample->pixmap().toImage(), PictureList().picture(45, needed).toImage());
        QVERIFY(sample->pixmap().width() >= sample->contentsRect().width());
    }

    void sample_opensEnlarged_data()
    {
        QTest::addColumn<int>("how");
        QTest::addRow("a click") << 0;
        QTest::addRow("Space") << int(Qt::Key_Space);
        QTest::addRow("Return") << int(Qt::Key_Return);
        QTest::addRow("Enter on the keypad") << int(Qt::Key_Enter);
        QTest::addRow("a screen reader") << -1;
    }
    void sample_opensEnlarged()
    {
        QFETCH(int, how);
        if (PictureList().picture(1).isNull())
            QSKIP("the sample pictures are not part of this build");
        MainWindowDriver d;
        d.window->show();
        d.learnByInterpretation({ 8 });
        auto *sample = d.control<QLabel>("picDesc");
        QVERIFY(sample->focusPolicy() & Qt::TabFocus);
        QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(sample);
        QCOMPARE(reader->role(), QAccessible::Button);
        QCOMPARE(reader->text(QAccessible::Name), QStringLiteral("Sample of handwriting"));
        if (how == 0)
            QTest::mouseClick(sample, Qt::LeftButton);
        else if (how < 0)
            reader->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        else
            QTest::keyClick(sample, Qt::Key(how));
        auto *enlarged = d.window->findChild<QDialog *>("EnlargedSample");
        QVERIFY(enlarged != nullptr && enlarged->isVisible());
        QCOMPARE(enlarged->windowTitle(), QStringLiteral("Enlarged sample"));
        auto *picture = ::control<QLabel>(enlarged, "picEnlarged");
        QCOMPARE(picture->pixmap().deviceIndependentSize(), QSizeF(354, 393));
        QCOMPARE(::control<QLabel>(enlarged, "lblEnlargedName")->text(), d.text("lblOption"));
        // It follows the page while it is open, and Esc closes it.
        const QImage first = picture->pixmap().toImage();
        d.click("cmdLearnNext");
        QVERIFY(enlarged->isVisible());
        QCOMPARE(::control<QLabel>(enlarged, "lblEnlargedName")->text(), d.text("lblOption"));
        QVERIFY(picture->pixmap().toImage() != first);
        QTest::keyClick(enlarged, Qt::Key_Escape);
        QVERIFY(!enlarged->isVisible());
    }

    void longestText_fitsTheLearnPage()
    {
        MainWindowDriver d;
        const KnowledgeBase &kb = d.kb;
        int longest = 0;
        for (int v = 1; v < KnowledgeBase::VariationCount; ++v) {
            if (kb.InterpretationTexts[v].size() > kb.InterpretationTexts[longest].size())
                longest = v;
        }
        auto *desc = d.control<QLabel>("lblDesc");
        desc->setText(kb.InterpretationTexts[longest]);
        QVERIFY(desc->heightForWidth(desc->width()) <= desc->height());
    }
};

QTEST_MAIN(TestLearningPages)
#include "test_learningpages.moc"
