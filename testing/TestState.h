#pragma once

#include "testing/QuestionDraw.h"

#include <QStringList>
#include <QVector>

#include <array>

// The state of the running test, kept by the main window for the whole run.
// A test draws its question list at its first question; the result report
// clears everything so that the next test starts afresh.
struct TestState
{
    bool SignificanceDrawn = false;
    // The categories asked, in asking order, and the text chosen for each.
    std::array<qint16, QuestionDraw::SignificanceQuestionCount> SignificanceQuestions {};
    std::array<QString, QuestionDraw::SignificanceQuestionCount> SignificanceAnswers;

    bool InterpretationDrawn = false;
    // The variations asked, category by category, and the text chosen for each.
    QVector<qint16> InterpretationQuestions;
    QStringList InterpretationAnswers;
    int QuestionCount = 0;

    void clear() { *this = TestState(); }
};
