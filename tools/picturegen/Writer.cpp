#include "Writer.h"

#include "Forms.h"

#include <QFile>
#include <QFontDatabase>
#include <QHash>
#include <QPainterPathStroker>
#include <QRawFont>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

// The font's stem width in x-heights, which drawn strokes match.
constexpr qreal FontStem = 0.15;
constexpr qreal DesignSize = 200;
// Curves are cut into straight pieces this fine (in x-heights) before the
// hand bends them.
constexpr qreal Flatness = 100;

struct Glyph
{
    QVector<QPolygonF> polygons;
    qreal advance = 0;
    QPointF top;
};

// The dot of an i or j: a small shape of its own above the x-height, which
// the hand moves along with the letter but never bends.
bool isDot(const QPolygonF &polygon)
{
    const QRectF box = polygon.boundingRect();
    return box.width() < 0.4 && box.height() < 0.4 && box.bottom() < -1.0;
}

QVector<QPolygonF> flattened(const QPainterPath &path)
{
    QVector<QPolygonF> polygons;
    const QTransform back = QTransform::fromScale(1 / Flatness, 1 / Flatness);
    for (const QPolygonF &polygon :
        path.toSubpathPolygons(QTransform::fromScale(Flatness, Flatness)))
        polygons.append(back.map(polygon));
    return polygons;
}

struct Script
{
    QRawFont raw;
    qreal slant = 0; // the font's own lean, taken out of every letter
    QHash<QChar, Glyph> glyphs;
    QHash<QString, QVector<QPolygonF>> parts;

    const QVector<QPolygonF> &part(QChar c, const QRectF &keep)
    {
        const QString key = QStringLiteral("%1 %2 %3 %4 %5")
                                .arg(c)
                                .arg(keep.x())
                                .arg(keep.y())
                                .arg(keep.width())
                                .arg(keep.height());
        auto it = parts.find(key);
        if (it != parts.end())
            return *it;
        QPainterPath whole;
        whole.setFillRule(Qt::WindingFill);
        for (const QPolygonF &polygon : glyph(c).polygons)
            whole.addPolygon(polygon), whole.closeSubpath();
        QPainterPath box;
        box.addRect(keep);
        return *parts.insert(key, flattened(whole.intersected(box)));
    }

    const Glyph &glyph(QChar c)
    {
        auto it = glyphs.find(c);
        if (it != glyphs.end())
            return *it;
        Glyph g;
        const QVector<quint32> indexes = raw.glyphIndexesForString(QString(c));
        if (!indexes.isEmpty()) {
            const qreal unit = 1.0 / raw.xHeight();
            const QTransform upright = QTransform::fromScale(unit, unit)
                * QTransform(1, 0, std::tan(qDegreesToRadians(slant)), 1, 0, 0);
            g.polygons = flattened(upright.map(raw.pathForGlyph(indexes.first())));
            g.advance = raw.advancesForGlyphIndexes(indexes).first().x() * unit;
            g.top = QPointF(0, 1e9);
            for (const QPolygonF &polygon : g.polygons)
                for (const QPointF &p : polygon)
                    g.top = p.y() < g.top.y() ? p : g.top;
        }
        return *glyphs.insert(c, g);
    }
};

Script &script(Face face = Face::Script)
{
    static Script faces[2];
    return faces[face == Face::Script ? 0 : 1];
}

bool load(Script &script, const QString &family, const QStringList &files)
{
    for (const QString &file : files) {
        if (QFile::exists(file)) {
            script.raw.loadFromFile(file, DesignSize, QFont::PreferFullHinting);
            if (script.raw.isValid())
                return true;
        }
    }
    // Anywhere else fontconfig knows it.
    if (QFontDatabase::families().contains(family)) {
        QFont font(family);
        font.setPixelSize(int(DesignSize));
        script.raw = QRawFont::fromFont(font);
        return script.raw.isValid() && script.raw.familyName() == family;
    }
    return false;
}

