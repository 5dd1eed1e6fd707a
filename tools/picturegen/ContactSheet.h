#pragma once

#include <QImage>
#include <QString>
#include <QVector>

class KnowledgeBase;

// All pictures at twice their size, one row per category, each named
// beneath, for judging the set side by side.
bool writeContactSheet(
    const KnowledgeBase &knowledge, const QVector<QImage> &pictures, const QString &path);
