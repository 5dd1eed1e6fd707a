#include "Samples.h"

QImage drawSample(int category, int rank, const Sample &sample)
{
    using Draw = QImage (*)(int, const Sample &);
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
    return Drawers[category](rank, sample);
}

void writeRows(Writer &writer, const QStringList &rows, qreal left, qreal top, qreal pitch,
    const QVector<qreal> &indents)
{
    for (int i = 0; i < rows.size(); ++i) {
        writer.row(rows[i].split(QLatin1Char(' '), Qt::SkipEmptyParts),
            left + (i < indents.size() ? indents[i] : 0), top + i * pitch);
    }
}

Hand letterHand()
{
    Hand hand;
    hand.xHeight = 9.5;
    hand.wordSpace = 1.0;
    hand.slant = 6;
    hand.rotationJitter = 1.5;
    return hand;
}

QImage wordsSample(const Sample &sample, const Hand &hand, const Form &form,
    const QStringList &rows, const QVector<qreal> &indents, qreal top, qreal pitch)
{
    Canvas canvas(sample, Ground::Paper);
    Writer writer(canvas, hand);
    writer.setForm(form);
    writeRows(writer, rows, 10, top, pitch, indents);
    return canvas.render();
}
