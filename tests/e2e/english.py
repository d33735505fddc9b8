"""The window's texts read back intact under an English system locale
(ANSI code page 1252): nothing depends on a Chinese locale."""
import harness
from harness import CONTROLS, COURAGE5, EDIT1, BUTTON1, HP6, MAIN_TITLE, expect


def test(s):
    snap = s.start_past_credits()
    expect(snap.code_page, 1252, "ANSI code page under the English locale")
    main = snap.main()
    s.screenshot("shown")
    expect(main.text, MAIN_TITLE, "window title")
    for control_id, _, _, _, text in CONTROLS:
        expect(main.control(control_id).text, text, f"text of control {control_id}")
    s.click(main.control(EDIT1))
    s.type("12")
    s.click(main.control(BUTTON1))
    s.wait_for(lambda s: (s.main().control(COURAGE5).text, s.main().control(HP6).text) ==
               ("323401", "1900"), 10, "the adventure labels for level 12")
    s.key("Escape")
    expect(s.exit_code(), 0, "exit code after Esc")


harness.run(test, lang="en_US.UTF-8")
