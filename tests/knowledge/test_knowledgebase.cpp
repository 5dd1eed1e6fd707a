#include "knowledge/KnowledgeBase.h"

#include <QSet>
#include <QTest>

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
            significances.insert(text);
            names.insert(kb.CategoryNames[c]);
        }
        for (int v = 0; v < KnowledgeBase::VariationCount; ++v) {
            const QString &text = kb.InterpretationTexts[v];
            QVERIFY2(text.size() >= 36 && text.size() <= 304, qPrintable(kb.VariationNames[v]));
            QVERIFY2(!text.contains(QLatin1Char('\n')), qPrintable(kb.VariationNames[v]));
            interpretations.insert(text);
            variationNames.insert(kb.VariationNames[v]);
        }
        QCOMPARE(names.size(), 17);
        QCOMPARE(significances.size(), 17);
        QCOMPARE(variationNames.size(), 99);
        QCOMPARE(interpretations.size(), 99);
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
