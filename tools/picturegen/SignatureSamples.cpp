// Samples about the signature under a few lines of a letter: its size
// against the script, and what is drawn around or through it.
#include "Forms.h"
#include "Samples.h"

#include <QtMath>

#include <cmath>

namespace {

enum class Signature { Clear, Illegible, Smaller, Larger, Underlined, Encircled, CrossedOut };

const QString Name = QStringLiteral("[H]e[l]e[n] Moo[r]");

// What is left of the small letters of a name written in haste: a hump or
// two, a tall loop where an l stood, then a thread that flattens out and
// trails off in a long stroke.
qreal drawThread(Pen &pen, qreal x, bool tall)
{
    const QVector<qreal> heights = tall ? QVector<qreal> { 0.8, 1.9, 0.7, 0.45, 0.25, 0.12 }
                                        : QVector<qreal> { 0.75, 0.5, 0.3, 0.14 };
    QVector<QPointF> points { { x - 0.1, -0.15 } };
    qreal at = x;
    for (int i = 0; i < heights.size(); ++i) {
        const qreal h = heights[i] * pen.rng().range(0.85, 1.15);
        const qreal step = (h < 0.3 ? 0.7 : 0.55) * pen.rng().range(0.85, 1.15);
        if (h > 1.2) {
            points << QPointF(at + 0.4, -h) << QPointF(at + 0.16, -h + 0.3)
                   << QPointF(at + 0.3, 0.04);
        } else {
            points << QPointF(at + 0.2 * step, -0.75 * h) << QPointF(at + 0.5 * step, -h)
                   << QPointF(at + 0.8 * step, -0.7 * h)
                   << QPointF(at + step, 0.05 + pen.jitter(0.06));
        }
        at += step;
    }
    points << QPointF(at + 0.5, 0.22) << QPointF(at + 1.1, 0.12) << QPointF(at + 1.6, -0.25);
    pen.line(spline(points), 0.85);
    return at - x + 1.3;
}

// The l of the name, looped: up to the right into a tall narrow loop, down
// its stem and on to the next letter.
qreal drawLoopL(Pen &pen, qreal x)
{
    const qreal cap = -Pen::top(QLatin1Char('H'), Face::Signature).y();
    const qreal h = cap * (0.95 + pen.jitter(0.05)), w = 1 + pen.jitter(0.08);
    pen.line(spline(shaken(pen,
                 { { x - 0.08, -0.1 }, { x + 0.3 * w, -0.45 * h }, { x + 0.52 * w, -0.82 * h },
                     { x + 0.5 * w, -h }, { x + 0.32 * w, -0.96 * h }, { x + 0.24 * w, -0.6 * h },
                     { x + 0.22 * w, -0.2 * h }, { x + 0.3 * w, 0.02 }, { x + 0.5 * w, -0.05 },
                     { x + 0.66 * w, -0.28 } },
                 0.02)),
        1.0);
    return 0.68 * w;
}

// The capital H of the name, in three quick strokes that leave no doubt:
// two uprights, the second a little shorter, and a bar rising across them.
qreal drawCapitalH(Pen &pen, qreal x)
{
    const qreal cap = -Pen::top(QLatin1Char('H'), Face::Signature).y();
    const qreal w = 0.95 * (1 + pen.jitter(0.06));
    pen.line(
        spline(shaken(pen, { { x + 0.12, -cap }, { x + 0.08, -0.5 * cap }, { x, 0.02 } }, 0.02)),
        1.15);
    pen.line(spline(shaken(pen,
                 { { x + w + 0.08, -0.92 * cap }, { x + w, -0.45 * cap }, { x + w - 0.06, 0.02 } },
                 0.02)),
        1.15);
    pen.line(
        spline(shaken(pen,
            { { x - 0.12, -0.42 * cap }, { x + 0.5 * w, -0.5 * cap }, { x + w + 0.2, -0.6 * cap } },
            0.02)),
        0.95);
    return w + 0.35;
}

// The last letter of the name, written from the font, running on into the
// writer's own flourish: a long stroke rising to the right that thins out
// as the pen leaves the paper.
qreal drawFlourish(Pen &pen, QChar letter, qreal x, qreal reach)
{
    const qreal advance = pen.letter(letter, x);
    // Where the letter's last stroke leaves off on its right.
    QPointF end(x + advance, -0.5);
    for (qreal u = advance + 0.3; u > 0; u -= 0.02) {
        const auto spans = Pen::inkAcross(letter, u, Face::Signature);
        if (!spans.isEmpty()) {
            end = QPointF(x + u - 0.04, (spans.first().first + spans.first().second) / 2);
            break;
        }
    }
    const qreal k = 1 + pen.jitter(0.1);
    taper(pen,
        spline(shaken(pen,
            { end, end + QPointF(0.22 * reach * k, 0.12), end + QPointF(0.6 * reach * k, 0.05),
                end + QPointF(reach * k, -0.45) },
            0.04)),
        0.9, 0.05);
    return end.x() - x + reach * k;
}

// The letter above the signature, in the writer's everyday script: the size
// the signature is judged by.
void writeLetter(Canvas &canvas)
{
    Hand script = runningHand();
    script.slant = 6;
    script.rotationJitter = 1.5;
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
    // Signed a thousand times and never twice alike.
    hand.sizeWander = 0.14;
    hand.widthWander = 0.12;
    hand.loopWander = 0.15;
    hand.bounce = 0.04;
    hand.letterSlant = 5;
    hand.shape = 0.065;
    hand.pressure = 0.45;
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
        // Three quick strokes through the name, each at its own angle, a
        // little bowed, and thinning as the pen flicks off the paper.
        for (int i = 0; i < 3; ++i) {
            const qreal from = -0.6 + pen.jitter(0.35), to = length + 0.5 + pen.jitter(0.5);
            static constexpr qreal Starts[] = { -0.2, 1.25, 0.5 }, Rises[] = { 1.5, -1.45, 0.35 };
            const qreal y0 = -cap * (Starts[i] + pen.jitter(0.06));
            const qreal rise = cap * (Rises[i] + pen.jitter(0.08));
            const qreal bow = cap * (0.08 + pen.jitter(0.08)) * (i == 1 ? -1 : 1);
            const qreal mid = 0.5 + pen.jitter(0.12);
            taper(pen,
                spline(shaken(pen,
                    { { from, y0 }, { from + mid * (to - from), y0 - mid * rise + bow },
                        { to, y0 - rise } },
                    0.03)),
                1.2 - 0.1 * i, 0.45);
        }
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
    // Each picture shows the same writer signing once more, never a copy of
    // the signature before.
    for (int i = 0; i < rank; ++i)
        canvas.rng().next();
    const qreal reach = kind == Signature::Larger ? 0.75 : 1.8;
    const bool illegible = kind == Signature::Illegible;
    signer.setForm([reach, illegible](Pen &pen, QChar letter, qreal x) {
        if (letter == QLatin1Char('r'))
            return drawFlourish(pen, letter, x, reach);
        if (letter == QLatin1Char('H'))
            return drawCapitalH(pen, x);
        if (letter == QLatin1Char('l') && !illegible)
            return drawLoopL(pen, x);
        if (letter == QLatin1Char('n')) {
            // The n that ends the first name, quick but with both legs down
            // and a round arch between them, so that it reads as an n.
            Humps humps;
            humps.arches = 1;
            humps.width = 0.5;
            return drawHumps(pen, x, humps).x() - x + 0.3;
        }
        return drawThread(pen, x, letter == QLatin1Char('l'));
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
