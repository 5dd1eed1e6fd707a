#include "Findings.h"

#include "knowledge/KnowledgeBase.h"

#include <algorithm>
#include <cmath>

namespace PageAnalysis {

namespace {

// The variations of each measured category, by their rank in the category.
enum MarginRank {
    WideLeft,
    WideRight,
    NarrowToWiderRight,
    NarrowToWiderLeft,
    EvenAllAround,
    WideUpper,
    WideLower,
    NoMargins
};
enum SlantRank { Vertical, ModerateLeft, ExtremeLeft, ModerateRight, ExtremeRight, Irregular };
enum SizeRank { Tall, Small, Narrow, Broad, IrregularSize };
enum LineRank { EvenLines, WideLines, VeryWideLines, NarrowLines, Overlapping };
enum WordRank { EvenSpaces, UnevenSpaces, SmallSpaces, LargeSpaces, VeryLargeSpaces };
enum LetterRank { CloseSpaced, WideSpaced, NormalLetters };

// Compares measures with borders and remembers whether any came within a
// tenth of the border it was compared with.
class Judge
{
public:
    Judge(const KnowledgeBase &kb, int category) : kb_(kb) { finding_.category = category; }

    bool above(double value, double border) { return near(value, border), value > border; }
    bool below(double value, double border) { return near(value, border), value < border; }
    bool atLeast(double value, double border) { return near(value, border), value >= border; }
    void doubt(bool unsure) { doubt_ = doubt_ || unsure; }
    void measure(const QString &name, double value, int decimals = 2)
    {
        const double f = std::pow(10.0, decimals);
        finding_.measures.push_back({ name, std::round(value * f) / f, std::isfinite(value) });
    }
    void unknown(const QString &name) { finding_.measures.push_back({ name, 0, false }); }

    Finding decide(int rank, const QString &note)
    {
        finding_.variation = rank < 0 ? -1 : kb_.FirstVariation[size_t(finding_.category)] + rank;
        finding_.sure = !doubt_;
        finding_.note = note;
        return finding_;
    }

private:
    void near(double value, double border)
    {
        if (std::abs(value - border) < 0.1 * std::abs(border))
            doubt_ = true;
    }

