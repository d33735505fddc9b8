#!/usr/bin/env python3
"""Without a display: start Tarvelo on the virtual one, close the credits box,
query adventure level 12 with real input and save a screenshot."""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tests", "e2e"))
import harness  # noqa: E402

exe, probe, out = sys.argv[1:4]
session = harness.Session("run", exe, probe, out)
try:
    snap = session.start_past_credits()
    main = snap.visible_main()
    session.click(main.control(117))   # the adventure level box
    session.type("12")
    session.click(main.control(116))   # its query button
    session.wait_for(lambda s: s.visible_main().control(112).text == "323401", 10, "the figures of level 12")
    session.screenshot("adventure-12")
    shot = os.path.join(out, f"run-{session.shots:02d}-adventure-12.png")
    left, top, width, height = main.rect
    target = os.path.join(out, "tarvelo-screenshot.png")
    subprocess.run(["convert", shot, "-crop", f"{width + 16}x{height + 16}+{left - 8}+{top - 8}", "+repage",
                    target], check=True, timeout=20)
    print(target)
    session.key("Escape")
    session.exit_code()
finally:
    session.stop()
