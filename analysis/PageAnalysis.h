#pragma once

#include <QImage>
#include <QLineF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QTransform>
#include <QVector>

#include <functional>

// The analysis of a page of the learner's own handwriting: it finds the
// writing on a scan or photo, its lines, baselines and words, and measures
// the six categories that a page shows. Plain logic: it runs on any thread.
namespace PageAnalysis {

// The categories measured, as indexes into the knowledge base's tables, in
// the order the findings list them.
constexpr int Margins = 0;
constexpr int Slant = 1;
constexpr int Size = 2;
constexpr int LineSpacing = 3;
constexpr int WordSpacing = 4;
constexpr int LetterSpacing = 5;
constexpr int MeasuredCategories[]
    = { Slant, Margins, LineSpacing, WordSpacing, Size, LetterSpacing };

// A figure of a finding; `known` is false when the page does not show it.
struct Measure
{
    QString name;
    double value = 0;
    bool known = true;
};

// What the page shows for one category: the variation (an index into the
// knowledge base's variations, or -1 for none), whether the measure lies
// clearly away from every border, its figures and a sentence about them.
struct Finding
{
    int category = -1;
    int variation = -1;
    bool sure = false;
    QVector<Measure> measures;
    QString note;
};

// One word, in the picture's pixels.
struct Word
{
    QRectF box;
    double slant = 0; // degrees, right lean positive
    double xHeight = 0; // pixels
};

// One line of writing, in the picture's pixels. The baseline runs under the
// line's middle zone from its first word to its last.
struct Line
{
    QLineF baseline;
    double xHeight = 0;
    QRectF box;
    QVector<Word> words;
};

enum class Outcome { Analysed, Unreadable, NoWriting, Cancelled };

struct Result
{
    Outcome outcome = Outcome::Unreadable;
    QString message; // why it was not analysed
    QSize size; // of the picture as read
    double dpi = 300;
    bool dpiFromFile = false;
    // The picture's own turn: the lines fall by this many degrees to the
    // right (clockwise on screen). Everything below stands in upright page
    // coordinates, in the picture's pixels with the turn taken out; map it
    // with `unturned()` to draw on the picture.
    double rotation = 0;
    double xHeight = 0; // pixels of the picture
    QRectF paper; // the sheet, in upright page coordinates
    QRectF writing; // every line of writing: the inner edge of the margins
    QVector<Line> lines;
    QVector<Finding> findings; // in the order of MeasuredCategories
};

// Maps upright page coordinates, in which `lines`, `paper` and `writing`
// stand, to the picture's pixels.
QTransform unturned(const Result &result);

struct Options
{
    // Asked between the stages; true stops the analysis with Cancelled.
    std::function<bool()> cancelled;
    // Told the share done, from 0 to 100.
    std::function<void(int percent)> progress;
    // The analysis works at no more than this many pixels; larger pictures
    // are read at a smaller size.
    qint64 workingPixels = 9'000'000;
};

// Reads a picture file at a bounded size and analyses it.
Result analyseFile(const QString &file, const Options &options = {});
// Analyses a picture already in memory, at the resolution it states.
Result analyseImage(const QImage &image, const Options &options = {});

// The resolution a picture states, in dots per inch, or 0 when it states
// none that a page could have: many formats store 72 or 96 as a default.
double statedDpi(const QImage &image);

} // namespace PageAnalysis
