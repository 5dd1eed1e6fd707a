#pragma once

#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

namespace PageAnalysis {

// An 8-bit picture with its rows packed, 0 black and 255 white, or for ink
// maps 0 no ink.
struct Grey
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    Grey() = default;
    Grey(int w, int h, std::uint8_t fill = 0) : width(w), height(h), pixels(size_t(w) * h, fill) { }
    std::uint8_t *row(int y) { return pixels.data() + size_t(y) * width; }
    const std::uint8_t *row(int y) const { return pixels.data() + size_t(y) * width; }
    std::uint8_t at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// A picture brought to the working size in grey: the darkest of its three
// colour channels, so that ink of any colour stands dark on light paper.
struct WorkingPicture
{
    Grey grey;
    QSize size; // of the picture as stored
    double scale = 1; // working pixels per picture pixel
    double dpi = 300; // of the picture as stored
    bool dpiFromFile = false;
    QString error; // set when the file cannot be read as a picture
};

// Reads a file without ever holding much more than the picture itself:
// formats that can decode at a smaller size do so.
// A resolution in dots per inch as a page could have it, or 0.
double pageDpi(double dpi);

WorkingPicture readPicture(const QString &file, qint64 workingPixels);
WorkingPicture workingPicture(const QImage &image, qint64 workingPixels);

} // namespace PageAnalysis
