#include "Canvas.h"

#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace {

constexpr int Oversampling = 4;
const QColor Ink(22, 36, 112);
const QColor PaperTone(248, 245, 235);
const QColor DeskTone(171, 168, 160);
// Ink stays about this far from the edge of a page that lies on the desk.
constexpr qreal PageInset = 6;

double clamp01(double v)
{
    return std::clamp(v, 0.0, 1.0);
}

// How much of the pixel at (x, y) a rectangle covers, with a soft edge.
double coverage(const QRectF &r, double x, double y, double soft)
{
    const double h
        = clamp01((x + 0.5 - r.left()) / soft + 0.5) * clamp01((r.right() - x - 0.5) / soft + 0.5);
    const double v
        = clamp01((y + 0.5 - r.top()) / soft + 0.5) * clamp01((r.bottom() - y - 0.5) / soft + 0.5);
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
    for (int by = y & ~1; by <= (y | 1) && by < ink.height(); ++by)
        for (int bx = x & ~1; bx <= (x | 1) && bx < ink.width(); ++bx)
            strongest = std::max(strongest, qAlpha(ink.pixel(bx, by)));
    return strongest / 255.0;
}

} // namespace

Canvas::Canvas(quint64 seed, Ground ground)
    : seed_(seed),
      ground_(ground),
      page_(ground == Ground::Page
              ? QRectF(PageInset, PageInset - 1, Width - 2 * PageInset - 1, Height - 2 * PageInset)
              : QRectF(0, 0, Width, Height)),
      rng_(seed),
      wobbleX_(mixBits(seed + 1), 2.2),
      wobbleY_(mixBits(seed + 2), 2.2),
      ink_(Width * Oversampling, Height * Oversampling, QImage::Format_ARGB32_Premultiplied)
{
    ink_.fill(Qt::transparent);
    painter_.begin(&ink_);
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.scale(Oversampling, Oversampling);
    if (ground_ == Ground::Page)
        painter_.setClipRect(page_);
}

Canvas::~Canvas() = default;

QPainterPath Canvas::wobble(const QPainterPath &path) const
{
    constexpr double Reach = 0.35;
    QPainterPath moved = path;
    for (int i = 0; i < moved.elementCount(); ++i) {
        const QPainterPath::Element e = moved.elementAt(i);
        moved.setElementPositionAt(
            i, e.x + Reach * wobbleX_.at(e.x, e.y), e.y + Reach * wobbleY_.at(e.x, e.y));
    }
    return moved;
}

void Canvas::fill(const QPainterPath &outline, qreal opacity)
{
    painter_.setOpacity(opacity);
    painter_.setPen(QPen(Qt::black, 0.25, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter_.setBrush(Qt::black);
    painter_.drawPath(wobble(outline));
}

void Canvas::stroke(const QPainterPath &centre, qreal width, qreal opacity, Qt::PenCapStyle cap)
{
    painter_.setOpacity(opacity);
    painter_.setPen(QPen(Qt::black, width, Qt::SolidLine, cap, Qt::RoundJoin));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPath(wobble(centre));
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

    // Ink flow varies along the line, and the ball skips here and there.
    const Noise flow(mixBits(seed_ + 3), 9.0 * Oversampling);
    const Noise skip(mixBits(seed_ + 4), 0.7 * Oversampling);
    for (int y = 0; y < ink_.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(ink_.scanLine(y));
        for (int x = 0; x < ink_.width(); ++x) {
            const int a = qAlpha(line[x]);
            if (a == 0)
                continue;
            const double f
                = 0.86 + 0.12 * flow.at(x, y) - 0.30 * std::max(0.0, skip.at(x, y) - 0.35);
            const int alpha = int(std::lround(a * clamp01(f)));
            line[x] = qRgba(0, 0, 0, alpha);
        }
    }
    const QImage ink = ink_.scaled(Width, Height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    const Noise mottle(mixBits(seed_ + 5), 18.0);
    const Noise mottleFine(mixBits(seed_ + 6), 5.0);
    const QRectF shadow = page_.translated(1.2, 1.6);
    QImage out(Width, Height, QImage::Format_RGB32);
    for (int y = 0; y < Height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        const auto *inkLine = reinterpret_cast<const QRgb *>(ink.constScanLine(y));
        for (int x = 0; x < Width; ++x) {
            const double tone
                = 2.4 * mottle.at(x, y) + 0.9 * mottleFine.at(x, y) + 1.6 * grain(seed_, x, y);
            double r = PaperTone.red() + tone, g = PaperTone.green() + tone,
                   b = PaperTone.blue() + tone * 1.1;
            if (ground_ == Ground::Page) {
                const double onPage = coverage(page_, x, y, 0.9);
                const double dark = 0.42 * coverage(shadow, x, y, 2.6);
                const double deskTone = 3.0 * mottle.at(y, x) + 2.2 * grain(seed_ + 9, x, y);
                const double dr = (DeskTone.red() + deskTone) * (1 - dark);
                const double dg = (DeskTone.green() + deskTone) * (1 - dark);
                const double db = (DeskTone.blue() + deskTone) * (1 - dark);
                r = dr + (r - dr) * onPage;
                g = dg + (g - dg) * onPage;
                b = db + (b - db) * onPage;
            }
            // Ink multiplies the paper beneath it. JPEG keeps colour only once
            // per 2 x 2 block, which turns thin blue lines grey: the colour is
            // taken with the strongest ink of the block, the brightness with
            // this pixel's own.
            const double a = qAlpha(inkLine[x]) / 255.0;
            const double blockInk = blockAlpha(ink, x, y);
            const double tr = r * (1 - a * (1 - Ink.redF())), tg = g * (1 - a * (1 - Ink.greenF())),
                         tb = b * (1 - a * (1 - Ink.blueF()));
            const double cr = r * (1 - blockInk * (1 - Ink.redF())),
                         cg = g * (1 - blockInk * (1 - Ink.greenF())),
                         cb = b * (1 - blockInk * (1 - Ink.blueF()));
            const double luma = 0.299 * tr + 0.587 * tg + 0.114 * tb;
            const double blue = -0.168736 * cr - 0.331264 * cg + 0.5 * cb;
            const double red = 0.5 * cr - 0.418688 * cg - 0.081312 * cb;
            line[x] = qRgb(channel(luma + 1.402 * red),
                channel(luma - 0.344136 * blue - 0.714136 * red), channel(luma + 1.772 * blue));
        }
    }
    return out;
}
