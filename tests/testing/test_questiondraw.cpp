#include "core/Random.h"
#include "core/SharedState.h"
#include "knowledge/KnowledgeBase.h"
#include "testing/QuestionDraw.h"
#include "testing/TestRun.h"

#include <QSet>
#include <QTest>

#include <algorithm>
#include <cmath>

namespace {

// Pearson's statistic of `counts` against a uniform spread.
double chiSquare(const QVector<int> &counts)
{
    double total = 0;
    for (int n : counts)
        total += n;
    const double expected = total / counts.size();
    double statistic = 0;
    for (int n : counts)
        statistic += (n - expected) * (n - expected) / expected;
    return statistic;
}

// The value a uniform draw exceeds with probability 0.001 (Wilson-Hilferty).
double chiSquareLimit(int degreesOfFreedom)
{
    const double k = degreesOfFreedom;
    const double z = 3.0902;
    return k * std::pow(1 - 2 / (9 * k) + z * std::sqrt(2 / (9 * k)), 3);
}

KnowledgeBase loadedKnowledge()
{
    KnowledgeBase kb;
    kb.LoadKnowledgeBase();
    return kb;
}

std::array<bool, KnowledgeBase::CategorySlots> ticked(std::initializer_list<int> categories)
{
    std::array<bool, KnowledgeBase::CategorySlots> selected {};
    for (int c : categories)
        selected[c] = true;
    return selected;
}

} // namespace

class TestQuestionDraw : public QObject
{
    Q_OBJECT

private slots:
    void categoryDraw_reachesAllSeventeenWithoutBias()
    {
        Random random = Random::seeded(11);
        QVector<int> counts(KnowledgeBase::CategoryCount, 0);
        for (int i = 0; i < 500 * KnowledgeBase::CategoryCount; ++i) {
            const int c = QuestionDraw::drawCategory(random);
            QVERIFY2(c >= 0 && c < KnowledgeBase::CategoryCount, qPrintable(QString::number(c)));
            ++counts[c];
        }
        QVERIFY2(counts.last() > 0, "the signature is never drawn");
        QVERIFY2(chiSquare(counts) < chiSquareLimit(counts.size() - 1),
            qPrintable(QString::number(chiSquare(counts))));
    }

    void variationDraw_reachesBothEndsOfEveryCategoryWithoutBias_data()
    {
        QTest::addColumn<int>("category");
        for (int k = 0; k < KnowledgeBase::CategoryCount; ++k)
            QTest::addRow("category %d", k) << k;
    }

    void variationDraw_reachesBothEndsOfEveryCategoryWithoutBias()
    {
        QFETCH(int, category);
        const KnowledgeBase kb = loadedKnowledge();
        const int first = kb.FirstVariation[category];
        const int size = kb.LastVariation[category] - first + 1;
        Random random = Random::seeded(100 + category);
        QVector<int> counts(size, 0);
        for (int i = 0; i < 600 * size; ++i) {
            const int v = QuestionDraw::drawVariationOf(kb, category, random);
            QVERIFY2(v >= first && v < first + size, qPrintable(QString::number(v)));
            ++counts[v - first];
        }
        QVERIFY(!counts.contains(0));
        QVERIFY2(chiSquare(counts) < chiSquareLimit(size - 1),
            qPrintable(QString::number(chiSquare(counts))));
    }

    void wrongVariationDraw_reachesAllNinetyNineWithoutBias()
    {
        Random random = Random::seeded(23);
        QVector<int> counts(KnowledgeBase::VariationCount, 0);
        for (int i = 0; i < 300 * KnowledgeBase::VariationCount; ++i) {
            const int v = QuestionDraw::drawAnyVariation(random);
            QVERIFY(v >= 0 && v < KnowledgeBase::VariationCount);
            ++counts[v];
        }
        QVERIFY2(counts.last() > 0, "variation 98 is never drawn");
        QVERIFY2(chiSquare(counts) < chiSquareLimit(counts.size() - 1),
            qPrintable(QString::number(chiSquare(counts))));
    }

    void rightPlaceDraw_reachesEveryPlaceWithoutBias_data()
    {
        QTest::addColumn<int>("options");
        QTest::addRow("by significance") << QuestionDraw::SignificanceOptionCount;
        QTest::addRow("by interpretation") << QuestionDraw::InterpretationOptionCount;
    }

    void rightPlaceDraw_reachesEveryPlaceWithoutBias()
    {
        QFETCH(int, options);
        Random random = Random::seeded(31);
        QVector<int> counts(options, 0);
        for (int i = 0; i < 2000 * options; ++i) {
            const int p = QuestionDraw::drawRightPlace(options, random);
            QVERIFY(p >= 0 && p < options);
            ++counts[p];
        }
        QVERIFY2(counts.last() > 0, "the last option never holds the right answer");
        QVERIFY2(chiSquare(counts) < chiSquareLimit(options - 1),
            qPrintable(QString::number(chiSquare(counts))));
    }