qreal smoothStep(qreal t)
{
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// A polygon with a positive area, so that any number of them fill as one
// shape under the winding rule.
QPolygonF positive(QPolygonF polygon)
{
    qreal area = 0;
    for (int i = 0; i < polygon.size(); ++i) {
        const QPointF a = polygon[i], b = polygon[(i + 1) % polygon.size()];
        area += a.x() * b.y() - b.x() * a.y();
    }
    if (area < 0)
        std::reverse(polygon.begin(), polygon.end());
    return polygon;
}

QPolygonF disc(QPointF centre, qreal radius)
{
    QPolygonF polygon;
    for (int i = 0; i < 12; ++i) {
        const qreal a = i * M_PI / 6;
        polygon << centre + radius * QPointF(std::cos(a), std::sin(a));
    }
    return positive(polygon);
}

// Points every `step` along a polyline, keeping its ends.
QPolygonF resampled(const QPolygonF &line, qreal step)
{
    QPolygonF out;
    if (line.isEmpty())
        return out;
    out << line.first();
    qreal carried = 0;
    for (int i = 1; i < line.size(); ++i) {
        const QPointF a = line[i - 1], b = line[i];
        const qreal length = std::hypot(b.x() - a.x(), b.y() - a.y());
        qreal at = step - carried;
        for (; at < length; at += step)
            out << a + (b - a) * (at / length);
        carried = length - (at - step);
    }
    if (out.last() != line.last())
        out << line.last();
    return out;
}

// The outline of a ball-point stroke along `centre` (picture pixels): wider
// where the pen moves down, narrower where it moves up, a little lighter as
// it touches down and trailing off as it lifts.
QPainterPath trail(const QPolygonF &centre, qreal width, bool roundEnds)
{
    const QPolygonF p = resampled(centre, 0.3);
    const int n = int(p.size());
    QVector<qreal> w(n);
    for (int i = 0; i < n; ++i) {
        const QPointF d = p[std::min(n - 1, i + 1)] - p[std::max(0, i - 1)];
        const qreal length = std::hypot(d.x(), d.y());
        const qreal down = length > 0 ? d.y() / length : 0;
        w[i] = std::max(0.45, 0.72 + 0.36 * down);
    }
    for (int pass = 0; pass < 3; ++pass) {
        const QVector<qreal> v = w;
        for (int i = 1; i + 1 < n; ++i)
            w[i] = 0.25 * v[i - 1] + 0.5 * v[i] + 0.25 * v[i + 1];
    }
    const qreal total = 0.3 * (n - 1);
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (int i = 0; i < n; ++i) {
        const qreal from = 0.3 * i, to = total - from;
        w[i] *= width * std::min(1.0, 0.8 + 0.2 * from / 0.9) * std::min(1.0, 0.6 + 0.4 * to / 1.2);
        if (roundEnds || (i > 0 && i + 1 < n))
            path.addPolygon(disc(p[i], w[i] / 2));
        if (i == 0)
            continue;
        const QPointF d = p[i] - p[i - 1];
        const qreal length = std::hypot(d.x(), d.y());
        if (length <= 0)
            continue;
        const QPointF normal(-d.y() / length, d.x() / length);
        path.addPolygon(
            positive(QPolygonF { p[i - 1] + normal * w[i - 1] / 2, p[i] + normal * w[i] / 2,
                p[i] - normal * w[i] / 2, p[i - 1] - normal * w[i - 1] / 2 }));
    }
    return path;
}

// The font's outlines with each point moved out of the ink by `shift(tx, ty)`
// (in when negative), where (tx, ty) is the outline's direction there. The
// dots of i and j stay as they are.
template<typename Shift>
QVector<QPolygonF> movedOut(const QVector<QPolygonF> &polygons, Shift shift)
{
    // Outer outlines and holes wind opposite ways; the largest outline is an
    // outer one and tells which way is out of the ink.
    auto area = [](const QPolygonF &polygon) {
        qreal a = 0;
        for (int i = 0; i < polygon.size(); ++i) {
            const QPointF p = polygon[i], q = polygon[(i + 1) % polygon.size()];
            a += p.x() * q.y() - q.x() * p.y();
        }
        return a / 2;
    };
    qreal outer = 0;
    for (const QPolygonF &polygon : polygons) {
        const qreal a = area(polygon);
        outer = std::abs(a) > std::abs(outer) ? a : outer;
    }
    const qreal out = outer < 0 ? -1 : 1;
    QVector<QPolygonF> result;
    for (const QPolygonF &polygon : polygons) {
        const int n = int(polygon.size());
        if (n < 3 || isDot(polygon)) {
            result.append(polygon);
            continue;
        }
        QPolygonF moved(n);
        for (int i = 0; i < n; ++i) {
            const QPointF d = polygon[(i + 1) % n] - polygon[(i + n - 1) % n];
            const qreal length = std::hypot(d.x(), d.y());
            if (length <= 0) {
                moved[i] = polygon[i];
                continue;
            }
            const qreal tx = d.x() / length, ty = d.y() / length;
            moved[i] = polygon[i] + out * shift(tx, ty) * QPointF(ty, -tx);
        }
        result.append(moved);
    }
    return result;
}

// The font's outlines as a pen pressed down harder on its downstrokes: each
// edge moves out by up to `amount` where it runs upright and in where it
// runs flat or rises to the right, as the hair-line joins do.
QVector<QPolygonF> pressed(const QVector<QPolygonF> &polygons, qreal amount)
{
    return movedOut(polygons, [amount](qreal tx, qreal ty) {
        const qreal shift = ty * ty - 0.45 - 0.45 * std::max(0.0, -2 * tx * ty);
        return amount * (shift > 0 ? shift / 0.55 : 0.6 * shift);
    });
}

// The font's outlines with their upright strokes narrowed by `amount` on
// each side, for letters stretched wide that keep the weight of the pen. Flat
// and rising strokes, the joins, exits and the bar of a t, keep their width,
// so that no hair-line breaks apart.
QVector<QPolygonF> narrowed(const QVector<QPolygonF> &polygons, qreal amount)
{
    return movedOut(polygons,
        [amount](qreal, qreal ty) { return -(amount * std::max(0.0, (ty * ty - 0.5) / 0.5)); });
}

// The font's r, a peak with a loop, its s, closed at the foot, its final n,
// whose last leg turns up into the exit, and its final o, with a little loop
// at the top, read as a z, an o, a v and an e at the size of running text:
// the hand writes them its own way.

// An r: up to the x-height, down the stem, and back up it into a clear
// shoulder that turns over to the right.
qreal handR(Pen &pen, qreal x)
{
    // The font's n up to the top of its arch: the same entry and stem, and a
    // shoulder that turns over and stops.
    const qreal cut = 0.47 * Pen::advance(QChar('n'));
    pen.letter(QChar('n'), x, QRectF(-1, -3, cut + 1, 4));
    return cut + 0.08;
}

// An s: up from the baseline to a point a little above the x-height, a
// small dip under the point, down its round back and a lower curve that
// turns left at the foot and stops short of the upstroke, so that it never
// closes into the bowl of an o or an a.
qreal handS(Pen &pen, qreal x, bool beforeMark)
{
    pen.line(spline(shaken(pen,
                 { { x - 0.12, 0.0 }, { x + 0.05, -0.38 }, { x + 0.27, -1.02 }, { x + 0.27, -0.8 },
                     { x + 0.49, -0.54 }, { x + 0.53, -0.24 }, { x + 0.37, -0.01 },
                     { x + 0.14, -0.06 } },
                 0.015)),
        1.2);
    // The next letter's lead-in stays clear of the belly, and a full stop or
    // comma after it clear of the curl.
    return beforeMark ? 0.84 : 0.74;
}

// A final o: the join from the letter before runs up into its left side,
// and the bowl is one round, closed stroke, without the font's little loop
// at the top, which makes a final o read as an e or a v at the size of
// running text.
qreal handO(Pen &pen, qreal x, bool beforeMark)
{
    pen.line(spline(
        shaken(pen, { { x - 0.04, -0.04 }, { x + 0.03, -0.24 }, { x + 0.08, -0.42 } }, 0.01)));
    pen.line(spline(shaken(pen,
                 { { x + 0.52, -0.9 }, { x + 0.32, -1.0 }, { x + 0.12, -0.84 }, { x + 0.06, -0.46 },
                     { x + 0.18, -0.06 }, { x + 0.4, 0.0 }, { x + 0.6, -0.28 }, { x + 0.61, -0.68 },
                     { x + 0.48, -0.95 }, { x + 0.34, -1.0 } },
                 0.015)),
        1.2);
    // The pen leaves it with a short tie along its top.
    pen.line(spline(
        shaken(pen, { { x + 0.46, -0.97 }, { x + 0.62, -0.96 }, { x + 0.76, -0.9 } }, 0.01)));
    return beforeMark ? 0.9 : 0.8;
}

// A final n: two clear legs standing on the baseline under a round arch,
// stopping there, without the upturn that makes the font's read as a v or
// an r at the size of running text.
qreal handN(Pen &pen, qreal x, bool beforeMark)
{
    Humps humps;
    humps.arches = 1;
    // As tall as the font's letters and a little wider than high, so that
    // it stands as an n beside them rather than a small a or an r.
    humps.heights = { 1.12, 1.12 };
    humps.width = 0.52;
    humps.exit = false;
    const QPointF foot = drawHumps(pen, x + 0.02, humps);
    // A full stop or comma after it stands clear of the last leg.
    return foot.x() - x + (beforeMark ? 0.3 : 0.16);
}

bool endsSentence(const QString &word)
{
    return word.endsWith(QLatin1Char('.'));
}

} // namespace

