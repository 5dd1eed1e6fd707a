#include "HandPage.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QStringList>
#include <QtMath>

#include <algorithm>

#include <cmath>
#include <random>

namespace {

const QStringList &words()
{
    static const QStringList list = QStringLiteral(
        "Dear Anna, the summer has been long and warm here and the garden is full of roses "
        "again. Every morning I walk along the river to the old mill and back, and most days "
        "I meet the neighbour with her black dog. We talked about the village fair, which "
        "will be held in the meadow behind the church next month. Tom is building a small "
        "boat in the shed and hopes to sail it before the autumn winds begin. I have been "
        "reading a great deal, mostly travel stories and a thick book about the history of "
        "the northern islands. Write to me soon and tell me all about your new house, the "
        "school and the people you have met. With love from all of us, Helen")
                                        .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return list;
}

struct Glyph
{
    QPainterPath outline; // one x-height tall, the font's own lean removed
    qreal advance = 0;
};

class Hand
{
public:
    explicit Hand(const QString &family)
    {
        QFont font(family);
        font.setPixelSize(200);
        raw_ = QRawFont::fromFont(font);
        lean_ = std::tan(qDegreesToRadians(ownSlantOf(family)));
        // The middle zone as a ruler measures it: the ink of the short
        // letters from top to bottom, which reaches past the font's x-height.
        QVector<qreal> heights;
        for (const QChar c : QStringLiteral("xonamuev")) {
            const QVector<quint32> indexes = raw_.glyphIndexesForString(QString(c));
            if (!indexes.isEmpty())
                heights << raw_.pathForGlyph(indexes.first()).boundingRect().height();
        }
        std::sort(heights.begin(), heights.end());
        middleZone_ = heights.isEmpty() ? raw_.xHeight() : heights[heights.size() / 2];
    }

    const Glyph &glyph(QChar c)
    {
        auto it = glyphs_.find(c);
        if (it != glyphs_.end())
            return *it;
        Glyph g;
        const QVector<quint32> indexes = raw_.glyphIndexesForString(QString(c));
        if (!indexes.isEmpty() && middleZone_ > 0) {
            const qreal unit = 1.0 / middleZone_;
            const QTransform upright
                = QTransform::fromScale(unit, unit) * QTransform(1, 0, lean_, 1, 0, 0);
            g.outline = upright.map(raw_.pathForGlyph(indexes.first()));
            g.advance = raw_.advancesForGlyphIndexes(indexes).first().x() * unit;
        }
        return *glyphs_.insert(c, g);
    }

    // The word's outline in x-heights, baseline at y = 0, and its advance.
    QPainterPath word(const QString &text, qreal tracking, qreal *advance)
    {
        QPainterPath path;
        qreal x = 0;
        for (const QChar c : text) {
            const Glyph &g = glyph(c);
            path.addPath(g.outline.translated(x, 0));
            x += g.advance + tracking;
        }
        *advance = x - tracking;
        return path;
    }

private:
    QRawFont raw_;
    qreal lean_ = 0;
    qreal middleZone_ = 0;
    QHash<QChar, Glyph> glyphs_;
};

QVector<qreal> baselinesOf(const HandPageLayout &l, qreal xPx, qreal pxPerMm, qreal height)
{
    QVector<qreal> baselines;
    qreal y = l.topMm * pxPerMm + 1.35 * xPx;
    const qreal lowest = height - l.bottomMm * pxPerMm - 0.75 * xPx;
    for (int i = 0; l.lineCount > 0 ? i < l.lineCount : y <= lowest; ++i) {
        baselines << y;
        y += l.linePitch * xPx * (i % 2 == 0 ? 1 + l.pitchSwing : 1 - l.pitchSwing);
    }
    return baselines;
}

void drawRules(QPainter &painter, const HandPageLayout &l, const QVector<qreal> &baselines,
    qreal pxPerMm, const QSizeF &size)
{
    painter.setPen(QPen(QColor(140, 175, 215), 0.3 * pxPerMm));
    for (const qreal y : baselines)
        painter.drawLine(QPointF(0, y), QPointF(size.width(), y));
    painter.setPen(QPen(QColor(215, 110, 110), 0.3 * pxPerMm));
    const qreal x = (l.leftMm - 5) * pxPerMm;
    painter.drawLine(QPointF(x, 0), QPointF(x, size.height()));
}

void lightUnevenly(QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const qreal f = 1 - 0.38 * (0.7 * x / image.width() + 0.3 * y / image.height());
            const QRgb p = row[x];
            row[x] = qRgb(int(qRed(p) * f), int(qGreen(p) * f), int(qBlue(p) * f));
        }
    }
}

} // namespace