    void everyDraw_reseedsFromTheClockFirst()
    {
        int readings = 0;
        Random random = Random::fromClock([&readings] { return quint64(++readings); });
        const KnowledgeBase kb = loadedKnowledge();
        readings = 0;
        QuestionDraw::drawCategory(random);
        QCOMPARE(readings, 1);
        QuestionDraw::drawVariationOf(kb, 3, random);
        QCOMPARE(readings, 2);
        QuestionDraw::drawAnyVariation(random);
        QCOMPARE(readings, 3);
        QuestionDraw::drawRightPlace(5, random);
        QCOMPARE(readings, 4);
        // Ten distinct categories take at least ten draws, each with its reading.
        QuestionDraw::drawSignificanceQuestions(random);
        QVERIFY(readings >= 14);
    }

    void drawsWithinOneClockTick_stillFinish()
    {
        // A clock that never moves must not make the repeat-free loops spin.
        Random random = Random::fromClock([] { return quint64(42); });
        const KnowledgeBase kb = loadedKnowledge();
        const auto questions = QuestionDraw::drawSignificanceQuestions(random);
        QCOMPARE(QSet<qint16>(questions.begin(), questions.end()).size(), 10);
        std::array<bool, KnowledgeBase::CategorySlots> all {};
        all.fill(true);
        QCOMPARE(QuestionDraw::drawInterpretationQuestions(kb, all, random).size(), 51);
    }

    void significanceList_holdsTenDistinctCategoriesAndReachesAll()
    {
        QSet<qint16> asked;
        for (quint64 seed = 1; seed <= 300; ++seed) {
            Random random = Random::seeded(seed);
            const auto questions = QuestionDraw::drawSignificanceQuestions(random);
            QCOMPARE(QSet<qint16>(questions.begin(), questions.end()).size(), 10);
            for (qint16 c : questions) {
                QVERIFY(c >= 0 && c < KnowledgeBase::CategoryCount);
                asked.insert(c);
            }
        }
        QCOMPARE(asked.size(), KnowledgeBase::CategoryCount);
    }

    void interpretationList_threeDistinctPerTickedCategoryInCategoryOrder_data()
    {
        QTest::addColumn<QList<int>>("categories");
        QTest::addRow("margins only") << QList<int> { 0 };
        QTest::addRow("signature only") << QList<int> { 16 };
        QTest::addRow("margins and signature") << QList<int> { 0, 16 };
        QTest::addRow("three spread out") << QList<int> { 2, 8, 13 };
        QList<int> all;
        for (int k = 0; k < KnowledgeBase::CategoryCount; ++k)
            all << k;
        QTest::addRow("all seventeen") << all;
    }

    void interpretationList_threeDistinctPerTickedCategoryInCategoryOrder()
    {
        QFETCH(QList<int>, categories);
        const KnowledgeBase kb = loadedKnowledge();
        std::array<bool, KnowledgeBase::CategorySlots> selected {};
        for (int k : categories)
            selected[k] = true;
        // The spare slot is no category.
        selected[KnowledgeBase::CategoryCount] = true;
        for (quint64 seed = 1; seed <= 50; ++seed) {
            Random random = Random::seeded(seed);
            const QVector<qint16> questions
                = QuestionDraw::drawInterpretationQuestions(kb, selected, random);
            QCOMPARE(questions.size(), 3 * categories.size());
            for (int i = 0; i < categories.size(); ++i) {
                const int k = categories.at(i);
                const QVector<qint16> three = questions.mid(3 * i, 3);
                QCOMPARE(QSet<qint16>(three.begin(), three.end()).size(), 3);
                for (qint16 v : three)
                    QCOMPARE(kb.categoryOfVariation(v), k);
            }
        }
    }

    void categoryWithThreeVariations_yieldsAllThreeInEveryOrder()
    {
        const KnowledgeBase kb = loadedKnowledge();
        int k = -1;
        for (int c = 0; c < KnowledgeBase::CategoryCount && k < 0; ++c) {
            if (kb.LastVariation[c] - kb.FirstVariation[c] == 2)
                k = c;
        }
        QVERIFY2(k >= 0, "some category has exactly three variations");
        QSet<QVector<qint16>> orders;
        for (quint64 seed = 1; seed <= 200; ++seed) {
            Random random = Random::seeded(seed);
            const auto questions
                = QuestionDraw::drawInterpretationQuestions(kb, ticked({ k }), random);
            QVector<qint16> sorted = questions;
            std::sort(sorted.begin(), sorted.end());
            QCOMPARE(sorted,
                (QVector<qint16> { kb.FirstVariation[k],
                    static_cast<qint16>(kb.FirstVariation[k] + 1), kb.LastVariation[k] }));
            orders.insert(questions);
        }
        QCOMPARE(orders.size(), 6);
    }