QString Writer::loadFont()
{
    // Dancing Script leans about 18 degrees of its own; its letters are set
    // upright first so that each picture's slant is the only one. The
    // signatures keep the lean of their oblique hand.
    script(Face::Script).slant = 18;
    if (!load(script(Face::Script), QStringLiteral("Dancing Script"),
            { QStringLiteral("/usr/share/fonts/opentype/dancingscript/DancingScript-Regular.otf"),
                QStringLiteral(
                    "/usr/share/fonts/truetype/dancingscript/DancingScript-Regular.ttf") }))
        return QStringLiteral("The handwriting font Dancing Script is missing; install the Debian "
                              "package fonts-dancingscript (tools/setup.sh does).");
    if (!load(script(Face::Signature), QStringLiteral("DkgHandwriting"),
            { QStringLiteral("/usr/share/fonts/truetype/fifthhorseman/dkgIt.ttf") }))
        return QStringLiteral("The handwriting font DkgHandwriting is missing; install the Debian "
                              "package fonts-dkg-handwriting (tools/setup.sh does).");
    return {};
}

Hand runningHand()
{
    Hand hand;
    // Every copy of a letter comes out a little different: its outline,
    // width, height and loops.
    hand.shape = 0.1;
    hand.sizeWander = 0.11;
    hand.widthWander = 0.15;
    hand.loopWander = 0.2;
    hand.bounce = 0.07;
    // Each word a little bigger or smaller, higher or lower than the last,
    // along a line that rises and falls and is never ruled straight.
    hand.sizeJitter = 0.08;
    hand.baselineJitter = 0.11;
    hand.baselineWander = 0.12;
    hand.lineWave = 0.22;
    hand.lineTilt = 0.8;
    // The lean wavers only a little, as much one way as the other.
    hand.slantJitter = 1.0;
    hand.letterSlant = 2.5;
    hand.rotationJitter = 1.0;
    // Downstrokes pressed harder than the hair-lines, some letters harder
    // than others, and the ink paler as the pen runs dry along a word.
    hand.contrast = 0.025;
    hand.pressure = 0.22;
    hand.inkWander = 0.3;
    hand.turn = 0.6;
    hand.ownLetters = true;
    return hand;
}

