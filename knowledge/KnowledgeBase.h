#pragma once

#include <QString>

#include <array>

// The fixed body of knowledge that Quillmere teaches and tests: 17 handwriting
// categories and their 99 variations. Every table keeps one spare slot at its
// end, so code that walks a table stops at its upper bound minus one.
class KnowledgeBase final
{
public:
    static constexpr int CategorySlots = 18;
    static constexpr int VariationSlots = 100;
    static constexpr int CategoryCount = CategorySlots - 1;
    static constexpr int VariationCount = VariationSlots - 1;
    // Pictures are numbered from 1: variation v shows picture v + 1.
    static constexpr int PictureCount = VariationCount;

    std::array<QString, CategorySlots> CategoryNames;
    std::array<QString, CategorySlots> SignificanceTexts;
    std::array<qint16, CategorySlots> FirstVariation {};
    std::array<qint16, CategorySlots> LastVariation {};
    std::array<qint16, CategorySlots> FirstPicture {};
    std::array<QString, VariationSlots> VariationNames;
    std::array<QString, VariationSlots> InterpretationTexts;

    // Stores the fixed content into the tables. Calling it again stores the
    // same values, so every reader may call it before it reads.
    void LoadKnowledgeBase();

    // The category that owns variation v, or -1 when v is no variation. Reads
    // the loaded tables.
    int categoryOfVariation(int v) const;

    // Picture keys name the sample picture files: "01 margin_1.jpg" is
    // picture 1, the first variation of "Margins". These need no loading.
    static QString pictureKey(int position);
    static QString categoryStem(int category);
    // Where the program finds picture `position` among its resources.
    static QString picturePath(int position);
};
