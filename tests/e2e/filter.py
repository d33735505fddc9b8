"""The edit boxes keep only digits and minus signs from real typing."""
import harness
from harness import EDIT1, EDIT2, expect

CASES = [(EDIT2, "a1.2 -", "12-"), (EDIT1, "-+5 x--9", "-5--9")]


def test(s):
    main = s.start_past_credits().main()
    for edit, typed, kept in CASES:
        s.click(main.control(edit))
        s.type(typed)
        # The last character that passes tells that the typing has arrived.
        s.wait_for(lambda s: s.main().control(edit).text.endswith(kept[-1]), 10,
                   f"typing {typed!r} into {edit}")
        expect(s.snapshot().main().control(edit).text, kept, f"{edit} after typing {typed!r}")
    s.screenshot("typed")
    s.key("Escape")
    expect(s.exit_code(), 0, "exit code after Esc")


harness.run(test)
