#include "Samples.h"

QImage drawSample(int category, int rank, quint64 seed)
{
    using Draw = QImage (*)(int, quint64);
    static const Draw Drawers[] = {
        drawMargins,
        drawSlant,
        drawSize,
        drawLineSpacing,
        drawWordSpacing,
        drawLetterSpacing,
        drawBeginningStroke,
        drawEndingStroke,
        drawTBar,
        drawIDot,
        drawLowerE,
        drawLowerM,
        drawLowerO,
        drawLowerD,
        drawLowerLoops,
        drawCapitalI,
        drawSignature,
    };
    if (category < 0 || category >= int(std::size(Drawers)))
        return {};
    return Drawers[category](rank, seed);
}

void writeRows(Writer &writer, const QStringList &rows, qreal left, qreal top, qreal pitch,
    const QVector<qreal> &indents)
{
    Hand &hand = writer.hand();
    for (int i = 0; i < rows.size(); ++i) {
        qreal x = left + (i < indents.size() ? indents[i] : 0);
        for (const QString &word : rows[i].split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const Written w = writer.write(word, QPointF(x, top + i * pitch));
            x += w.advance + hand.wordSpace * hand.xHeight;
        }
    }
}

Hand letterHand()
{
    Hand hand;
    hand.xHeight = 9.5;
    hand.wordSpace = 0.8;
    hand.slant = 6;
    hand.rotationJitter = 1.5;
    return hand;
}

QImage wordsSample(quint64 seed, const Hand &hand, const Form &form, const QStringList &rows,
    const QVector<qreal> &indents, qreal top, qreal pitch)
{
    Canvas canvas(seed, Ground::Paper);
    Writer writer(canvas, hand);
    writer.setForm(form);
    writeRows(writer, rows, 10, top, pitch, indents);
    return canvas.render();
}