// Extents ------------------------------------------------------------------

void Extents::add(int band, qreal x)
{
    low[band] = std::min(low[band], x);
    high[band] = std::max(high[band], x);
}

qreal Extents::left() const
{
    return *std::min_element(std::begin(low), std::end(low));
}

qreal Extents::right() const
{
    return *std::max_element(std::begin(high), std::end(high));
}

Extents Extents::shifted(qreal dx) const
{
    Extents e = *this;
    for (int b = 0; b < Bands; ++b) {
        if (has(b))
            e.low[b] += dx, e.high[b] += dx;
    }
    return e;
}

// Warp ---------------------------------------------------------------------

namespace {
constexpr qreal Step = 0.02;
constexpr qreal JoinWidth = 0.14;
} // namespace

Warp::Warp(const Hand &hand, quint64 seed, qreal slant, const QVector<qreal> &joins)
    : seed_(seed), identity_(false), hand_(hand), slant_(slant), start_(-4)
{
    // The stretched x is the running sum of the letter size, so that bigger
    // letters also take more room; the joins between letters take up any
    // extra room between them.
    const qreal end = (joins.isEmpty() ? 0 : joins.last()) + 6;
    // Joins squeezed together need room to shrink without folding over.
    const qreal width = std::max(JoinWidth, 2.2 * -hand.tracking);
    along_.reserve(int((end - start_) / Step) + 2);
    qreal sum = 0;
    for (qreal x = start_; x <= end; x += Step) {
        qreal stretch = 0;
        for (qreal join : joins)
            stretch += smoothStep((x - join) / width + 0.5);
        along_.append(sum + hand_.tracking * stretch);
        sum += Step
            * (1 + hand_.sizeWander * field(2, x + 0.5 * Step)
                + hand_.widthWander * field(5, x + 0.5 * Step));
    }
    const qreal zero = along(0);
    for (qreal &a : along_)
        a -= zero;
}

qreal Warp::field(int which, qreal x, qreal y) const
{
    static constexpr qreal Cells[] = { 0.45, 0.45, 0, 2.2, 0.8, 0.6, 0.7, 0.7, 0.5 };
    const qreal cell = which == 2 ? hand_.sizeCell : Cells[which];
    return Noise(mixBits(seed_ + quint64(which)), cell).at(x, y);
}

qreal Warp::along(qreal x) const
{
    const qreal at = (x - start_) / Step;
    const int i = int(std::floor(at));
    if (i < 0)
        return along_.first() + (x - start_);
    if (i + 1 >= along_.size())
        return along_.last() + (x - (start_ + (along_.size() - 1) * Step));
    return along_[i] + (along_[i + 1] - along_[i]) * (at - i);
}