qreal ownSlantOf(const QString &family)
{
    if (family == QLatin1String("Dancing Script"))
        return 16.5;
    if (family == QLatin1String("Kaushan Script"))
        return 20;
    return -3;
}

QImage drawHandPage(const HandPageLayout &l, HandPageTruth *truth)
{
    const qreal pxPerMm = l.dpi / 25.4;
    const QSize size(qRound(l.paperMm.width() * pxPerMm), qRound(l.paperMm.height() * pxPerMm));
    const qreal xPx = l.xHeightMm * pxPerMm;
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(l.dpi / 0.0254));
    image.setDotsPerMeterY(qRound(l.dpi / 0.0254));
    image.fill(l.paper);

    std::mt19937 random(l.seed);
    auto jitter = [&random](qreal amount) {
        return amount * (2 * std::uniform_real_distribution<qreal>(0, 1)(random) - 1);
    };
    Hand hand(l.family);
    const QVector<qreal> baselines = baselinesOf(l, xPx, pxPerMm, size.height());
    HandPageTruth found;
    found.xHeightPx = xPx;
    found.baselines = baselines;

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(size.width() / 2.0, size.height() / 2.0);
    painter.rotate(l.rotation);
    painter.translate(-size.width() / 2.0, -size.height() / 2.0);
    if (l.ruled)
        drawRules(painter, l, baselines, pxPerMm, size);
    painter.setPen(Qt::NoPen);
    painter.setBrush(l.ink);

    int next = 0;
    const int lines = int(baselines.size());
    for (int i = 0; i < lines; ++i) {
        const qreal share = lines > 1 ? qreal(i) / (lines - 1) : 0;
        const qreal left = (l.leftMm + l.leftDriftMm * share) * pxPerMm;
        const qreal right = size.width() - (l.rightMm + l.rightDriftMm * share) * pxPerMm;
        qreal x = left;
        for (int placed = 0;; ++placed, ++next) {
            const bool odd = next % 2 == 1;
            const qreal scale
                = xPx * (1 + (odd ? l.sizeSwing : -l.sizeSwing) + jitter(l.sizeJitter));
            const qreal slant
                = l.slant + (odd ? -l.slantSwing : l.slantSwing) + jitter(l.slantJitter);
            qreal advance = 0;
            const QPainterPath unit
                = hand.word(words()[next % words().size()], l.tracking, &advance);
            advance *= l.stretch;
            if (placed > 0 && x + advance * scale > right)
                break;
            const QTransform place = QTransform::fromScale(l.stretch, 1)
                * QTransform(1, 0, -std::tan(qDegreesToRadians(slant)), 1, 0, 0)
                * QTransform::fromScale(scale, scale)
                * QTransform::fromTranslate(x, baselines[i] + jitter(0.05) * xPx);
            const QPainterPath path = place.map(unit);
            painter.drawPath(path);
            found.writing |= path.boundingRect();
            ++found.words;
            const qreal wide = l.unevenGaps && random() % 4 == 0 ? 4 : 1;
            x += advance * scale + wide * l.wordGap * xPx * (1 + jitter(l.wordGapSpread));
        }
    }
    painter.end();
    if (l.unevenLight)
        lightUnevenly(image);
    if (truth)
        *truth = found;
    return image;
}
