// Samples about the signature under a few lines of a letter: its size
// against the script, and what is drawn around or through it.
#include "Forms.h"
#include "Samples.h"

#include <QtMath>

#include <cmath>

namespace {

enum class Signature { Clear, Illegible, Smaller, Larger, Underlined, Encircled, CrossedOut };

const QString Name = QStringLiteral("Helen Moor");

// What is left of the small letters of a name written in haste: a loop or
// two, a tall stroke, and a thread that flattens out and trails off.
qreal drawThread(Pen &pen, qreal x, qreal length, bool tall)
{
    QVector<QPointF> points { { x - 0.1, -0.15 } };
    qreal at = x;
    int i = 0;
    while (at < x + length) {
        const qreal fade = 1.0 - 0.75 * (at - x) / length;
        const qreal step = pen.rng().range(0.28, 0.42);
        if (tall && i == 1) {
            // A tall, narrow loop where an l stood.
            points << QPointF(at + 0.3, -1.8 + pen.jitter(0.1)) << QPointF(at + 0.12, -1.55)
                   << QPointF(at + 0.22, -0.2);
        } else {
            points << QPointF(at + step * 0.6, -pen.rng().range(0.5, 0.9) * fade);
            points << QPointF(at + step, 0.04 + pen.jitter(0.08));
        }
        at += step;
        ++i;
    }
    points << QPointF(at + 0.45, -0.12) << QPointF(at + 0.9, -0.4);
    pen.line(spline(points), 0.8);
    return at - x + 0.6;
}

// The letter above the signature, in the writer's everyday script: the size
// the signature is judged by.
void writeLetter(Canvas &canvas)
{
    Hand script = letterHand();
    script.xHeight = 4.8;
    script.wordSpace = 0.9;
    Writer letter(canvas, script);
    letter.lines(
        QStringLiteral("Thank you for the lovely flowers. Kind regards,").split(QLatin1Char(' ')),
        0, 22, 17, 3, [](int) { return qMakePair(10.0, 108.0); });
}

// The hand that signs: quicker and more personal than the script above it.
Hand signingHand(Signature kind)
{
    Hand hand;
    hand.face = Face::Signature;
    hand.xHeight = 5.6;
    hand.slant = 6;
    hand.slantJitter = 1;
    hand.sizeJitter = 0.03;
    hand.sizeWander = 0.12;
    hand.shape = 0.05;
    hand.wordSpace = 0.7;
    hand.weight = 0.9;
    if (kind == Signature::Smaller)
        hand.xHeight = 3.3;
    if (kind == Signature::Larger)
        hand.xHeight = 9.6, hand.wordSpace = 0.5;
    if (kind == Signature::Illegible)
        hand.slant = 14;
    return hand;
}

// A stroke drawn with the signature in its own units: `length` long, the
// name's baseline at y = 0 and its capitals `cap` high.
void drawMark(Pen &pen, Signature kind, qreal length, qreal cap)
{
    switch (kind) {
    case Signature::Underlined:
        pen.line(spline(shaken(pen,
                     { { -0.4, 0.55 }, { length * 0.5, 0.75 }, { length + 0.3, 0.5 },
                         { length + 0.8, 0.2 } },
                     0.04)),
            1.1);
        break;
    case Signature::Encircled: {
        const qreal cx = length / 2, rx = length / 2 + 1.5, ry = cap / 2 + 0.95;
        QVector<QPointF> ring;
        for (int a = 0; a <= 390; a += 18) {
            const qreal r = qDegreesToRadians(qreal(a + 150));
            ring << QPointF(cx + rx * std::cos(r), -cap / 2 - ry * std::sin(r));
        }
        pen.line(spline(shaken(pen, ring, 0.05)));
        break;
    }
    case Signature::CrossedOut:
        pen.line(polyline(shaken(pen,
                     { { -0.5, -0.2 * cap }, { length + 0.5, -0.62 * cap }, { -0.1, -0.45 * cap },
                         { length + 0.4, -0.88 * cap } },
                     0.05)),
            1.15);
        break;
    default:
        break;
    }
}

} // namespace

QImage drawSignature(int rank, const Sample &sample)
{
    const auto kind = Signature(qBound(0, rank - 1, 6));
    Canvas canvas(sample, Ground::Paper);
    writeLetter(canvas);

    Hand hand = signingHand(kind);
    Writer signer(canvas, hand);
    signer.setForm([](Pen &pen, QChar letter, qreal x) {
        return drawThread(
            pen, x, letter == QLatin1Char('l') ? 2.2 : 1.7, letter == QLatin1Char('l'));
    });
    const QString name = kind == Signature::Illegible ? QStringLiteral("H[l] M[o]") : Name;
    const qreal width = signer.measure(name);
    // The signature sits under the letter, a little right of its start.
    const QPointF at(kind == Signature::Larger ? 10
            : kind == Signature::Smaller       ? 52
                                               : 22,
        kind == Signature::Larger ? 99 : 90);
    const qreal end = signer.row(name.split(QLatin1Char(' ')), at.x(), at.y());

    const qreal length = (std::max(end - at.x(), width)) / hand.xHeight;
    const qreal cap = -Pen::top(QLatin1Char('H'), Face::Signature).y();
    signer.setForm([kind, length, cap](Pen &pen, QChar, qreal) {
        drawMark(pen, kind, length, cap);
        return length;
    });
    if (kind == Signature::Underlined || kind == Signature::Encircled
        || kind == Signature::CrossedOut)
        signer.write(QStringLiteral("[.]"), at);
    return canvas.render();
}
