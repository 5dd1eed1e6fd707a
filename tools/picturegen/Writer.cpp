#include "Writer.h"

#include "Forms.h"

#include <QFile>
#include <QFontDatabase>
#include <QHash>
#include <QRawFont>
#include <QtMath>

#include <cmath>

namespace {

// Dancing Script leans about 18 degrees of its own; the letters are set
// upright first so that each picture's slant is the only one.
constexpr qreal FontSlant = 18;
// The font's stem width in x-heights, which drawn strokes match.
constexpr qreal FontStem = 0.15;
constexpr qreal DesignSize = 200;

struct Glyph
{
    QPainterPath outline;
    qreal advance = 0;
};

struct Script
{
    QRawFont raw;
    QHash<QChar, Glyph> glyphs;

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
                * QTransform(1, 0, std::tan(qDegreesToRadians(FontSlant)), 1, 0, 0);
            g.outline = upright.map(raw.pathForGlyph(indexes.first()));
            g.advance = raw.advancesForGlyphIndexes(indexes).first().x() * unit;
        }
        return *glyphs.insert(c, g);
    }
};

Script &script()
{
    static Script s;
    return s;
}

} // namespace

QString Writer::loadFont()
{
    static const char *const Files[] = {
        "/usr/share/fonts/opentype/dancingscript/DancingScript-Regular.otf",
        "/usr/share/fonts/truetype/dancingscript/DancingScript-Regular.ttf",
    };
    for (const char *file : Files) {
        if (QFile::exists(QString::fromLatin1(file))) {
            script().raw.loadFromFile(
                QString::fromLatin1(file), DesignSize, QFont::PreferFullHinting);
            if (script().raw.isValid())
                return {};
        }
    }
    // Anywhere else fontconfig knows it.
    if (QFontDatabase::families().contains(QStringLiteral("Dancing Script"))) {
        QFont font(QStringLiteral("Dancing Script"));
        font.setPixelSize(int(DesignSize));
        script().raw = QRawFont::fromFont(font);
        if (script().raw.isValid() && script().raw.familyName() == QStringLiteral("Dancing Script"))
            return {};
    }
    return QStringLiteral("The handwriting font Dancing Script is missing; install the Debian "
                          "package fonts-dancingscript (tools/setup.sh does).");
}

// Pen ----------------------------------------------------------------------

Pen::Pen(Canvas *canvas, const QTransform &toCanvas, qreal strokeWidth, qreal opacity, Rng &rng)
    : canvas_(canvas), toCanvas_(toCanvas), strokeWidth_(strokeWidth), opacity_(opacity), rng_(rng)
{ }

QPainterPath Pen::outline(QChar c)
{
    return script().glyph(c).outline;
}

qreal Pen::advance(QChar c)
{
    return script().glyph(c).advance;
}

QPointF Pen::top(QChar c)
{
    const QPainterPath path = outline(c);
    QPointF best(0, 1e9);
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.y < best.y())
            best = QPointF(e.x, e.y);
    }
    return best;
}

QPointF Pen::lowest(QChar c, qreal from, qreal to)
{
    const QPainterPath path = outline(c);
    QPointF best(from, -1e9);
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.x >= from && e.x <= to && e.y > best.y())
            best = QPointF(e.x, e.y);
    }
    return best;
}

qreal Pen::strokeWidth() const
{
    return strokeWidth_ / std::sqrt(std::abs(toCanvas_.determinant()));
}

void Pen::grow(const QRectF &r)
{
    bounds_ = bounds_.isNull() ? r : bounds_.united(r);
}

qreal Pen::letter(QChar c, qreal x, qreal clipRight)
{
    QPainterPath path = outline(c).translated(x, 0);
    if (clipRight < 1e8) {
        QPainterPath keep;
        keep.addRect(QRectF(x - 5, -5, clipRight - x + 5, 10));
        path = path.intersected(keep);
    }
    const QPainterPath mapped = toCanvas_.map(path);
    grow(mapped.boundingRect());
    if (canvas_)
        canvas_->fill(mapped, opacity_);
    return advance(c);
}

void Pen::line(const QPainterPath &centre, qreal weight, qreal opacity, Qt::PenCapStyle cap)
{
    const QPainterPath mapped = toCanvas_.map(centre);
    const qreal w = strokeWidth_ * weight;
    grow(mapped.boundingRect().adjusted(-w / 2, -w / 2, w / 2, w / 2));
    if (canvas_)
        canvas_->stroke(mapped, w, opacity * opacity_, cap);
}

