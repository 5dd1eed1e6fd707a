#include "Canvas.h"

#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace {

const QColor Ink(22, 36, 112);
const QColor PaperTone(248, 245, 235);
const QColor DeskTone(171, 168, 160);
// Ink stays about this far from the edge of a page that lies on the desk.
constexpr qreal PageInset = 6;

double clamp01(double v)
{
    return std::clamp(v, 0.0, 1.0);
}

// How much of a pixel centred at (x, y), in picture pixels, a rectangle
// covers, with an edge `soft` picture pixels wide.
double coverage(const QRectF &r, double x, double y, double soft)
{
    const double h = clamp01((x - r.left()) / soft + 0.5) * clamp01((r.right() - x) / soft + 0.5);
    const double v = clamp01((y - r.top()) / soft + 0.5) * clamp01((r.bottom() - y) / soft + 0.5);
    return h * v;
}

int channel(double v)
{
    return int(std::lround(std::clamp(v, 0.0, 255.0)));
}

// The strongest ink in the 2 x 2 block that holds (x, y).
double blockAlpha(const QImage &ink, int x, int y)
{
    int strongest = 0;
    for (int by = y & ~1; by <= (y | 1) && by < ink.height(); ++by) {
        const auto *line = reinterpret_cast<const QRgb *>(ink.constScanLine(by));
        for (int bx = x & ~1; bx <= (x | 1) && bx < ink.width(); ++bx)
            strongest = std::max(strongest, qAlpha(line[bx]));
    }
    return strongest / 255.0;
}

// Ink multiplies the paper beneath it. JPEG keeps colour only once per 2 x 2
// block, which turns thin blue lines grey: the colour is taken with the
// strongest ink of the block, the brightness with this pixel's own.
QRgb inked(double r, double g, double b, double a, double blockInk)
{
    const double tr = r * (1 - a * (1 - Ink.redF())), tg = g * (1 - a * (1 - Ink.greenF())),
                 tb = b * (1 - a * (1 - Ink.blueF()));
    const double cr = r * (1 - blockInk * (1 - Ink.redF())),
                 cg = g * (1 - blockInk * (1 - Ink.greenF())),
                 cb = b * (1 - blockInk * (1 - Ink.blueF()));
    const double luma = 0.299 * tr + 0.587 * tg + 0.114 * tb;
    const double blue = -0.168736 * cr - 0.331264 * cg + 0.5 * cb;
    const double red = 0.5 * cr - 0.418688 * cg - 0.081312 * cb;
    return qRgb(channel(luma + 1.402 * red), channel(luma - 0.344136 * blue - 0.714136 * red),
        channel(luma + 1.772 * blue));
}

} // namespace

Canvas::Canvas(const Sample &sample, Ground ground)
    : seed_(sample.paperSeed),
      ground_(ground),
      scale_(std::max(1, sample.scale)),
      resolution_(scale_ * (scale_ == 1 ? 4 : 2)),
      page_(ground == Ground::Page
              ? QRectF(PageInset, PageInset - 1, Width - 2 * PageInset - 1, Height - 2 * PageInset)
              : QRectF(0, 0, Width, Height)),
      rng_(sample.handSeed),
      wobbleX_(mixBits(sample.handSeed + 1), 2.2),
      wobbleY_(mixBits(sample.handSeed + 2), 2.2),
      ink_(Width * resolution_, Height * resolution_, QImage::Format_ARGB32_Premultiplied)
{
    ink_.fill(Qt::transparent);
    painter_.begin(&ink_);
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.scale(resolution_, resolution_);
    if (ground_ == Ground::Page)
        painter_.setClipRect(page_);
}

Canvas::~Canvas() = default;

QPointF Canvas::wobble(QPointF p) const
{
    constexpr double Reach = 0.25;
    return p + Reach * QPointF(wobbleX_.at(p.x(), p.y()), wobbleY_.at(p.x(), p.y()));
}