    const KnowledgeBase &kb_;
    Finding finding_;
    bool doubt_ = false;
};

QString fixed(double v, int decimals = 1)
{
    return QString::number(v, 'f', decimals);
}

QString percent(double share)
{
    return fixed(share * 100, 0) + QLatin1Char('%');
}

int marginRank(Judge &j, const PageMeasures &m, QString *why)
{
    if (j.below(m.left, Border::NoMargin) && j.below(m.right, Border::NoMargin)
        && j.below(m.top, Border::NoMargin) && j.below(m.bottom, Border::NoMargin))
        return NoMargins;
    if (m.lines >= 3) {
        j.doubt(m.lines < 5);
        if (j.atLeast(m.leftSteadiness, Border::MarginSteadiness)
            && j.above(m.leftInward, Border::MarginTrend))
            return NarrowToWiderLeft;
        if (j.atLeast(m.rightSteadiness, Border::MarginSteadiness)
            && j.above(m.rightInward, Border::MarginTrend))
            return NarrowToWiderRight;
    }
    if (j.atLeast(m.left, Border::WideMargin) && j.atLeast(m.left, 2 * m.right))
        return WideLeft;
    if (j.atLeast(m.right, Border::WideMargin) && j.atLeast(m.right, 2 * m.left))
        return WideRight;
    if (j.atLeast(m.top, Border::WideMargin))
        return WideUpper;
    if (j.atLeast(m.bottom, Border::WideMargin)) {
        if (!j.above(m.bottom, Border::UnfilledPage))
            return WideLower;
        *why = QStringLiteral(" The writing ends above the last third of the page: the page "
                              "was not filled, so its lower margin tells nothing.");
        return -1;
    }
    const double widest = std::max({ m.left, m.right, m.top, m.bottom });
    const double narrowest = std::min({ m.left, m.right, m.top, m.bottom });
    if (j.atLeast(narrowest, Border::EvenMarginLow) && !j.above(widest, Border::EvenMarginHigh)
        && !j.above(widest, Border::EvenMarginRatio * narrowest))
        return EvenAllAround;
    return -1;
}

} // namespace

Finding judgeSlant(const KnowledgeBase &kb, const PageMeasures &m)
{
    Judge j(kb, Slant);
    j.measure(QStringLiteral("slant_deg"), m.slant, 1);
    j.measure(QStringLiteral("slant_spread_deg"), m.slantSpread, 1);
    j.measure(QStringLiteral("words"), m.slantedWords, 0);
    j.doubt(m.slantedWords < 5);
    const QString side = m.slant >= 0 ? QStringLiteral("right") : QStringLiteral("left");
    QString note = QStringLiteral("The downstrokes lean %1 degrees to the %2 on average; single "
                                  "words spread %3 degrees about that.")
                       .arg(fixed(std::abs(m.slant)), side, fixed(m.slantSpread));
    const double lean = std::abs(m.slant);
    int rank = Vertical;
    if (j.above(m.slantSpread, Border::IrregularSlant))
        rank = Irregular;
    else if (!j.above(lean, Border::VerticalSlant))
        rank = Vertical;
    else if (!j.above(lean, Border::ExtremeSlant))
        rank = m.slant > 0 ? ModerateRight : ModerateLeft;
    else
        rank = m.slant > 0 ? ExtremeRight : ExtremeLeft;
    return j.decide(rank, note);
}

Finding judgeMargins(const KnowledgeBase &kb, const PageMeasures &m)
{
    Judge j(kb, Margins);
    j.measure(QStringLiteral("left_pct"), m.left * 100, 1);
    j.measure(QStringLiteral("right_pct"), m.right * 100, 1);
    j.measure(QStringLiteral("top_pct"), m.top * 100, 1);
    j.measure(QStringLiteral("bottom_pct"), m.bottom * 100, 1);
    j.measure(QStringLiteral("left_inward_pct"), m.leftInward * 100, 1);
    j.measure(QStringLiteral("right_inward_pct"), m.rightInward * 100, 1);
    j.measure(QStringLiteral("lines"), m.lines, 0);
    j.doubt(m.lines < 2);
    QString why;
    const int rank = marginRank(j, m, &why);
    const QString note
        = QStringLiteral("Margins: left %1, right %2 of the width; top %3, bottom "
                         "%4 of the height.")
              .arg(percent(m.left), percent(m.right), percent(m.top), percent(m.bottom))
        + why;
    return j.decide(rank, note);
}

Finding judgeLineSpacing(const KnowledgeBase &kb, const PageMeasures &m)
{
    Judge j(kb, LineSpacing);
    const bool measured = m.lines >= 2;
    if (measured) {
        j.measure(QStringLiteral("line_pitch_x"), m.linePitch);
        j.measure(QStringLiteral("line_pitch_variation_pct"), m.linePitchVariation * 100, 1);
        j.measure(QStringLiteral("overlap_pct"), m.overlap * 100, 1);
    } else {
        j.unknown(QStringLiteral("line_pitch_x"));
        j.unknown(QStringLiteral("line_pitch_variation_pct"));
        j.unknown(QStringLiteral("overlap_pct"));
    }
    j.measure(QStringLiteral("lines"), m.lines, 0);
    if (!measured)
        return j.decide(-1, QStringLiteral("A single line of writing has no line spacing."));
    j.doubt(m.lines < 3);
    const QString note
        = QStringLiteral("Baselines lie %1 x-heights apart (median), varying by "
                         "%2; neighbouring lines overlap along %3 of their width.")
              .arg(fixed(m.linePitch), percent(m.linePitchVariation), percent(m.overlap));
    if (j.atLeast(m.overlap, Border::Overlapping))
        return j.decide(Overlapping, note);
    j.doubt(m.linePitchVariation > 0.3);
    if (j.below(m.linePitch, Border::NarrowLines))
        return j.decide(NarrowLines, note);
    if (j.above(m.linePitch, Border::VeryWideLines))
        return j.decide(VeryWideLines, note);
    if (j.above(m.linePitch, Border::WideLines))
        return j.decide(WideLines, note);
    if (j.below(m.linePitchVariation, Border::EvenLines))
        return j.decide(EvenLines, note);
    return j.decide(
        -1, note + QStringLiteral(" The spacing is neither narrow nor wide, and not even."));
}

Finding judgeWordSpacing(const KnowledgeBase &kb, const PageMeasures &m)
{
    Judge j(kb, WordSpacing);
    const bool measured = m.wordGaps > 0;
    if (measured) {
        j.measure(QStringLiteral("word_gap_x"), m.wordGap);
        j.measure(QStringLiteral("word_gap_variation_pct"), m.wordGapVariation * 100, 1);
    } else {
        j.unknown(QStringLiteral("word_gap_x"));
        j.unknown(QStringLiteral("word_gap_variation_pct"));
    }
    j.measure(QStringLiteral("gaps"), m.wordGaps, 0);
    if (!measured)
        return j.decide(-1,
            QStringLiteral("No line holds two words, so there is no space "
                           "between words to measure."));
    j.doubt(m.wordGaps < 5);
    const QString note = QStringLiteral("Words stand %1 x-heights apart (median); the spaces vary "
                                        "by %2.")
                             .arg(fixed(m.wordGap), percent(m.wordGapVariation));
    if (j.below(m.wordGap, Border::SmallSpaces))
        return j.decide(SmallSpaces, note);
    if (j.above(m.wordGap, Border::VeryLargeSpaces))
        return j.decide(VeryLargeSpaces, note);
    if (j.above(m.wordGap, Border::LargeSpaces))
        return j.decide(LargeSpaces, note);
    if (j.above(m.wordGapVariation, Border::UnevenSpaces))
        return j.decide(UnevenSpaces, note);
    return j.decide(EvenSpaces, note);
}

Finding judgeSize(const KnowledgeBase &kb, const PageMeasures &m)
{
    Judge j(kb, Size);
    j.measure(QStringLiteral("x_height_mm"), m.xHeightMm);
    j.measure(QStringLiteral("size_variation_pct"), m.sizeVariation * 100, 1);
    if (m.lettersApart)
        j.measure(QStringLiteral("letter_width_x"), m.letterWidth);
    else
        j.unknown(QStringLiteral("letter_width_x"));
    j.measure(QStringLiteral("words"), m.sizedWords, 0);
    j.doubt(m.sizedWords < 5);
    QString note = QStringLiteral("The middle zone is %1 mm tall; the words' middle zones vary "
                                  "by %2.")
                       .arg(fixed(m.xHeightMm, 2), percent(m.sizeVariation));
    if (m.dpiAssumed)
        note += QStringLiteral(" The picture does not state its resolution: 300 dots per inch "
                               "are assumed, so the millimetres are an estimate.");
    if (j.above(m.sizeVariation, Border::IrregularSize))
        return j.decide(IrregularSize, note);
    j.doubt(m.dpiAssumed);
    if (j.below(m.xHeightMm, Border::SmallMm))
        return j.decide(Small, note);
    if (j.above(m.xHeightMm, Border::TallMm))
        return j.decide(Tall, note);
    if (!m.lettersApart)
        return j.decide(-1,
            note
                + QStringLiteral(" The letters are joined, so their width "
                                 "cannot be measured reliably."));
    note += QStringLiteral(" Letters are %1 x-heights wide (median).").arg(fixed(m.letterWidth, 2));
    if (j.below(m.letterWidth, Border::NarrowLetters))
        return j.decide(Narrow, note);
    if (j.above(m.letterWidth, Border::BroadLetters))
        return j.decide(Broad, note);
    return j.decide(-1, note);
}

Finding judgeLetterSpacing(const KnowledgeBase &kb, const PageMeasures &m)
{
    Judge j(kb, LetterSpacing);
    if (m.lettersApart)
        j.measure(QStringLiteral("letter_gap_x"), m.letterGap);
    else
        j.unknown(QStringLiteral("letter_gap_x"));
    j.measure(QStringLiteral("joined_pct"), m.joinedShare * 100, 1);
    j.measure(QStringLiteral("gaps"), m.letterGaps, 0);
    if (!m.lettersApart)
        return j.decide(-1,
            QStringLiteral("%1 of the writing is joined, so the letters cannot "
                           "be told apart: judge the space between them by eye.")
                .arg(percent(m.joinedShare)));
    j.doubt(m.letterGaps < 10);
    j.atLeast(m.joinedShare, Border::JoinedShare);
    const QString note
        = QStringLiteral("Letters stand %1 x-heights apart (median).").arg(fixed(m.letterGap, 2));
    if (j.below(m.letterGap, Border::CloseLetters))
        return j.decide(CloseSpaced, note);
    if (j.above(m.letterGap, Border::WideLetters))
        return j.decide(WideSpaced, note);
    return j.decide(NormalLetters, note);
}

QVector<Finding> judgePage(const KnowledgeBase &kb, const PageMeasures &m)
{
    QVector<Finding> findings;
    for (const int category : MeasuredCategories) {
        switch (category) {
        case Slant:
            findings << judgeSlant(kb, m);
            break;
        case Margins:
            findings << judgeMargins(kb, m);
            break;
        case LineSpacing:
            findings << judgeLineSpacing(kb, m);
            break;
        case WordSpacing:
            findings << judgeWordSpacing(kb, m);
            break;
        case Size:
            findings << judgeSize(kb, m);
            break;
        default:
            findings << judgeLetterSpacing(kb, m);
            break;
        }
    }
    return findings;
}

} // namespace PageAnalysis
