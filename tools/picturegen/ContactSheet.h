#pragma once

#include <QImage>
#include <QString>
#include <QVector>

class KnowledgeBase;

// All pictures as drawn for a screen of scale 2, one row per category, each named
// beneath, for judging the set side by side.
bool writeContactSheet(
    const KnowledgeBase &knowledge, const QVector<QImage> &pictures, const QString &path);