void Pen::fill(const QPainterPath &shape, qreal opacity)
{
    const QPainterPath mapped = toCanvas_.map(shape);
    grow(mapped.boundingRect());
    if (canvas_)
        canvas_->fill(mapped, opacity * opacity_);
}

void Pen::blot(QPointF at, qreal radiusX, qreal radiusY, qreal opacity)
{
    const QPointF centre = toCanvas_.map(at);
    const qreal scale = std::sqrt(std::abs(toCanvas_.determinant()));
    grow(QRectF(centre.x() - radiusX * scale, centre.y() - radiusY * scale, 2 * radiusX * scale,
        2 * radiusY * scale));
    if (canvas_)
        canvas_->blot(centre, radiusX * scale, radiusY * scale, opacity * opacity_);
}

// Writer -------------------------------------------------------------------

Writer::Writer(Canvas &canvas, const Hand &hand) : canvas_(canvas), hand_(hand) { }

qreal Writer::strokeWidth() const
{
    return std::max(0.55, FontStem * hand_.xHeight * hand_.width) * hand_.weight + 0.25;
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

qreal Writer::layout(const QVector<Item> &items, Pen &pen) const
{
    qreal x = 0;
    for (int i = 0; i < items.size(); ++i) {
        const Item &item = items[i];
        const qreal step
            = item.drawn && form_ ? form_(pen, item.letter, x) : pen.letter(item.letter, x);
        if (i + 1 < items.size() && hand_.tracking > 0.3) {
            // Letters set wide apart stay joined by long strokes along the baseline.
            const qreal next = x + step + hand_.tracking;
            pen.line(spline({ { x + step - 0.12, -0.25 }, { x + step + 0.05, -0.04 },
                         { next - 0.1, -0.02 }, { next + 0.08, -0.22 } }),
                0.85);
        }
        x += step + (i + 1 < items.size() ? hand_.tracking : 0);
    }
    return x;
}

qreal Writer::measure(const QString &word) const
{
    Rng dry(0);
    Pen pen(nullptr, QTransform(), 1, 1, dry);
    return layout(parse(word), pen) * hand_.xHeight * hand_.width;
}

Written Writer::write(const QString &word, QPointF at)
{
    Rng &rng = canvas_.rng();
    const qreal size = hand_.xHeight * (1 + rng.jitter(hand_.sizeJitter));
    qreal slant = hand_.slant + rng.jitter(hand_.slantJitter);
    if (hand_.slantSwing > 0) {
        // Mostly alternating, now and then twice the same way.
        swing_ = rng.unit() < 0.85 ? -swing_ : swing_;
        slant += swing_ * hand_.slantSwing * rng.range(0.45, 1.0);
    }
    const qreal rotation = tilt_ + rng.jitter(hand_.rotationJitter);
    const qreal drop = rng.jitter(hand_.baselineJitter) * hand_.xHeight;
    const QTransform toCanvas = QTransform::fromScale(size * hand_.width, size)
        * QTransform(1, 0, -std::tan(qDegreesToRadians(slant)), 1, 0, 0)
        * QTransform().rotate(rotation) * QTransform::fromTranslate(at.x(), at.y() + drop);
    Pen pen(&canvas_, toCanvas, strokeWidth(), hand_.opacity, rng);
    const qreal length = layout(parse(word), pen);
    return { length * size * hand_.width, pen.bounds() };
}

int Writer::lines(const QStringList &words, int next, qreal baseline, qreal pitch, int count,
    const std::function<QPair<qreal, qreal>(int line)> &edges)
{
    Rng &rng = canvas_.rng();
    for (int line = 0; line < count && next < words.size(); ++line) {
        tilt_ = rng.jitter(hand_.lineTilt);
        const auto [left, right] = edges(line);
        const qreal y = baseline + line * pitch;
        qreal x = left;
        while (next < words.size()) {
            const qreal width = measure(words[next]);
            if (x > left && x + width > right)
                break;
            const Written written = write(
                words[next], QPointF(x, y + (x - left) * std::tan(qDegreesToRadians(tilt_))));
            x += written.advance
                + (hand_.wordSpace + rng.jitter(hand_.wordSpaceJitter)) * hand_.xHeight;
            ++next;
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
