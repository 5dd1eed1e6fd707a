#pragma once

#include "PageAnalysis.h"

#include <QByteArray>

class KnowledgeBase;
class QTextStream;

namespace PageAnalysis {

// The analysis as one JSON object on one line: file, width, height, dpi,
// x_height_px and the findings, each with its category, variation (null for
// none), sure, measures and note. Names are the knowledge base's.
QByteArray toJson(const Result &result, const QString &file, const KnowledgeBase &kb);

// Exit statuses of the command line's analysis.
constexpr int Analysed = 0;
constexpr int Unreadable = 2;
constexpr int NoWriting = 3;

// Analyses `file` and prints the JSON object on `out`, or one line saying
// why not on `err`. Needs no display. Returns the exit status.
int analyseCommand(const QString &file, QTextStream &out, QTextStream &err);

} // namespace PageAnalysis
