#pragma once
// The level query that a panel's query button runs: find the row whose key is
// exactly the typed text and show its two texts in the panel's result labels.

#include "LevelTables.h"

#include <optional>
#include <string>
#include <string_view>

// An absent text (what an empty edit box yields) equals the empty text and no
// other; otherwise texts are equal when their bytes are. No trimming, no case
// folding, no reading as numbers: "1", "01", " 1" and "1 " all differ.
bool TextEquals(std::optional<std::string_view> a, std::optional<std::string_view> b);

// What the query needs of the panel's controls.
class TextSource {
public:
    // A fresh copy of the text as it stands; absent when the box is empty.
    virtual std::optional<std::string> ReadText() const = 0;
protected:
    ~TextSource() = default;
};

class CaptionTarget {
public:
    // The target keeps its own copy and repaints later, not during the call.
    virtual void SetCaption(std::string_view caption) = 0;
protected:
    ~CaptionTarget() = default;
};

class MessageBoxes {
public:
    // An OK-only box without owner, modal to the whole UI thread; waits.
    virtual void Show(std::string_view text, std::string_view caption) = 0;
protected:
    ~MessageBoxes() = default;
};

struct QueryPanel {
    const TextSource& input;
    CaptionTarget& firstLabel;
    CaptionTarget& secondLabel;
    LevelTable table;
};

inline constexpr std::string_view kEmptyEntryText = "你都还没输入等级呢！请重新输入！";
inline constexpr std::string_view kEmptyEntryCaption = "提示";

// Sets both labels when a row matches; warns on an empty entry; otherwise
// leaves everything as it was.
void LevelQuery(const QueryPanel& panel, MessageBoxes& boxes);
