"""Start-up as the user sees it: the credits box alone first, then the
centred window with its whole tree, the focus on the adventure button, and
the maker's address handed to the browser once the box was closed, whichever
way the box is closed."""
import harness
from harness import CONTROLS, CREDITS_CAPTION, CREDITS_TEXT, MAIN_RECT, MAKER_URL, check, expect

WS_THICKFRAME, WS_MAXIMIZEBOX, WS_MINIMIZEBOX, WS_SYSMENU = 0x40000, 0x10000, 0x20000, 0x80000


def check_tree(main):
    expect(main.rect, MAIN_RECT, "main window place and outer size")
    expect(main.style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_SYSMENU),
           WS_MINIMIZEBOX | WS_SYSMENU, "frame style bits (fixed frame, minimize, no maximize)")
    for control_id, cls, parent_id, place, text in CONTROLS:
        w = main.control(control_id)
        what = f"control {control_id} ({text or cls})"
        expect(w.cls, cls, f"{what}: class")
        expect(w.text, text, f"{what}: text")
        expect(w.parent.id if parent_id else w.parent.hwnd, parent_id or main.hwnd, f"{what}: parent")
        expect(tuple(w.place), place, f"{what}: place in its parent")
        check(w.visible and w.enabled, f"{what}: visible {w.visible}, enabled {w.enabled}")
    # The window's own children, top first.
    expect([c.id for c in main.children], [100, 101, 102, 119], "stacking of the window's children")


def wait_for_credits(s):
    """The credits box on screen, the main window not yet, nothing opened."""
    snap = s.wait_for(lambda s: s.visible_box(CREDITS_CAPTION) and s, 15, "the credits box")
    box = snap.box(CREDITS_CAPTION)
    main = snap.main()
    check(not (main and main.visible), f"the main window is visible under the credits box: {main}")
    expect(s.browser_calls(), [], "addresses opened while the credits box is open")
    return box


def wait_for_main(s, how):
    snap = s.wait_for(lambda s: s.visible_main() and not s.box(CREDITS_CAPTION) and s,
                      15, f"the main window after closing the credits box with {how}")
    calls = harness.wait_until(s.browser_calls, 15, "the browser to be asked for the maker's site")
    expect(calls, [MAKER_URL], f"addresses handed to the browser after {how}")
    return snap


def end_with_escape(s, main):
    s.move_to(*main.centre())
    s.key("Escape")
    expect(s.exit_code(), 0, "exit code after Esc")


def test(s):
    s.start()
    box = wait_for_credits(s)
    s.screenshot("credits")
    texts = [c.text for c in box.descendants()]
    check(CREDITS_TEXT in texts, f"credits text not in the box: {texts}")
    s.move_to(*box.centre())
    s.key("Return")
    snap = wait_for_main(s, "Enter")
    s.screenshot("shown")
    main = snap.main()
    check_tree(main)
    # The focus arrives as the window activates, just after it shows.
    s.wait_for(lambda s: s.focus == main.control(harness.BUTTON1).hwnd or
               harness.fail(f"focus on {s.focused()}"), 5, "the focus on 按钮1")
    end_with_escape(s, main)

    # The other ways of closing the box lead to the same start.
    for how in ["Esc", "a click on OK"]:
        s.start()
        box = wait_for_credits(s)
        if how == "Esc":
            s.move_to(*box.centre())
            s.key("Escape")
        else:
            s.click(next(c for c in box.descendants() if c.cls == "Button" and c.visible))
        end_with_escape(s, wait_for_main(s, how).main())


harness.run(test)