QPointF Warp::map(QPointF p) const
{
    if (identity_)
        return p;
    qreal x = p.x(), y = p.y();
    // Ascenders and descenders reach a little higher or lower each time.
    if (y < -1)
        y = -1 + (y + 1) * hand_.loops * (1 + hand_.loopWander * field(6, x));
    else if (y > 0)
        y *= hand_.loops * (1 + hand_.loopWander * field(7, x));
    x += hand_.shape * field(0, x, y);
    y += hand_.shape * field(1, x, y);
    y *= 1 + hand_.sizeWander * field(2, x);
    y += hand_.baselineWander * field(3, x) + hand_.bounce * field(8, x);
    const qreal angle = qDegreesToRadians(slant_ + hand_.letterSlant * field(4, x));
    if (hand_.turn > 0) {
        // Turned rather than sheared: the letter grows a little wider and a
        // little lower, as a turned letter is, so that its upright strokes
        // keep their length and the room between them.
        const qreal grow = std::pow(std::cos(qDegreesToRadians(slant_)), -hand_.turn);
        y /= grow;
        return QPointF(along(x) * grow - y * std::tan(angle), y);
    }
    return QPointF(along(x) - y * std::tan(angle), y);
}

// Pen ----------------------------------------------------------------------

Pen::Pen(Canvas *canvas, const QTransform &toCanvas, const Warp &warp, qreal strokeWidth,
    qreal opacity, Rng &rng, Face face)
    : canvas_(canvas),
      toCanvas_(toCanvas),
      warp_(warp),
      strokeWidth_(strokeWidth),
      opacity_(opacity),
      rng_(rng),
      face_(face),
      baselineY_(toCanvas.map(QPointF(0, 0)).y()),
      xHeightPixels_(std::sqrt(std::abs(toCanvas.determinant())))
{ }

qreal Pen::advance(QChar c, Face face)
{
    return script(face).glyph(c).advance;
}

QPointF Pen::top(QChar c, Face face)
{
    return script(face).glyph(c).top;
}

qreal Pen::strokeWidth() const
{
    return strokeWidth_ / xHeightPixels_;
}

void Pen::record(QPointF p)
{
    const qreal dy = (p.y() - baselineY_) / xHeightPixels_;
    extents_.add(dy < -1.1 ? 0 : dy > 0.12 ? 2 : 1, p.x());
}

QPolygonF Pen::mapped(const QPolygonF &polygon, bool rigid)
{
    QPolygonF out;
    out.reserve(polygon.size());
    const QPointF centre = polygon.boundingRect().center(), at = map(centre);
    const QTransform linear(
        toCanvas_.m11(), toCanvas_.m12(), toCanvas_.m21(), toCanvas_.m22(), 0, 0);
    for (const QPointF &p : polygon) {
        const QPointF q = rigid ? at + linear.map(p - centre) : map(p);
        record(q);
        out << (canvas_ ? canvas_->wobble(q) : q);
    }
    return out;
}

void Pen::fillPolygons(const QVector<QPolygonF> &polygons, qreal opacity, qreal edge)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const QPolygonF &polygon : polygons) {
        path.addPolygon(mapped(polygon, isDot(polygon)));
        path.closeSubpath();
    }
    if (canvas_)
        canvas_->fill(path, opacity, edge);
}

QPointF Pen::stem(QChar c, qreal y)
{
    QVector<qreal> crossings;
    for (const QPolygonF &polygon : script().glyph(c).polygons) {
        for (int i = 0; i < polygon.size(); ++i) {
            const QPointF a = polygon[i], b = polygon[(i + 1) % polygon.size()];
            if ((a.y() <= y) != (b.y() <= y))
                crossings << a.x() + (b.x() - a.x()) * (y - a.y()) / (b.y() - a.y());
        }
    }
    std::sort(crossings.begin(), crossings.end());
    if (crossings.size() < 2)
        return QPointF(0, y);
    return QPointF((crossings[crossings.size() - 2] + crossings.last()) / 2, y);
}

QVector<QPair<qreal, qreal>> Pen::inkAcross(QChar c, qreal x, Face face)
{
    QVector<QPair<qreal, qreal>> spans;
    for (const QPolygonF &polygon : script(face).glyph(c).polygons) {
        if (isDot(polygon))
            continue;
        QVector<qreal> crossings;
        for (int i = 0; i < polygon.size(); ++i) {
            const QPointF a = polygon[i], b = polygon[(i + 1) % polygon.size()];
            if ((a.x() <= x) != (b.x() <= x))
                crossings << a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x());
        }
        std::sort(crossings.begin(), crossings.end());
        for (int i = 0; i + 1 < crossings.size(); i += 2)
            spans.append({ crossings[i], crossings[i + 1] });
    }
    return spans;
}

