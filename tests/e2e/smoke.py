"""The program starts, its window appears, Esc ends it with exit code 0."""
import harness
from harness import check, expect


def test(s):
    snap = s.start_past_credits()
    s.screenshot("shown")
    main = snap.visible_main()
    check(main.enabled, f"the main window is disabled: {main}")
    s.move_to(*main.centre())
    s.key("Escape")
    expect(s.exit_code(), 0, "exit code after Esc")
    check(not s.snapshot().main(), "the main window is still there after the program ended")


harness.run(test)