    void significanceQuestion_offersFiveDistinctTextsWithExactlyOneRight()
    {
        const KnowledgeBase kb = loadedKnowledge();
        QVector<int> places(5, 0);
        bool signatureOffered = false;
        for (int c = 0; c < KnowledgeBase::CategoryCount; ++c) {
            for (quint64 seed = 1; seed <= 60; ++seed) {
                Random random = Random::seeded(seed * 31 + c);
                const auto q = QuestionDraw::significanceQuestion(kb, c, random);
                QCOMPARE(q.options.size(), 5);
                QCOMPARE(QSet<QString>(q.options.begin(), q.options.end()).size(), 5);
                QCOMPARE(q.options.count(kb.SignificanceTexts[c]), 1);
                QCOMPARE(q.options.at(q.rightPlace), kb.SignificanceTexts[c]);
                for (const QString &text : q.options)
                    QVERIFY(std::find(
                                kb.SignificanceTexts.begin(), kb.SignificanceTexts.end() - 1, text)
                        != kb.SignificanceTexts.end() - 1);
                QCOMPARE(q.caption, kb.CategoryNames[c]);
                QCOMPARE(q.picture, int(kb.FirstPicture[c]));
                ++places[q.rightPlace];
                signatureOffered
                    = signatureOffered || (c != 16 && q.options.contains(kb.SignificanceTexts[16]));
            }
        }
        QVERIFY2(!places.contains(0), "the right answer stands on every place");
        QVERIFY2(signatureOffered, "the signature's text is offered as a wrong answer");
    }

    void interpretationQuestion_offersThreeDistinctTextsWithExactlyOneRight()
    {
        const KnowledgeBase kb = loadedKnowledge();
        QVector<int> places(3, 0);
        bool lastOffered = false;
        for (int v = 0; v < KnowledgeBase::VariationCount; ++v) {
            for (quint64 seed = 1; seed <= 20; ++seed) {
                Random random = Random::seeded(seed * 101 + v);
                const auto q = QuestionDraw::interpretationQuestion(kb, v, random);
                QCOMPARE(q.options.size(), 3);
                QCOMPARE(QSet<QString>(q.options.begin(), q.options.end()).size(), 3);
                QCOMPARE(q.options.count(kb.InterpretationTexts[v]), 1);
                QCOMPARE(q.options.at(q.rightPlace), kb.InterpretationTexts[v]);
                QCOMPARE(q.picture, v + 1);
                ++places[q.rightPlace];
                lastOffered
                    = lastOffered || (v != 98 && q.options.contains(kb.InterpretationTexts[98]));
            }
        }
        QVERIFY2(!places.contains(0), "the right answer stands on every place");
        QVERIFY2(lastOffered, "variation 98 is offered as a wrong answer");
    }

    void interpretationQuestion_namesCategoryAndVariation()
    {
        const KnowledgeBase kb = loadedKnowledge();
        Random random = Random::seeded(5);
        const int vertical
            = static_cast<int>(std::find(kb.VariationNames.begin(), kb.VariationNames.end(),
                                   QStringLiteral("Vertical Slant"))
                - kb.VariationNames.begin());
        QCOMPARE(QuestionDraw::interpretationQuestion(kb, vertical, random).caption,
            QStringLiteral("Slant Vertical Slant"));
        QCOMPARE(QuestionDraw::interpretationQuestion(kb, 98, random).caption,
            QStringLiteral("Signature ") + kb.VariationNames[98]);
    }

    void testRun_keepsEachAnswerAndEndsAfterTheLast_data()
    {
        QTest::addColumn<bool>("bySignificance");
        QTest::addColumn<int>("questions");
        QTest::addRow("by significance") << true << 10;
        QTest::addRow("by interpretation, two categories") << false << 6;
    }
    void testRun_keepsEachAnswerAndEndsAfterTheLast()
    {
        QFETCH(bool, bySignificance);
        QFETCH(int, questions);
        KnowledgeBase kb;
        SharedState state;
        state.IsBySignificance = bySignificance;
        state.SelectedCategories[1] = state.SelectedCategories[16] = true;
        Random random = Random::seeded(21);
        TestRun run(kb, state, random);
        for (int i = 0; i < questions; ++i) {
            const auto question = bySignificance ? run.ShowSignificanceQuestion()
                                                 : run.ShowInterpretationQuestion();
            QVERIFY(question.has_value());
            QCOMPARE(run.questionCount(), questions);
            // Right on even questions, wrong on odd ones.
            const int place = i % 2 == 0 ? question->rightPlace : (question->rightPlace + 1) % 3;
            QCOMPARE(run.answer(question->options.at(place)), i + 1 < questions);
            QCOMPARE(int(state.CurrentRecord), i + 1);
        }
        // Past the last question there is none to show.
        QVERIFY(
            !(bySignificance ? run.ShowSignificanceQuestion() : run.ShowInterpretationQuestion()));
        const TestReport report = run.ShowTestResult();
        QCOMPARE(report.score, (questions + 1) / 2);
        QVERIFY(!run.testState().SignificanceDrawn && !run.testState().InterpretationDrawn);
        QVERIFY(std::none_of(state.SelectedCategories.begin(), state.SelectedCategories.end(),
            [](bool ticked) { return ticked; }));
    }
};

QTEST_GUILESS_MAIN(TestQuestionDraw)
#include "test_questiondraw.moc"
