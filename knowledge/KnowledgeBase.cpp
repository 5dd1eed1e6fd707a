#include "knowledge/KnowledgeBase.h"

namespace {

struct CategoryEntry
{
    const char *name;
    const char *stem;
    const char *significance;
};

struct VariationEntry
{
    const char *name;
    const char *interpretation;
};

// The data file lists each category followed by its variations. Two passes
// over it give the two tables; a category's variation count is the number of
// variations between it and the next category.
#define QM_CATEGORY(name, stem, significance) CategoryEntry { name, stem, significance },
#define QM_VARIATION(name, interpretation)
constexpr CategoryEntry Categories[] = {
#include "assets/knowledge.inc"
};
#undef QM_CATEGORY
#undef QM_VARIATION

#define QM_CATEGORY(name, stem, significance) VariationEntry { nullptr, nullptr },
#define QM_VARIATION(name, interpretation) VariationEntry { name, interpretation },
// A null entry marks where a new category begins.
constexpr VariationEntry Entries[] = {
#include "assets/knowledge.inc"
};
#undef QM_CATEGORY
#undef QM_VARIATION

constexpr int countVariations()
{
    int n = 0;
    for (const auto &e : Entries)
        n += e.name != nullptr ? 1 : 0;
    return n;
}

static_assert(std::size(Categories) == KnowledgeBase::CategoryCount,
    "the knowledge base holds 17 categories");
static_assert(
    countVariations() == KnowledgeBase::VariationCount, "the knowledge base holds 99 variations");

struct Layout
{
    std::array<qint16, KnowledgeBase::CategoryCount> first {};
    std::array<qint16, KnowledgeBase::CategoryCount> last {};
};

constexpr Layout computeLayout()
{
    Layout layout;
    int category = -1;
    int variation = 0;
    for (const auto &e : Entries) {
        if (e.name == nullptr) {
            ++category;
            layout.first[category] = static_cast<qint16>(variation);
            layout.last[category] = static_cast<qint16>(variation - 1);
        } else {
            layout.last[category] = static_cast<qint16>(variation);
            ++variation;
        }
    }
    return layout;
}

constexpr Layout TheLayout = computeLayout();

static_assert(Entries[0].name == nullptr, "the data file starts with a category");

} // namespace

void KnowledgeBase::LoadKnowledgeBase()
{
    // Filled in the same order every time: names, significance texts, first
    // and last variations, variation names, interpretations, first pictures.
    for (int c = 0; c < CategoryCount; ++c)
        CategoryNames[c] = QString::fromUtf8(Categories[c].name);
    for (int c = 0; c < CategoryCount; ++c)
        SignificanceTexts[c] = QString::fromUtf8(Categories[c].significance);
    for (int c = 0; c < CategoryCount; ++c)
        FirstVariation[c] = TheLayout.first[c];
    for (int c = 0; c < CategoryCount; ++c)
        LastVariation[c] = TheLayout.last[c];
    int v = 0;
    for (const auto &e : Entries) {
        if (e.name != nullptr)
            VariationNames[v++] = QString::fromUtf8(e.name);
    }
    v = 0;
    for (const auto &e : Entries) {
        if (e.name != nullptr)
            InterpretationTexts[v++] = QString::fromUtf8(e.interpretation);
    }
    for (int c = 0; c < CategoryCount; ++c)
        FirstPicture[c] = static_cast<qint16>(TheLayout.first[c] + 1);
}

int KnowledgeBase::categoryOfVariation(int v) const
{
    for (int k = 0; k < CategoryCount; ++k) {
        if (v >= FirstVariation[k] && v <= LastVariation[k])
            return k;
    }
    return -1;
}

QString KnowledgeBase::categoryStem(int category)
{
    if (category < 0 || category >= CategoryCount)
        return {};
    return QString::fromLatin1(Categories[category].stem);
}

QString KnowledgeBase::pictureKey(int position)
{
    const int v = position - 1;
    if (v < 0 || v >= VariationCount)
        return {};
    int category = 0;
    while (category + 1 < CategoryCount && TheLayout.first[category + 1] <= v)
        ++category;
    const int rank = v - TheLayout.first[category] + 1;
    return QStringLiteral("%1 %2_%3.jpg")
        .arg(position, 2, 10, QLatin1Char('0'))
        .arg(categoryStem(category))
        .arg(rank);
}

QString KnowledgeBase::picturePath(int position)
{
    const QString key = pictureKey(position);
    return key.isEmpty() ? QString() : QStringLiteral(":/pictures/") + key;
}
