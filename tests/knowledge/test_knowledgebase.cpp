#include "knowledge/KnowledgeBase.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

// Sentences end at a full stop, question or exclamation mark followed by a
// blank or the end; a text without a closing mark still holds one sentence.
int sentenceCount(const QString &text)
{
    static const QRegularExpression end(QStringLiteral("[.!?](\\s+|$)"));
    return static_cast<int>(text.split(end, Qt::SkipEmptyParts).size());
}

// Every run of six words, lower case, punctuation ignored.
QSet<QString> wordRuns(const QString &text)
{
    static const QRegularExpression nonWord(QStringLiteral("[^a-z']+"));
    const QStringList words = text.toLower().split(nonWord, Qt::SkipEmptyParts);
    QSet<QString> runs;
    for (qsizetype i = 0; i + 6 <= words.size(); ++i)
        runs.insert(words.mid(i, 6).join(QLatin1Char(' ')));
    return runs;
}

QString sharedRun(const QString &a, const QString &b)
{
    const QSet<QString> common = wordRuns(a).intersect(wordRuns(b));
    return common.isEmpty() ? QString() : *common.cbegin();
}

// The rows quoted word for word may echo one another; every other text
// must say things in its own words.
const QSet<int> QuotedSignificances { 4, 10, 11 };
const QSet<int> QuotedInterpretations { 42, 84, 85 };

} // namespace

class TestKnowledgeBase : public QObject
{
    Q_OBJECT

private:
    KnowledgeBase kb;

private slots:
    void initTestCase() { kb.LoadKnowledgeBase(); }

    void categories_ownContiguousRunsOfTheRightLength()
    {
        const int expected[] = { 8, 6, 5, 5, 5, 3, 5, 7, 5, 9, 4, 5, 3, 4, 9, 9, 7 };
        int total = 0;
        QCOMPARE(kb.FirstVariation[0], 0);
        for (int c = 0; c < KnowledgeBase::CategoryCount; ++c) {
            QCOMPARE(kb.LastVariation[c] - kb.FirstVariation[c] + 1, expected[c]);
            if (c > 0)
                QCOMPARE(kb.FirstVariation[c], kb.LastVariation[c - 1] + 1);
            QCOMPARE(kb.FirstPicture[c], kb.FirstVariation[c] + 1);
            total += expected[c];
        }
        QCOMPARE(kb.LastVariation[16], 98);
        QCOMPARE(total, 99);
    }

    void spareSlots_stayEmpty()
    {
        QVERIFY(kb.CategoryNames[17].isEmpty());
        QVERIFY(kb.SignificanceTexts[17].isEmpty());
        QVERIFY(kb.VariationNames[99].isEmpty());
        QVERIFY(kb.InterpretationTexts[99].isEmpty());
        QCOMPARE(kb.FirstVariation[17], 0);
        QCOMPARE(kb.LastVariation[17], 0);
        QCOMPARE(kb.FirstPicture[17], 0);
    }