qreal Pen::letter(QChar c, qreal x, const QRectF &keep)
{
    const Glyph &glyph = script(face_).glyph(c);
    QVector<QPolygonF> polygons;
    for (const QPolygonF &polygon : keep.isNull() ? glyph.polygons : script(face_).part(c, keep))
        polygons.append(polygon.translated(x, 0));
    if (contrast_ > 0)
        polygons = pressed(polygons, contrast_);
    if (thin_ > 0)
        polygons = narrowed(polygons, thin_ / std::max(1e-6, std::abs(toCanvas_.m11())));
    const qreal press
        = pressure_ > 0 ? pressure_ * (0.5 + 0.5 * Noise(pressureSeed_, 1.2).at(x, 0)) : 0;
    qreal ink = 1;
    if (inkWander_ > 0) {
        // A fresh dip of ink where the word starts, thinning out along it.
        ink = 1 - inkWander_ * (0.5 + 0.5 * Noise(inkSeed_, 0.9).at(x, 0));
        ink = std::min(1.0, ink + inkWander_ * std::max(0.0, 1 - x / 1.2));
    }
    fillPolygons(polygons, opacity_ * ink, 0.25 + press + edge_);
    return glyph.advance;
}

void Pen::line(const QPainterPath &centre, qreal weight, qreal opacity, Qt::PenCapStyle cap)
{
    const qreal w = strokeWidth_ * weight;
    for (const QPolygonF &piece : flattened(centre)) {
        const QPolygonF onCanvas = mapped(piece, false);
        for (const QPointF &p : onCanvas)
            record(p + QPointF(w / 2, 0)), record(p - QPointF(w / 2, 0));
        if (canvas_)
            canvas_->fill(trail(onCanvas, w, cap == Qt::RoundCap), opacity * opacity_, 0);
    }
}

void Pen::fill(const QPainterPath &shape, qreal opacity)
{
    fillPolygons(flattened(shape), opacity * opacity_, 0.2);
}

void Pen::blot(QPointF at, qreal radiusX, qreal radiusY, qreal opacity)
{
    const QPointF centre = map(at);
    const qreal rx = radiusX * xHeightPixels_, ry = radiusY * xHeightPixels_;
    record(centre - QPointF(rx, -ry)), record(centre + QPointF(rx, ry));
    if (canvas_)
        canvas_->blot(centre, rx, ry, opacity * opacity_);
}

// Writer -------------------------------------------------------------------

Writer::Writer(Canvas &canvas, const Hand &hand) : canvas_(canvas), hand_(hand) { }

qreal Writer::strokeWidth() const
{
    return (std::max(0.55, FontStem * hand_.xHeight * hand_.width) + 0.25) * hand_.weight;
}

QVector<Writer::Item> Writer::parse(const QString &word)
{
    QVector<Item> items;
    for (int i = 0; i < word.size(); ++i) {
        if (word[i] == QLatin1Char('[') && i + 2 < word.size() && word[i + 2] == QLatin1Char(']')) {
            items.append({ word[i + 1], true });
            i += 2;
        } else {
            items.append({ word[i], false });
        }
    }
    return items;
}

qreal Writer::layout(const QVector<Item> &items, Pen &pen, QVector<qreal> *joins) const
{
    qreal x = 0;
    for (int i = 0; i < items.size(); ++i) {
        const Item &item = items[i];
        const qreal start = x;
        const bool last = i + 1 == items.size() || !items[i + 1].letter.isLetter();
        const bool beforeMark = last && i + 1 < items.size();
        if (item.drawn && form_)
            x += form_(pen, item.letter, x);
        else if (ownLetter(item.letter, last))
            x += item.letter == QLatin1Char('r')  ? handR(pen, x)
                : item.letter == QLatin1Char('n') ? handN(pen, x, beforeMark)
                : item.letter == QLatin1Char('o') ? handO(pen, x, beforeMark)
                                                  : handS(pen, x, beforeMark);
        else
            x += pen.letter(item.letter, x);
        if (joins && i + 1 < items.size()) {
            const bool font = !(item.drawn && form_) && !(items[i + 1].drawn && form_)
                && !ownLetter(item.letter, false) && !ownLetter(items[i + 1].letter, false);
            joins->append(font ? joinBetween(items[i].letter, start, items[i + 1].letter, x) : x);
        }
    }
    return x;
}

bool Writer::ownLetter(QChar letter, bool last) const
{
    return hand_.ownLetters && hand_.face == Face::Script
        && (letter == QLatin1Char('r') || letter == QLatin1Char('s')
            || (last && (letter == QLatin1Char('n') || letter == QLatin1Char('o'))));
}

