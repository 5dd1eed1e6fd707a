#pragma once

#include "Canvas.h"

#include <QPainterPath>
#include <QPolygonF>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// The fonts that hands are built from: a joined school script for letters
// and a quick, thin personal hand for signatures.
enum class Face { Script, Signature };

// How one picture's writer holds the pen. Lengths are in x-heights unless
// they say otherwise.
struct Hand
{
    qreal xHeight = 5; // pixels
    qreal slant = 8; // degrees, positive leaning to the right
    qreal width = 1; // horizontal stretch of every letter
    qreal tracking = 0; // extra room between letters, taken up by the joins
    qreal wordSpace = 0.9; // the white between two words
    qreal wordSpaceJitter = 0.15;
    qreal slantJitter = 1.5; // degrees, per word
    qreal slantSwing = 0; // degrees, leaning each word the other way from the one before
    qreal letterSlant = 3; // degrees, wandering from letter to letter
    qreal sizeJitter = 0.04; // fraction, per word
    qreal sizeWander = 0.07; // fraction, wandering from letter to letter
    qreal widthWander = 0; // fraction, letters wider or narrower than their height says
    qreal sizeCell = 0.9; // how many x-heights the size takes to change
    qreal baselineJitter = 0.05; // per word
    qreal baselineWander = 0.05; // along the word
    qreal bounce = 0; // letters sitting a little higher or lower than their neighbours
    qreal shape = 0.035; // how far each letter's outline strays from the font's
    qreal rotationJitter = 0.8; // degrees, per word
    qreal lineTilt = 0.6; // degrees, per line
    qreal loops = 1; // length of the loops above and below the x-height band
    qreal loopWander = 0; // fraction, loops longer or shorter from letter to letter
    qreal weight = 1; // pen width of the drawn strokes, relative to the font's
    qreal thin = 0; // how much thinner than the font's the letters are drawn
    qreal opacity = 1;
    qreal pressure = 0; // pixels of extra weight, pressed harder on some letters than others
    qreal contrast = 0; // x-heights: downstrokes heavier, upstrokes and joins lighter
    qreal inkWander = 0; // fraction: the ink paler on some letters, darkest where a word starts
    // How far a lean turns the letters rather than shearing them: 0 shears,
    // 1 keeps their upright strokes as long and as heavy as upright ones.
    qreal turn = 0;
    qreal lineWave = 0; // x-heights: the baseline rising and falling slowly along a line
    Face face = Face::Script;
    // The r, the s and a word's final n and o written the hand's own way,
    // which read clearly at the size of running text, not as the font's.
    bool ownLetters = false;
    // Lines of running text reach the right edge, their spaces opened or
    // squeezed unevenly, as a writer does who fills the page to its edge.
    bool justify = false;
    qreal justifyLimit = 1e9; // x-heights: a line short by more per space stays ragged
};

// The everyday hand of running text, quick enough that the same letter never
// comes out quite the same twice: its shape, width, height, lean and the
// height it sits at change from one copy to the next.
Hand runningHand();

// Where the ink of a word lies, in picture pixels along the line, in three
// bands: above the x-height, within it and below the baseline.
struct Extents
{
    static constexpr int Bands = 3;
    qreal low[Bands] { 1e9, 1e9, 1e9 };
    qreal high[Bands] { -1e9, -1e9, -1e9 };

    void add(int band, qreal x);
    bool has(int band) const { return low[band] <= high[band]; }
    qreal left() const;
    qreal right() const;
    Extents shifted(qreal dx) const;
};

// The smooth ways in which one written word strays from the font: letters
// that grow and shrink, lean and sit a little higher or lower, outlines that
// bend, and joins that stretch when the letters stand apart. It maps word
// units (x-heights, baseline at y = 0, y growing downwards) to word units.
class Warp
{
public:
    Warp() = default;
    Warp(const Hand &hand, quint64 seed, qreal slant, const QVector<qreal> &joins);

    QPointF map(QPointF p) const;

private:
    qreal along(qreal x) const;
    qreal field(int which, qreal x, qreal y = 0) const;

    quint64 seed_ = 0;
    bool identity_ = true;
    Hand hand_;
    qreal slant_ = 0;
    qreal start_ = 0;
    QVector<qreal> along_; // the stretched x, every Step from start_
};

// The pen inside one word. It draws in word units: x-heights, with the
// baseline at y = 0, y growing downwards, and the word starting at x = 0.
class Pen
{
public:
    Pen(Canvas *canvas, const QTransform &toCanvas, const Warp &warp, qreal strokeWidth,
        qreal opacity, Rng &rng, Face face = Face::Script);

    // Draws a letter of the font at x and returns its advance; with `keep`,
    // only the part of the letter within that rectangle (at the origin).
    qreal letter(QChar c, qreal x, const QRectF &keep = QRectF());
    static qreal advance(QChar c, Face face = Face::Script);
    // The highest point of a font letter at the origin (the top of an i's stem).
    static QPointF top(QChar c, Face face = Face::Script);
    // The middle of the rightmost stroke of a font letter at the origin where
    // it crosses the height y: the stem of an a, g or y.
    static QPointF stem(QChar c, qreal y);
    // Where a font letter at the origin has ink along the vertical line x:
    // the spans of y inside its outline.
    static QVector<QPair<qreal, qreal>> inkAcross(QChar c, qreal x, Face face = Face::Script);