    void quotedRows_standExactly_data()
    {
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("expected");
        QTest::addRow("significance 4")
            << kb.SignificanceTexts[4]
            << QStringLiteral("This shows how much you relate to your immediate world.");
        QTest::addRow("significance 10")
            << kb.SignificanceTexts[10]
            << QStringLiteral("This shows your culture, tastes and broadmindedness.");
        QTest::addRow("significance 11")
            << kb.SignificanceTexts[11]
            << QStringLiteral("This shows your communication skills and responsibility.");
        QTest::addRow("interpretation 42, no full stop")
            << kb.InterpretationTexts[42]
            << QStringLiteral("You are possessive and cautious by nature");
        QTest::addRow("interpretation 84")
            << kb.InterpretationTexts[84]
            << QStringLiteral("You have been highly influenced by your father.");
        QTest::addRow("interpretation 85")
            << kb.InterpretationTexts[85]
            << QStringLiteral("You have been highly influenced by your mother.");
        QTest::addRow("odd category spelling")
            << kb.CategoryNames[9] << QStringLiteral("I -Dot Analysis");
        QTest::addRow("quotation marks kept")
            << kb.VariationNames[61] << QStringLiteral("Greek \"E\"");
        QTest::addRow("first category") << kb.CategoryNames[0] << QStringLiteral("Margins");
        QTest::addRow("last category") << kb.CategoryNames[16] << QStringLiteral("Signature");
        QTest::addRow("first variation")
            << kb.VariationNames[0] << QStringLiteral("Wide Left Margin");
        QTest::addRow("last variation")
            << kb.VariationNames[98] << QStringLiteral("Crossed-Out Signature");
        QTest::addRow("an ampersand") << kb.VariationNames[32] << QStringLiteral("Long & Curved");
    }
    void quotedRows_standExactly()
    {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual, expected);
    }

    void texts_keepTheirLengthLimitsAndAreDistinct()
    {
        QSet<QString> names, significances, variationNames, interpretations;
        for (int c = 0; c < KnowledgeBase::CategoryCount; ++c) {
            const QString &text = kb.SignificanceTexts[c];
            QVERIFY2(text.size() >= 52 && text.size() <= 143, qPrintable(kb.CategoryNames[c]));
            QVERIFY2(sentenceCount(text) >= 1 && sentenceCount(text) <= 2,
                qPrintable(kb.CategoryNames[c]));
            significances.insert(text);
            names.insert(kb.CategoryNames[c]);
        }
        for (int v = 0; v < KnowledgeBase::VariationCount; ++v) {
            const QString &text = kb.InterpretationTexts[v];
            QVERIFY2(text.size() >= 36 && text.size() <= 304, qPrintable(kb.VariationNames[v]));
            QVERIFY2(sentenceCount(text) >= 1 && sentenceCount(text) <= 7,
                qPrintable(kb.VariationNames[v]));
            QVERIFY2(!text.contains(QLatin1Char('\n')), qPrintable(kb.VariationNames[v]));
            interpretations.insert(text);
            variationNames.insert(kb.VariationNames[v]);
        }
        QCOMPARE(names.size(), 17);
        QCOMPARE(significances.size(), 17);
        QCOMPARE(variationNames.size(), 99);
        QCOMPARE(interpretations.size(), 99);
    }

    void textChecks_seeWhatTheyShouldSee_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("sentencesOfA");
        QTest::addColumn<bool>("shareARun");
        QTest::addRow("no closing full stop")
            << QStringLiteral("You are possessive and cautious by nature")
            << QStringLiteral("You are cautious and possessive by nature.") << 1 << false;
        QTest::addRow("six words in common, case and commas aside")
            << QStringLiteral("Yes. You may find it hard to relax! Or not?")
            << QStringLiteral("and you may find it, hard to say") << 3 << true;
        QTest::addRow("five words are not a run")
            << QStringLiteral("You may find it hard.") << QStringLiteral("You may find it hard.")
            << 1 << false;
        QTest::addRow("a hyphen splits words")
            << QStringLiteral("Self-assured and outgoing you speak.")
            << QStringLiteral("self assured and outgoing you speak") << 1 << true;
    }
    void textChecks_seeWhatTheyShouldSee()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, sentencesOfA);
        QFETCH(bool, shareARun);
        QCOMPARE(sentenceCount(a), sentencesOfA);
        QCOMPARE(!sharedRun(a, b).isEmpty(), shareARun);
    }

    void texts_shareNoRunOfSixWords_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QSet<int>>("quoted");
        QStringList significances, interpretations;
        for (int c = 0; c < KnowledgeBase::CategoryCount; ++c)
            significances << kb.SignificanceTexts[c];
        for (int v = 0; v < KnowledgeBase::VariationCount; ++v)
            interpretations << kb.InterpretationTexts[v];
        QTest::addRow("significance")
            << significances << QStringList(kb.CategoryNames.cbegin(), kb.CategoryNames.cend() - 1)
            << QuotedSignificances;
        QTest::addRow("interpretation")
            << interpretations
            << QStringList(kb.VariationNames.cbegin(), kb.VariationNames.cend() - 1)
            << QuotedInterpretations;
    }
    void texts_shareNoRunOfSixWords()
    {
        QFETCH(QStringList, texts);
        QFETCH(QStringList, names);
        QFETCH(QSet<int>, quoted);
        QStringList echoes;
        for (int i = 0; i < texts.size(); ++i) {
            for (int j = i + 1; j < texts.size(); ++j) {
                const QString run = sharedRun(texts.at(i), texts.at(j));
                if (!run.isEmpty() && !(quoted.contains(i) && quoted.contains(j)))
                    echoes << names.at(i) + " / " + names.at(j) + ": \"" + run + '"';
            }
        }
        QVERIFY2(echoes.isEmpty(), qPrintable(echoes.join(QStringLiteral("; "))));
    }

    // Worn phrases that once ran through many texts stay rare.
    void stockPhrases_stayRare_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("most");
        QTest::addRow("you tend to") << QStringLiteral("\\byou tend to\\b") << 3;
        QTest::addRow("you may find it hard") << QStringLiteral("\\bfind it hard to\\b") << 1;
        QTest::addRow("how others see you") << QStringLiteral("how others see you") << 1;
        QTest::addRow("guarding oneself")
            << QStringLiteral("\\b(protect|shield|guard)\\w* yourself") << 2;
        QTest::addRow("reserve") << QStringLiteral("\\breserve") << 3;
        QTest::addRow("firm") << QStringLiteral("\\bfirm") << 3;
        QTest::addRow("to the point") << QStringLiteral("\\bto the point\\b") << 1;
    }
    void stockPhrases_stayRare()
    {
        QFETCH(QString, pattern);
        QFETCH(int, most);
        const QRegularExpression phrase(pattern, QRegularExpression::CaseInsensitiveOption);
        QVERIFY(phrase.isValid());
        int count = 0;
        for (int c = 0; c < KnowledgeBase::CategoryCount; ++c)
            count += static_cast<int>(kb.SignificanceTexts[c].count(phrase));
        for (int v = 0; v < KnowledgeBase::VariationCount; ++v)
            count += static_cast<int>(kb.InterpretationTexts[v].count(phrase));
        QVERIFY2(count <= most, qPrintable(QString::number(count)));
    }

    void textsAreStoredAsWritten()
    {
        for (int c = 0; c < KnowledgeBase::CategoryCount; ++c)
            QCOMPARE(kb.SignificanceTexts[c], kb.SignificanceTexts[c].trimmed());
        for (int v = 0; v < KnowledgeBase::VariationCount; ++v) {
            QCOMPARE(kb.InterpretationTexts[v], kb.InterpretationTexts[v].trimmed());
            QVERIFY(!kb.InterpretationTexts[v].contains(QStringLiteral("PLACEHOLDER")));
        }
    }

    void categoryOfVariation_findsTheOwner_data()
    {
        QTest::addColumn<int>("variation");
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("picture");
        QTest::addRow("first") << 0 << 0 << 1;
        QTest::addRow("end of margins") << 7 << 0 << 8;
        QTest::addRow("start of slant") << 8 << 1 << 9;
        QTest::addRow("retraced stem") << 44 << 8 << 45;
        QTest::addRow("clear signature") << 92 << 16 << 93;
        QTest::addRow("crossed-out signature") << 98 << 16 << 99;
    }
    void categoryOfVariation_findsTheOwner()
    {
        QFETCH(int, variation);
        QFETCH(int, category);
        QFETCH(int, picture);
        QCOMPARE(kb.categoryOfVariation(variation), category);
        QCOMPARE(KnowledgeBase::pictureKey(picture).left(2).toInt(), variation + 1);
        QVERIFY(KnowledgeBase::pictureKey(picture).contains(
            KnowledgeBase::categoryStem(category) + QLatin1Char('_')));
    }

    void categoryOfVariation_outsideTheTables()
    {
        QCOMPARE(kb.categoryOfVariation(-1), -1);
        QCOMPARE(kb.categoryOfVariation(99), -1);
    }

    void pictureKeys_followTheNamingRule_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("key");
        QTest::addRow("1") << 1 << QStringLiteral("01 margin_1.jpg");
        QTest::addRow("30") << 30 << QStringLiteral("30 letter_space_1.jpg");
        QTest::addRow("45") << 45 << QStringLiteral("45 te_1.jpg");
        QTest::addRow("62") << 62 << QStringLiteral("62 lowere_4.jpg");
        QTest::addRow("99") << 99 << QStringLiteral("99 sign_7.jpg");
        QTest::addRow("0") << 0 << QString();
        QTest::addRow("100") << 100 << QString();
    }
    void pictureKeys_followTheNamingRule()
    {
        QFETCH(int, position);
        QFETCH(QString, key);
        QCOMPARE(KnowledgeBase::pictureKey(position), key);
    }

    void categoryPage_showsItsFirstVariationsPicture()
    {
        QCOMPARE(kb.FirstPicture[8], 45); // "T-Bar Analysis"
        QCOMPARE(kb.FirstPicture[16], 93);
        QCOMPARE(KnowledgeBase::picturePath(kb.FirstPicture[8]),
            QStringLiteral(":/pictures/45 te_1.jpg"));
    }

    void loadingTwice_equalsLoadingOnce()
    {
        KnowledgeBase twice;
        twice.LoadKnowledgeBase();
        twice.LoadKnowledgeBase();
        QCOMPARE(twice.CategoryNames, kb.CategoryNames);
        QCOMPARE(twice.SignificanceTexts, kb.SignificanceTexts);
        QCOMPARE(twice.FirstVariation, kb.FirstVariation);
        QCOMPARE(twice.LastVariation, kb.LastVariation);
        QCOMPARE(twice.FirstPicture, kb.FirstPicture);
        QCOMPARE(twice.VariationNames, kb.VariationNames);
        QCOMPARE(twice.InterpretationTexts, kb.InterpretationTexts);
    }
};

QTEST_GUILESS_MAIN(TestKnowledgeBase)
#include "test_knowledgebase.moc"
