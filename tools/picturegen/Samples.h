#pragma once

#include "Writer.h"

#include <QImage>
#include <QStringList>

// One drawing function per category of the knowledge base. Each draws the
// variation of the given rank (counted from 1) as a finished picture.
QImage drawMargins(int rank, quint64 seed);
QImage drawSlant(int rank, quint64 seed);
QImage drawSize(int rank, quint64 seed);
QImage drawLineSpacing(int rank, quint64 seed);
QImage drawWordSpacing(int rank, quint64 seed);
QImage drawLetterSpacing(int rank, quint64 seed);
QImage drawBeginningStroke(int rank, quint64 seed);
QImage drawEndingStroke(int rank, quint64 seed);
QImage drawTBar(int rank, quint64 seed);
QImage drawIDot(int rank, quint64 seed);
QImage drawLowerE(int rank, quint64 seed);
QImage drawLowerM(int rank, quint64 seed);
QImage drawLowerO(int rank, quint64 seed);
QImage drawLowerD(int rank, quint64 seed);
QImage drawLowerLoops(int rank, quint64 seed);
QImage drawCapitalI(int rank, quint64 seed);
QImage drawSignature(int rank, quint64 seed);

// The picture of variation `rank` of `category`.
QImage drawSample(int category, int rank, quint64 seed);

// Writes rows of words, one row per entry, the first baseline at `top` and
// each row `pitch` pixels lower; a row starts at `left` plus `indents[i]`.
void writeRows(Writer &writer, const QStringList &rows, qreal left, qreal top, qreal pitch,
    const QVector<qreal> &indents = {});

// Large words on plain paper for the samples about one letter: one row per
// entry, the letters in brackets drawn by `form`.
QImage wordsSample(quint64 seed, const Hand &hand, const Form &form, const QStringList &rows,
    const QVector<qreal> &indents = {}, qreal top = 31, qreal pitch = 37);
// The hand of the samples about one letter.
Hand letterHand();
