#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVector>

// Pages of handwriting with a known layout, written in a handwriting font,
// for checking what the analysis measures. Lengths in x-heights unless they
// say otherwise.
struct HandPageLayout
{
    QString family = QStringLiteral("Dancing Script");
    QSizeF paperMm { 210, 297 };
    qreal dpi = 150;
    qreal xHeightMm = 3;

    qreal slant = 10; // degrees, positive leaning to the right
    qreal slantSwing = 0; // degrees, every other word leans this much the other way
    qreal slantJitter = 1.5; // degrees, per word

    qreal sizeSwing = 0; // every other word is this share larger, the rest smaller
    qreal sizeJitter = 0.04;

    qreal leftMm = 25, rightMm = 25, topMm = 25, bottomMm = 25;
    // How far the left and right edge of the lines move inward from the
    // first line to the last, in millimetres.
    qreal leftDriftMm = 0, rightDriftMm = 0;
    int lineCount = 0; // 0 fills the page down to the lower margin

    qreal linePitch = 5; // baseline to baseline
    qreal pitchSwing = 0; // every other line gap is this share longer, the rest shorter
    qreal wordGap = 1;
    qreal wordGapSpread = 0.1; // uniform share around wordGap
    qreal tracking = 0; // extra room after every letter
    qreal stretch = 1; // width of every letter
    bool unevenGaps = false; // about every fourth space between words four times as wide

    qreal rotation = 0; // degrees, the whole sheet turned clockwise on the picture
    bool unevenLight = false;
    bool ruled = false; // blue lines under every baseline and a red margin rule
    QColor paper { 248, 246, 238 };
    QColor ink { 22, 36, 112 };
    quint32 seed = 1;
};

// What was written, in the page's own unturned pixels.
struct HandPageTruth
{
    qreal xHeightPx = 0;
    QRectF writing; // every written outline
    QVector<qreal> baselines;
    int words = 0;
};

QImage drawHandPage(const HandPageLayout &layout, HandPageTruth *truth = nullptr);

// The slant that a family's letters have of their own, in degrees.
qreal ownSlantOf(const QString &family);