void Canvas::fill(const QPainterPath &outline, qreal opacity, qreal edge)
{
    painter_.setOpacity(opacity);
    if (edge > 0)
        painter_.setPen(QPen(Qt::black, edge, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    else
        painter_.setPen(Qt::NoPen);
    painter_.setBrush(Qt::black);
    painter_.drawPath(outline);
}

void Canvas::blot(QPointF centre, qreal radiusX, qreal radiusY, qreal opacity)
{
    painter_.save();
    painter_.setOpacity(opacity);
    painter_.translate(centre);
    painter_.scale(1, radiusY / radiusX);
    QRadialGradient gradient(QPointF(0, 0), radiusX);
    gradient.setColorAt(0, Qt::black);
    gradient.setColorAt(0.55, QColor(0, 0, 0, 220));
    gradient.setColorAt(1, Qt::transparent);
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(gradient);
    painter_.drawEllipse(QPointF(0, 0), radiusX, radiusX);
    painter_.restore();
}

QImage Canvas::render()
{
    painter_.end();

    // Ink flow varies along the line, and the ball skips here and there; both
    // are laid out in picture pixels, so every scale shows the same ink.
    const Noise flow(mixBits(seed_ + 3), 9.0);
    const Noise skip(mixBits(seed_ + 4), 0.7);
    const double unit = 1.0 / resolution_;
    for (int y = 0; y < ink_.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(ink_.scanLine(y));
        const double py = (y + 0.5) * unit;
        for (int x = 0; x < ink_.width(); ++x) {
            const int a = qAlpha(line[x]);
            if (a == 0)
                continue;
            const double px = (x + 0.5) * unit;
            const double f
                = 0.88 + 0.1 * flow.at(px, py) - 0.28 * std::max(0.0, skip.at(px, py) - 0.4);
            line[x] = qRgba(0, 0, 0, int(std::lround(a * clamp01(f))));
        }
    }
    return paper(ink_.scaled(
        Width * scale_, Height * scale_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

QImage Canvas::paper(const QImage &ink) const
{
    const Noise mottle(mixBits(seed_ + 5), 18.0);
    const Noise mottleFine(mixBits(seed_ + 6), 5.0);
    // Grain of about a picture pixel: at higher scales it grows smooth
    // rather than finer, as the same paper seen closer.
    const Noise grainNoise(mixBits(seed_ + 7), 1.0);
    const Noise deskGrain(mixBits(seed_ + 9), 1.0);
    const QRectF shadow = page_.translated(1.2, 1.6);
    QImage out(ink.size(), QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        const auto *inkLine = reinterpret_cast<const QRgb *>(ink.constScanLine(y));
        const double py = (y + 0.5) / scale_;
        for (int x = 0; x < out.width(); ++x) {
            const double px = (x + 0.5) / scale_;
            const double tone = 2.4 * mottle.at(px, py) + 0.9 * mottleFine.at(px, py)
                + 1.6 * grainNoise.at(px - 0.5, py - 0.5);
            double r = PaperTone.red() + tone, g = PaperTone.green() + tone,
                   b = PaperTone.blue() + tone * 1.1;
            if (ground_ == Ground::Page) {
                const double onPage = coverage(page_, px, py, 0.9);
                const double dark = 0.42 * coverage(shadow, px, py, 2.6);
                const double deskTone
                    = 3.0 * mottle.at(py, px) + 2.2 * deskGrain.at(px - 0.5, py - 0.5);
                const double dr = (DeskTone.red() + deskTone) * (1 - dark);
                const double dg = (DeskTone.green() + deskTone) * (1 - dark);
                const double db = (DeskTone.blue() + deskTone) * (1 - dark);
                r = dr + (r - dr) * onPage;
                g = dg + (g - dg) * onPage;
                b = db + (b - db) * onPage;
            }
            line[x] = inked(r, g, b, qAlpha(inkLine[x]) / 255.0, blockAlpha(ink, x, y));
        }
    }
    return out;
}
