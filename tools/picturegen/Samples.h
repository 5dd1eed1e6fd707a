#pragma once

#include "Writer.h"

#include <QImage>
#include <QStringList>

// One drawing function per category of the knowledge base. Each draws the
// variation of the given rank (counted from 1) as a finished picture.
QImage drawMargins(int rank, const Sample &sample);
QImage drawSlant(int rank, const Sample &sample);
QImage drawSize(int rank, const Sample &sample);
QImage drawLineSpacing(int rank, const Sample &sample);
QImage drawWordSpacing(int rank, const Sample &sample);
QImage drawLetterSpacing(int rank, const Sample &sample);
QImage drawBeginningStroke(int rank, const Sample &sample);
QImage drawEndingStroke(int rank, const Sample &sample);
QImage drawTBar(int rank, const Sample &sample);
QImage drawIDot(int rank, const Sample &sample);
QImage drawLowerE(int rank, const Sample &sample);
QImage drawLowerM(int rank, const Sample &sample);
QImage drawLowerO(int rank, const Sample &sample);
QImage drawLowerD(int rank, const Sample &sample);
QImage drawLowerLoops(int rank, const Sample &sample);
QImage drawCapitalI(int rank, const Sample &sample);
QImage drawSignature(int rank, const Sample &sample);

// The picture of variation `rank` of `category`.
QImage drawSample(int category, int rank, const Sample &sample);

// Writes rows of words, one row per entry, the first baseline at `top` and
// each row `pitch` pixels lower; a row's ink starts at `left` plus `indents[i]`.
void writeRows(Writer &writer, const QStringList &rows, qreal left, qreal top, qreal pitch,
    const QVector<qreal> &indents = {});

// Large words on plain paper for the samples about one letter: one row per
// entry, the letters in brackets drawn by `form`.
QImage wordsSample(const Sample &sample, const Hand &hand, const Form &form,
    const QStringList &rows, const QVector<qreal> &indents = {}, qreal top = 31, qreal pitch = 37);
// The hand of the samples about one letter.
Hand letterHand();
