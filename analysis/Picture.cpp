#include "Picture.h"

#include "PageAnalysis.h"

#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace PageAnalysis {

namespace {

// Enough for a 150-megapixel picture in 32 bits when its format cannot
// decode at a smaller size.
constexpr int AllocationLimitMb = 640;
// Rows converted at a time from formats read pixel by pixel otherwise.
constexpr int StripRows = 64;

QSize boundedSize(QSize size, qint64 limit)
{
    const qint64 area = qint64(size.width()) * size.height();
    if (area <= limit)
        return size;
    const double f = std::sqrt(double(limit) / double(area));
    return QSize(std::max(1, int(size.width() * f)), std::max(1, int(size.height() * f)));
}

// Premultiplied colour over white paper, then the darkest channel.
inline std::uint8_t greyOfPremultiplied(QRgb p)
{
    const int darkest = std::min({ qRed(p), qGreen(p), qBlue(p) });
    return std::uint8_t(std::min(255, darkest + 255 - qAlpha(p)));
}

inline std::uint8_t greyOfStraight(QRgb p)
{
    const int darkest = std::min({ qRed(p), qGreen(p), qBlue(p) });
    const int a = qAlpha(p);
    return std::uint8_t((darkest * a + 255 * (255 - a)) / 255);
}

// Grey values of the picture's rows, a strip at a time.
class RowReader
{
public:
    explicit RowReader(const QImage &image) : image_(image), line_(size_t(image.width())) { }

    const std::uint8_t *row(int y)
    {
        const int w = image_.width();
        switch (image_.format()) {
        case QImage::Format_Grayscale8:
            return image_.constScanLine(y);
        case QImage::Format_RGB32:
        case QImage::Format_ARGB32_Premultiplied:
            convert(reinterpret_cast<const QRgb *>(image_.constScanLine(y)), true);
            return line_.data();
        case QImage::Format_ARGB32:
            convert(reinterpret_cast<const QRgb *>(image_.constScanLine(y)), false);
            return line_.data();
        default:
            break;
        }
        if (strip_.isNull() || y < stripTop_ || y >= stripTop_ + strip_.height()) {
            stripTop_ = y;
            strip_ = image_.copy(0, y, w, std::min(StripRows, image_.height() - y))
                         .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        }
        convert(reinterpret_cast<const QRgb *>(strip_.constScanLine(y - stripTop_)), true);
        return line_.data();
    }

private:
    void convert(const QRgb *source, bool premultiplied)
    {
        const int w = image_.width();
        for (int x = 0; x < w; ++x)
            line_[size_t(x)]
                = premultiplied ? greyOfPremultiplied(source[x]) : greyOfStraight(source[x]);
    }

    const QImage &image_;
    std::vector<std::uint8_t> line_;
    QImage strip_;
    int stripTop_ = 0;
};

// Averages every picture pixel into the working pixel it falls in.
Grey shrinkToGrey(const QImage &image, QSize target)
{
    const int w = image.width(), h = image.height();
    Grey grey(target.width(), target.height(), 255);
    RowReader reader(image);
    std::vector<int> columnOf(static_cast<size_t>(w));
    for (int x = 0; x < w; ++x)
        columnOf[size_t(x)] = int(qint64(x) * target.width() / w);
    std::vector<std::uint32_t> sum(size_t(target.width())), count(size_t(target.width()));
    int current = 0;
    auto flush = [&](int ty) {
        std::uint8_t *out = grey.row(ty);
        for (int tx = 0; tx < target.width(); ++tx)
            out[tx] = count[size_t(tx)] ? std::uint8_t(sum[size_t(tx)] / count[size_t(tx)]) : 255;
        std::fill(sum.begin(), sum.end(), 0);
        std::fill(count.begin(), count.end(), 0);
    };
    for (int y = 0; y < h; ++y) {
        const int ty = int(qint64(y) * target.height() / h);
        if (ty != current) {
            flush(current);
            current = ty;
        }
        const std::uint8_t *in = reader.row(y);
        for (int x = 0; x < w; ++x) {
            sum[size_t(columnOf[size_t(x)])] += in[x];
            ++count[size_t(columnOf[size_t(x)])];
        }
    }
    flush(current);
    return grey;
}

Grey toGrey(const QImage &image)
{
    Grey grey(image.width(), image.height());
    RowReader reader(image);
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(grey.row(y), reader.row(y), size_t(image.width()));
    return grey;
}

QString readError(const QImageReader &reader)
{
    switch (reader.error()) {
    case QImageReader::UnsupportedFormatError:
        return QStringLiteral("not a picture in a format the program reads");
    case QImageReader::InvalidDataError:
        return QStringLiteral("damaged, or not a picture");
    case QImageReader::FileNotFoundError:
        return QStringLiteral("no such file");
    default:
        return QStringLiteral("cannot be read: %1").arg(reader.errorString());
    }
}

} // namespace

double pageDpi(double dpi)
{
    // 72 and 96 are what cameras and programs write when they know nothing;
    // no page is scanned at less than 100 dots per inch.
    if (dpi < 100 || dpi > 4800)
        return 0;
    // Dots per metre are whole numbers: 11811 is 300 dots per inch.
    return std::round(dpi * 10) / 10;
}

double statedDpi(const QImage &image)
{
    return pageDpi(image.dotsPerMeterX() * 0.0254);
}

WorkingPicture workingPicture(const QImage &image, qint64 workingPixels)
{
    WorkingPicture picture;
    picture.size = image.size();
    const QSize target = boundedSize(image.size(), workingPixels);
    picture.grey = target == image.size() ? toGrey(image) : shrinkToGrey(image, target);
    picture.scale = double(target.width()) / image.width();
    picture.dpi = statedDpi(image);
    picture.dpiFromFile = picture.dpi > 0;
    if (!picture.dpiFromFile)
        picture.dpi = 300;
    return picture;
}

WorkingPicture readPicture(const QString &file, qint64 workingPixels)
{
    WorkingPicture picture;
    const QFileInfo info(file);
    if (!info.exists() || !info.isFile()) {
        picture.error = QStringLiteral("no such file");
        return picture;
    }
    if (info.size() == 0) {
        picture.error = QStringLiteral("the file is empty");
        return picture;
    }
    QImageReader reader(file);
    reader.setAllocationLimit(AllocationLimitMb);
    reader.setAutoTransform(true);
    if (!reader.canRead()) {
        picture.error = readError(reader);
        return picture;
    }
    const QByteArray format = reader.format();
    QSize stored = reader.size();
    const bool shrinks = stored.isValid()
        && qint64(stored.width()) * stored.height() > workingPixels
        && reader.supportsOption(QImageIOHandler::ScaledSize);
    if (shrinks)
        reader.setScaledSize(boundedSize(stored, workingPixels));
    const QImage image = reader.read();
    if (image.isNull()) {
        picture.error = readError(reader);
        return picture;
    }
    picture = workingPicture(image, workingPixels);
    if (shrinks) {
        if (reader.transformation() & QImageIOHandler::TransformationRotate90)
            stored.transpose();
        const double shrunk = double(image.width()) / stored.width();
        picture.scale *= shrunk;
        picture.size = stored;
        // The PNG reader scales the stated resolution with the picture; the
        // others keep the file's.
        if (format == "png") {
            picture.dpi = pageDpi(image.dotsPerMeterX() * 0.0254 / shrunk);
            picture.dpiFromFile = picture.dpi > 0;
            if (!picture.dpiFromFile)
                picture.dpi = 300;
        }
    }
    return picture;
}

} // namespace PageAnalysis
