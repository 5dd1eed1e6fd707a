#pragma once

#include "Canvas.h"

#include <QPainterPath>
#include <QString>
#include <QStringList>

#include <functional>

// How one picture's writer holds the pen. Lengths are in x-heights unless
// they say otherwise.
struct Hand
{
    qreal xHeight = 5; // pixels
    qreal slant = 8; // degrees, positive leaning to the right
    qreal width = 1; // horizontal stretch of every letter
    qreal tracking = 0; // extra room after each letter
    qreal wordSpace = 0.9;
    qreal wordSpaceJitter = 0.15;
    qreal slantJitter = 1.5; // degrees, per word
    qreal slantSwing = 0; // degrees, leaning each word the other way from the one before
    qreal sizeJitter = 0.05; // fraction, per word
    qreal baselineJitter = 0.07;
    qreal rotationJitter = 0.8; // degrees, per word
    qreal lineTilt = 0.6; // degrees, per line
    qreal weight = 1; // pen width of the drawn strokes, relative to the font's
    qreal opacity = 1;
};

// The pen inside one word. It draws in word units: x-heights, with the
// baseline at y = 0, y growing downwards, and the word starting at x = 0.
class Pen
{
public:
    Pen(Canvas *canvas, const QTransform &toCanvas, qreal strokeWidth, qreal opacity, Rng &rng);

    // Draws a letter of the font at x and returns its advance. Letters drawn
    // with `clipRight` stop at that x, losing their exit stroke.
    qreal letter(QChar c, qreal x, qreal clipRight = 1e9);
    // The font's outline of a letter at the origin, and its advance.
    static QPainterPath outline(QChar c);
    static qreal advance(QChar c);
    // The highest point of a font letter at the origin (the top of an i's stem).
    static QPointF top(QChar c);
    // The lowest point of a font letter whose x lies in [from, to].
    static QPointF lowest(QChar c, qreal from, qreal to);

    // A hand-drawn stroke along a centre line; weight scales the pen width.
    void line(const QPainterPath &centre, qreal weight = 1, qreal opacity = 1,
        Qt::PenCapStyle cap = Qt::RoundCap);
    // A filled shape, as a tapering stroke or a heavy dot.
    void fill(const QPainterPath &shape, qreal opacity = 1);
    // A soft blot of ink with radii in word units.
    void blot(QPointF at, qreal radiusX, qreal radiusY, qreal opacity = 1);

    Rng &rng() { return rng_; }
    qreal jitter(qreal amount) { return rng_.jitter(amount); }
    // The pen width in word units.
    qreal strokeWidth() const;
    // Everything drawn so far, in picture pixels.
    QRectF bounds() const { return bounds_; }
    const QTransform &toCanvas() const { return toCanvas_; }

private:
    void grow(const QRectF &r);

    Canvas *canvas_; // null when only measuring
    QTransform toCanvas_;
    qreal strokeWidth_;
    qreal opacity_;
    Rng &rng_;
    QRectF bounds_;
};

// A letter drawn by hand in place of the font's: it draws `letter` starting
// at x and returns its advance.
using Form = std::function<qreal(Pen &pen, QChar letter, qreal x)>;

struct Written
{
    qreal advance = 0; // pixels along the baseline
    QRectF bounds; // picture pixels
};

// Lays out words in one writer's hand. In a word, a letter in brackets
// ("li[t]tle") is drawn by the form set with setForm().
class Writer
{
public:
    Writer(Canvas &canvas, const Hand &hand);

    // Loads the handwriting font; an empty result means success.
    static QString loadFont();

    void setForm(Form form) { form_ = std::move(form); }
    Hand &hand() { return hand_; }

    // Writes one word with its baseline starting at `at`.
    Written write(const QString &word, QPointF at);
    // The advance of a word in pixels, without this writer's jitter.
    qreal measure(const QString &word) const;

    // Fills lines with running text from `words`, starting at `next`, one
    // baseline every `pitch` pixels from `baseline`. `edges` gives the left
    // and right end of each line. Returns the index of the first word left.
    int lines(const QStringList &words, int next, qreal baseline, qreal pitch, int count,
        const std::function<QPair<qreal, qreal>(int line)> &edges);

    // The pen width of drawn strokes, in pixels.
    qreal strokeWidth() const;

private:
    struct Item
    {
        QChar letter;
        bool drawn;
    };
    static QVector<Item> parse(const QString &word);
    qreal layout(const QVector<Item> &items, Pen &pen) const;

    Canvas &canvas_;
    Hand hand_;
    Form form_;
    qreal tilt_ = 0;
    qreal swing_ = 1;
};

// A few hundred words of a friendly letter, for pages of running text.
QStringList runningText(int skip = 0);
