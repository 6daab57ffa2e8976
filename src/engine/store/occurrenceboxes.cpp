#include "engine/store/occurrenceboxes.h"

#include "common/vbconv.h"

namespace kalvon {

namespace {

Bytes totalText(const OccurrenceTexts& texts, size_t first, size_t count)
{
    int32_t sum = 0;
    for (size_t i = first; i < first + count; ++i)
        sum += vb::CInt(BytesView(texts[i])).value_or(0);
    return "Total Percent: " + vb::formatInt(sum);
}

} // namespace

OccurrenceTexts occurrenceTexts(const BlockOccurancy& percentages)
{
    OccurrenceTexts texts;
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = vb::formatInt(percentages[i]);
    return texts;
}

OccurrenceTexts defaultOccurrenceTexts()
{
    return occurrenceTexts(
        BlockOccurancy{ 14, 15, 14, 14, 15, 14, 14, 13, 13, 2, 9, 3, 12, 3, 9, 2, 6, 2, 6, 5, 5, 7, 3 });
}

Bytes correctedSpecialText(BytesView text)
{
    const std::optional<double> number = vb::toNumber(text);
    if (!number || *number > 100)
        return "100";
    if (*number < 0)
        return "0";
    return Bytes(text);
}

Bytes shapeTotalText(const OccurrenceTexts& texts)
{
    return totalText(texts, 0, kPieceTypes);
}

Bytes specialTotalText(const OccurrenceTexts& texts)
{
    return totalText(texts, kPieceTypes, kSpecialTypes);
}

std::optional<BlockOccurancy> readOccurrenceBoxes(const OccurrenceTexts& texts, int* badBox)
{
    BlockOccurancy percentages{};
    for (size_t i = 0; i < texts.size(); ++i) {
        const std::optional<int16_t> value = vb::CInt(BytesView(texts[i]));
        if (!value || *value < 0 || *value > 100) {
            if (badBox)
                *badBox = int(i);
            return std::nullopt;
        }
        percentages[i] = *value;
    }
    return percentages;
}

bool occurrenceBoxesEnabled(GameMode mode, bool gameActive)
{
    return mode == GameMode::Internet || !gameActive;
}

} // namespace kalvon
