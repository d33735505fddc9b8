"""Queries with real typing and clicks on both panels, the empty-entry
warning, Enter running no query, the Tab rule from the edit boxes, and Esc
ending the program."""
import harness
from harness import (BUTTON1, BUTTON4, COURAGE5, EDIT1, EDIT2, EXPERIENCE8, HP6, NOT_QUERIED,
                     TITLE9, WARNING_CAPTION, WARNING_TEXT, check, expect)

ADVENTURE, COMPETITIVE = (EDIT1, BUTTON1, COURAGE5, HP6), (EDIT2, BUTTON4, TITLE9, EXPERIENCE8)

# panel, typed level, first label, second label (trailing blanks are data)
CASES = [
    (ADVENTURE, "12", "323401", "1900"),
    (ADVENTURE, "26", "64574378   ", "3900"),
    (COMPETITIVE, "30", "???", "144100000"),
]


def labels(main):
    return {i: main.control(i).text for i in (COURAGE5, HP6, TITLE9, EXPERIENCE8)}


def replace_entry(s, main, edit, text):
    s.click(main.control(edit))
    s.key("End", *["BackSpace"] * 4)
    if text:
        s.type(text)


def test(s):
    main = s.start_past_credits().main()
    expected = labels(main)
    expect(set(expected.values()), {NOT_QUERIED}, "result labels at start")

    for (edit, button, first, second), level, first_text, second_text in CASES:
        replace_entry(s, main, edit, level)
        s.click(main.control(button))
        expected[first], expected[second] = first_text, second_text
        snap = s.wait_for(lambda s: labels(s.main()) == expected and s, 10,
                          f"the labels after querying {level!r}: expected {expected}")
        expect(snap.main().control(edit).text, level, "the entry after its query")
    s.screenshot("queried")

    # An empty entry: the warning, and no label changes.
    replace_entry(s, main, EDIT1, "")
    s.click(main.control(BUTTON1))
    snap = s.wait_for(lambda s: s.visible_box(WARNING_CAPTION) and s, 10, "the empty-entry warning")
    s.screenshot("warning")
    texts = [c.text for c in snap.box(WARNING_CAPTION).descendants()]
    check(WARNING_TEXT in texts, f"warning text not in the box: {texts}")
    expect(labels(snap.main()), expected, "labels while the warning is open")
    s.close_box(WARNING_CAPTION)

    # Enter in an edit box runs no query ("5" is a level of the table; the 6
    # typed after Enter shows that Enter has been handled).
    replace_entry(s, main, EDIT1, "5")
    s.key("Return")
    s.type("6")
    snap = s.wait_for(lambda s: s.main().control(EDIT1).text == "56" and s, 10, "the typed 56")
    expect(labels(snap.main()), expected, "labels after Enter in the entry")
    check(not snap.box(WARNING_CAPTION), "Enter in the entry opened the warning box")

    # Tab and Shift+Tab from each edit box, and between the buttons.
    for start, keys, target in [(EDIT1, ["Tab"], BUTTON1), (EDIT2, ["Tab"], BUTTON4),
                                (EDIT1, ["shift+Tab"], BUTTON4), (EDIT1, ["Tab", "Tab"], BUTTON4),
                                (EDIT2, ["Tab", "Tab"], BUTTON1)]:
        s.click(main.control(start))
        s.wait_for(lambda s: s.focus == s.main().control(start).hwnd or
                   harness.fail(f"focus on {s.focused()}, active {s.find(s.active)}, "
                                f"main enabled {s.main().enabled}"), 10, f"focus on {start}")
        s.key(*keys)
        snap = s.wait_for(lambda s: s.focus == s.main().control(target).hwnd and s, 10,
                          f"{'+'.join(keys)} from {start} to focus {target}")

    # Shift+Esc leaves the window open (the keys typed after it still
    # arrive); Esc closes it, also from an edit box.
    s.click(main.control(EDIT1))
    s.key("shift+Escape")
    s.type("7")
    s.wait_for(lambda s: s.main() and s.main().control(EDIT1).text.endswith("7"), 10,
               "the 7 typed after Shift+Esc")
    s.key("Escape")
    expect(s.exit_code(), 0, "exit code after Esc")


harness.run(test)