qreal Writer::joinBetween(QChar left, qreal leftAt, QChar right, qreal rightAt) const
{
    // The joining stroke is where the line crosses a single thin stroke
    // within the x-height band, never a loop or a stem; stretching the
    // middle of it lengthens the join and leaves the letters as they are.
    auto joining = [&](qreal x) {
        auto spans = Pen::inkAcross(left, x - leftAt, hand_.face)
            + Pen::inkAcross(right, x - rightAt, hand_.face);
        if (spans.isEmpty())
            return false;
        std::sort(spans.begin(), spans.end());
        const qreal top = spans.first().first;
        qreal bottom = spans.first().second;
        for (const auto &span : spans) {
            if (span.first > bottom)
                return false;
            bottom = std::max(bottom, span.second);
        }
        return top > -1.05 && bottom < 0.25 && bottom - top < 0.3;
    };
    constexpr qreal Step = 0.02;
    qreal best = rightAt, nearest = 1e9;
    qreal runStart = 0;
    bool inRun = false;
    for (qreal x = rightAt - 0.5; x <= rightAt + 0.32; x += Step) {
        const bool ok = joining(x) && x + Step <= rightAt + 0.32;
        if (ok && !inRun)
            runStart = x, inRun = true;
        if (!ok && inRun) {
            inRun = false;
            const qreal middle = (runStart + x - Step) / 2;
            const qreal distance = rightAt < runStart ? runStart - rightAt
                : rightAt > x                         ? rightAt - x
                                                      : 0;
            if (distance < nearest)
                nearest = distance, best = middle;
        }
    }
    return best;
}

qreal Writer::measure(const QString &word) const
{
    Rng dry(0);
    Pen pen(nullptr, QTransform(), Warp(), 1, 1, dry, hand_.face);
    return layout(parse(word), pen) * hand_.xHeight * hand_.width;
}

Writer::Prepared Writer::prepare(const QString &word)
{
    Prepared w;
    w.items = parse(word);
    Rng rng = canvas_.rng().fork();
    w.size = hand_.xHeight * (1 + rng.jitter(hand_.sizeJitter));
    qreal slant = hand_.slant + rng.jitter(hand_.slantJitter);
    if (hand_.slantSwing > 0) {
        // Mostly alternating, now and then twice the same way, yet never
        // more than a word or two further one way than the other.
        swing_ = rng.unit() < 0.85 ? -swing_ : swing_;
        if (leaning_ * swing_ >= 2)
            swing_ = -swing_;
        leaning_ += swing_ > 0 ? 1 : -1;
        slant += swing_ * hand_.slantSwing * rng.range(0.7, 1.0);
    }
    const qreal rotation = tilt_ + rng.jitter(hand_.rotationJitter);
    const qreal drop = rng.jitter(hand_.baselineJitter) * hand_.xHeight;
    const quint64 warpSeed = rng.next();
    w.shape = QTransform::fromScale(w.size * hand_.width, w.size) * QTransform().rotate(rotation)
        * QTransform::fromTranslate(0, drop);

    // Where the letters meet, before the hand stretches the joins.
    QVector<qreal> joins;
    Rng dry = rng;
    Pen plain(nullptr, w.shape, Warp(), strokeWidth(), 1, dry, hand_.face);
    layout(w.items, plain, &joins);
    w.warp = Warp(hand_, warpSeed, slant, joins);
    w.rng = rng;
    w.seed = warpSeed;

    dry = rng;
    Pen pen(nullptr, w.shape, w.warp, strokeWidth(), 1, dry, hand_.face);
    const qreal length = layout(w.items, pen);
    w.extents = pen.extents();
    w.advance = pen.map(QPointF(length, 0)).x();
    return w;
}

Written Writer::draw(Prepared &word, QPointF at)
{
    Rng rng = word.rng;
    Pen pen(&canvas_, word.shape * QTransform::fromTranslate(at.x(), at.y()), word.warp,
        strokeWidth(), hand_.opacity, rng, hand_.face);
    pen.setThinning(hand_.thin * word.size);
    pen.setPressure(hand_.pressure, mixBits(word.seed + 9));
    pen.setContrast(hand_.contrast);
    if (hand_.turn > 0) {
        // A leaning stem is as heavy across as an upright one.
        const qreal cosine = std::cos(qDegreesToRadians(hand_.slant));
        pen.setEdge(FontStem * word.size * (std::pow(cosine, hand_.turn - 1) - 1));
    }
    pen.setInkWander(hand_.inkWander, mixBits(word.seed + 10));
    layout(word.items, pen);
    return { word.advance, pen.extents() };
}

Written Writer::write(const QString &word, QPointF at)
{
    Prepared prepared = prepare(word);
    return draw(prepared, at);
}

