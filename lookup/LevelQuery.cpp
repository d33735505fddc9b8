#include "LevelQuery.h"

bool TextEquals(std::optional<std::string_view> a, std::optional<std::string_view> b) {
    return a.value_or(std::string_view{}) == b.value_or(std::string_view{});
}

void LevelQuery(const QueryPanel& panel, MessageBoxes& boxes) {
    // Nothing else runs during a query, so one read serves every comparison.
    const std::optional<std::string> entry = panel.input.ReadText();
    for (const LevelRow& row : panel.table) {
        if (TextEquals(entry, row.key)) {
            panel.firstLabel.SetCaption(row.first);
            panel.secondLabel.SetCaption(row.second);
        }
    }
    if (TextEquals(entry, std::string_view{}))
        boxes.Show(kEmptyEntryText, kEmptyEntryCaption);
}
