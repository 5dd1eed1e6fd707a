// Samples about the signature under a few lines of a letter: its size
// against the script, and what is drawn around or through it.
#include "Forms.h"
#include "Samples.h"

namespace {

enum class Signature { Clear, Illegible, Smaller, Larger, Underlined, Encircled, CrossedOut };

const QString Name = QStringLiteral("Helen Moor");

// A hurried thread that stands for the rest of a name: uneven peaks, a
// stray loop, and a tail that trails off.
qreal drawThread(Pen &pen, qreal x, qreal length)
{
    QVector<QPointF> points { { x - 0.15, -0.2 } };
    qreal at = x;
    for (int i = 0; at < x + length; ++i) {
        const qreal step = pen.rng().range(0.35, 0.6);
        const qreal fade = 1.0 - 0.5 * (at - x) / length;
        const qreal peak = i == 2 ? -1.9 : -pen.rng().range(0.45, 1.3) * fade;
        points << QPointF(at + 0.2, peak) << QPointF(at + step, 0.05 + pen.jitter(0.15));
        if (i == 2)
            points << QPointF(at + step - 0.4, -0.5) << QPointF(at + step + 0.1, -0.05);
        at += step;
    }
    points << QPointF(at + 0.5, -0.2) << QPointF(at + 1.0, -0.55);
    pen.line(spline(points));
    return at - x + 0.7;
}

} // namespace

QImage drawSignature(int rank, quint64 seed)
{
    const auto kind = Signature(qBound(0, rank - 1, 6));
    Canvas canvas(seed, Ground::Paper);

    // The letter above the signature: the size the signature is judged by.
    Hand script = letterHand();
    script.xHeight = 4.8;
    Writer letter(canvas, script);
    letter.lines(
        QStringLiteral("Thank you for the lovely flowers. Kind regards,").split(QLatin1Char(' ')),
        0, 22, 17, 3, [](int) { return qMakePair(10.0, 108.0); });

    Hand hand = script;
    hand.slantJitter = 0.5;
    hand.sizeJitter = 0.02;
    QPointF at(24, 88);
    switch (kind) {
    case Signature::Smaller:
        hand.xHeight = 2.4;
        at = QPointF(56, 84);
        break;
    case Signature::Larger: {
        // As large as the line allows: well over half again the script.
        Writer probe(canvas, hand);
        hand.xHeight *= 100 / probe.measure(Name);
        hand.wordSpace = 0.6;
        at = QPointF(9, 98);
        break;
    }
    case Signature::Illegible:
        hand.xHeight = 5.6;
        at = QPointF(16, 90);
        break;
    default:
        break;
    }
    Writer signer(canvas, hand);
    signer.setForm([](Pen &pen, QChar, qreal x) { return drawThread(pen, x, 2.6); });
    const QString name = kind == Signature::Illegible ? QStringLiteral("H[~] M[~]") : Name;
    const qreal length = signer.measure(name) / hand.xHeight;
    const QStringList words = name.split(QLatin1Char(' '));
    qreal x = at.x();
    for (const QString &word : words)
        x += signer.write(word, QPointF(x, at.y())).advance + hand.wordSpace * hand.xHeight;

    // What is drawn with the signature, in its own units.
    switch (kind) {
    case Signature::Underlined:
        signer.setForm([length](Pen &pen, QChar, qreal) {
            pen.line(spline(shaken(pen,
                         { { -0.3, 0.75 }, { length * 0.5, 0.95 }, { length + 0.5, 0.6 } }, 0.03)),
                1.1);
            return length;
        });
        break;
    case Signature::Encircled:
        signer.setForm([length](Pen &pen, QChar, qreal) {
            const qreal cx = length / 2, rx = length / 2 + 0.9, ry = 1.85;
            QVector<QPointF> ring;
            for (int a = 0; a <= 380; a += 20) {
                const qreal r = qDegreesToRadians(qreal(a + 160));
                ring << QPointF(cx + rx * std::cos(r), -0.75 - ry * std::sin(r));
            }
            pen.line(spline(shaken(pen, ring, 0.05)));
            return length;
        });
        break;
    case Signature::CrossedOut:
        signer.setForm([length](Pen &pen, QChar, qreal) {
            pen.line(polyline(shaken(pen,
                         { { -0.5, -0.3 }, { length + 0.6, -1.3 }, { -0.2, -0.9 },
                             { length + 0.4, -1.75 } },
                         0.05)),
                1.15);
            return length;
        });
        break;
    default:
        signer.setForm({});
        break;
    }
    if (kind == Signature::Underlined || kind == Signature::Encircled
        || kind == Signature::CrossedOut)
        signer.write(QStringLiteral("[.]"), at);
    return canvas.render();
}