qreal Writer::gapAfter(
    const Extents &before, const Extents &word, qreal gap, bool sentenceEnds) const
{
    // No part of the word after a sentence's end tucks in over its full
    // stop: the space is the whole space, from the stop on.
    qreal start = sentenceEnds ? before.right() + gap - word.left() : -1e9;
    for (int b = 0; b < Extents::Bands; ++b) {
        if (before.has(b) && word.has(b))
            start = std::max(start, before.high[b] + gap - word.low[b]);
    }
    return start > -1e8 ? start : before.right() + gap - word.left();
}

qreal Writer::row(const QStringList &words, qreal left, qreal baseline)
{
    Extents previous;
    for (int i = 0; i < words.size(); ++i) {
        Prepared w = prepare(words[i]);
        const qreal gap
            = (hand_.wordSpace + canvas_.rng().jitter(hand_.wordSpaceJitter)) * hand_.xHeight;
        const qreal x = i == 0 ? left - w.extents.left()
                               : gapAfter(previous, w.extents, gap, endsSentence(words[i - 1]));
        previous = draw(w, QPointF(x, baseline)).extents;
    }
    return previous.right();
}

int Writer::lines(const QStringList &words, int next, qreal baseline, qreal pitch, int count,
    const std::function<QPair<qreal, qreal>(int line)> &edges)
{
    Rng &rng = canvas_.rng();
    for (int line = 0; line < count && next < words.size(); ++line) {
        tilt_ = rng.jitter(hand_.lineTilt);
        const auto [left, right] = edges(line);
        QVector<QPair<Prepared, qreal>> placed;
        Extents previous;
        while (next < words.size()) {
            Prepared w = prepare(words[next]);
            const qreal gap = std::max(0.0, hand_.wordSpace + rng.jitter(hand_.wordSpaceJitter))
                * hand_.xHeight;
            const qreal x = placed.isEmpty()
                ? left - w.extents.left()
                : gapAfter(previous, w.extents, gap, endsSentence(words[next - 1]));
            if (!placed.isEmpty() && x + w.extents.right() > right) {
                // A writer short of room squeezes the word in by writing the
                // spaces before it a little closer.
                const qreal over = x + w.extents.right() - right;
                if (!hand_.justify || over > 0.1 * placed.size() * gap)
                    break;
            }
            previous = w.extents.shifted(x);
            placed.append({ w, x });
            ++next;
        }
        // Reaching the edge, the spaces of a line open or close a little, each
        // by its own amount, and the line still ends a hair short here and
        // there, never ruled flush.
        QVector<qreal> shifts(placed.size(), 0);
        if (hand_.justify && placed.size() > 1) {
            const qreal end = right - rng.range(0, 0.25) * hand_.xHeight;
            qreal spare = end - previous.right();
            if (spare > hand_.justifyLimit * hand_.xHeight * (placed.size() - 1)
                || next >= words.size())
                spare = std::min(spare, 0.0);
            QVector<qreal> shares(placed.size(), 0);
            qreal total = 0;
            for (int i = 1; i < placed.size(); ++i)
                total += shares[i] = rng.range(0.4, 1.6);
            qreal sum = 0;
            for (int i = 1; i < placed.size(); ++i)
                shifts[i] = sum += spare * shares[i] / total;
        }
        const qreal y = baseline + line * pitch;
        // The line rises and falls a little as the hand moves along it.
        const qreal phase = hand_.lineWave > 0 ? rng.range(0, 2 * M_PI) : 0;
        const qreal wavelength = hand_.lineWave > 0 ? rng.range(14, 20) * hand_.xHeight : 1;
        for (int i = 0; i < placed.size(); ++i) {
            const qreal x = placed[i].second + shifts[i];
            const qreal wave = hand_.lineWave * hand_.xHeight
                * std::sin(phase + 2 * M_PI * (x - left) / wavelength);
            draw(placed[i].first,
                QPointF(x, y + wave + (x - left) * std::tan(qDegreesToRadians(tilt_))));
        }
    }
    tilt_ = 0;
    return next;
}

QStringList runningText(int skip)
{
    static const QString Letter = QStringLiteral(
        "Dear Sarah, thank you so much for the lovely weekend. We all enjoyed the long walk "
        "by the lake and the talks in the evening. I hope we can meet again in the spring "
        "when the garden is full of flowers. Please give my best wishes to your family and "
        "write soon. The little black kitten fell asleep while the old hall clock ticked, "
        "and we all felt that the whole day had been full of light. Bill still wanted to walk "
        "up the hill behind the old mill, so we went along the river to the bridge and back "
        "by the farm where the geese were waiting at the gate. Mother baked a cake with plums "
        "from the garden and we ate it on the terrace until the sun went down behind the "
        "trees. Next month I shall be busy with the new shop, but do come and see us when you "
        "can, and bring the children with you. With love from all of us, Margaret");
    QStringList words = Letter.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    skip %= words.size();
    return words.mid(skip) + words.mid(0, skip);
}