    // A drawn stroke along a centre line, heavier where the pen moves down and
    // lighter where it moves up; weight scales the pen width.
    void line(const QPainterPath &centre, qreal weight = 1, qreal opacity = 1,
        Qt::PenCapStyle cap = Qt::RoundCap);
    // A filled shape, as a tapering stroke or a heavy dot.
    void fill(const QPainterPath &shape, qreal opacity = 1);
    // A soft blot of ink with radii in word units.
    void blot(QPointF at, qreal radiusX, qreal radiusY, qreal opacity = 1);

    // Takes `pixels` off each side of the font's upright strokes, so that
    // letters stretched wide keep the weight of the pen.
    void setThinning(qreal pixels) { thin_ = pixels; }
    // Presses harder on some letters than on others, adding up to `pixels`
    // of weight to the font's strokes.
    void setPressure(qreal pixels, quint64 seed) { pressure_ = pixels, pressureSeed_ = seed; }
    // Moves the edges of the font's strokes out by up to `amount` x-heights
    // where the pen moves down and in where it moves up, to the right.
    void setContrast(qreal amount) { contrast_ = amount; }
    // Lets the ink run paler on some letters, by up to `fraction`.
    // Adds `pixels` to the weight of every font stroke.
    void setEdge(qreal pixels) { edge_ = pixels; }
    void setInkWander(qreal fraction, quint64 seed) { inkWander_ = fraction, inkSeed_ = seed; }

    Rng &rng() { return rng_; }
    qreal jitter(qreal amount) { return rng_.jitter(amount); }
    // The pen width in word units.
    qreal strokeWidth() const;
    // Word units to picture pixels.
    QPointF map(QPointF p) const { return toCanvas_.map(warp_.map(p)); }
    // Where everything drawn so far lies.
    const Extents &extents() const { return extents_; }

private:
    QPolygonF mapped(const QPolygonF &polygon, bool rigid);
    void record(QPointF picturePoint);
    void fillPolygons(const QVector<QPolygonF> &polygons, qreal opacity, qreal edge);

    Canvas *canvas_; // null when only measuring
    QTransform toCanvas_;
    Warp warp_;
    qreal strokeWidth_;
    qreal opacity_;
    Rng &rng_;
    Face face_;
    qreal thin_ = 0;
    qreal pressure_ = 0;
    quint64 pressureSeed_ = 0;
    qreal contrast_ = 0;
    qreal edge_ = 0;
    qreal inkWander_ = 0;
    quint64 inkSeed_ = 0;
    qreal baselineY_, xHeightPixels_;
    Extents extents_;
};

// A letter drawn by hand in place of the font's: it draws `letter` starting
// at x and returns its advance.
using Form = std::function<qreal(Pen &pen, QChar letter, qreal x)>;

struct Written
{
    qreal advance = 0; // pixels along the baseline
    Extents extents; // picture pixels
};

// Lays out words in one writer's hand. In a word, a letter in brackets
// ("li[t]tle") is drawn by the form set with setForm().
class Writer
{
public:
    Writer(Canvas &canvas, const Hand &hand);

    // Loads the handwriting fonts; an empty result means success.
    static QString loadFont();

    void setForm(Form form) { form_ = std::move(form); }
    Hand &hand() { return hand_; }

    // Writes one word with its baseline starting at `at`.
    Written write(const QString &word, QPointF at);
    // The advance of a word in pixels, without this writer's jitter.
    qreal measure(const QString &word) const;

    // Writes words along one baseline, the first word's ink starting at
    // `left`, with this hand's white between the words. Returns where the
    // ink of the row ends.
    qreal row(const QStringList &words, qreal left, qreal baseline);

    // Fills lines with running text from `words`, starting at `next`, one
    // baseline every `pitch` pixels from `baseline`. `edges` gives the left
    // and right end of each line, which the ink keeps within. Returns the
    // index of the first word left.
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
    // A word with all of its writer's choices made, ready to be drawn anywhere.
    struct Prepared
    {
        QVector<Item> items;
        qreal size = 0;
        QTransform shape; // word units to pixels about the word's start
        Warp warp;
        Rng rng { 0 }; // the word's own choices, from here on
        quint64 seed = 0; // how the word wanders
        qreal advance = 0;
        Extents extents; // about the word's start
    };
    static QVector<Item> parse(const QString &word);
    Prepared prepare(const QString &word);
    Written draw(Prepared &word, QPointF at);
    qreal layout(const QVector<Item> &items, Pen &pen, QVector<qreal> *joins = nullptr) const;
    qreal gapAfter(const Extents &before, const Extents &word, qreal gap, bool sentenceEnds) const;
    // Whether the hand writes this letter its own way rather than the font's;
    // `last` when it ends the word.
    bool ownLetter(QChar letter, bool last) const;
    qreal joinBetween(QChar left, qreal leftAt, QChar right, qreal rightAt) const;

    Canvas &canvas_;
    Hand hand_;
    Form form_;
    qreal tilt_ = 0;
    qreal swing_ = 1;
    int leaning_ = 0; // words leaned forwards so far, less those leaned backwards
};

// A few hundred words of a friendly letter, for pages of running text.
QStringList runningText(int skip = 0);
