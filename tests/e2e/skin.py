"""The scheme-2 skin on screen: the credits box's OK button, the query
buttons, edit frames and group frames, and the query button's band under the
pointer."""
import harness
from harness import (BUTTON1, BUTTON4, CREDITS_CAPTION, EDIT1, EDIT2, GROUP1, GROUP2, check,
                     expect)

BUTTON_BORDER, EDIT_FRAME, GROUP_FRAME = (55, 98, 6), (164, 185, 127), (191, 184, 191)


def orange(rgb):
    r, g, b = rgb
    return abs(r - 229) <= 20 and abs(g - 151) <= 30 and b <= 60


def framed(window, colour):
    """True when at least half a frame's worth of pixels has the colour."""
    _, _, width, height = window.rect
    return lambda img: img.count(window.rect, colour) >= width + height


def banded(window):
    return lambda img: img.count(window.rect, orange) >= window.rect[2]


def unbanded(window):
    return lambda img: img.count(window.rect, orange) == 0


def all_of(*conditions):
    return lambda img: all(c(img) for c in conditions)


def wait_for_look(s, condition, what, label, windows):
    try:
        return s.wait_for_image(condition, 10, what, label)
    except harness.TestFailure as failure:
        img = s.screenshot(label + "-failed")
        seen = "; ".join(f"{w.cls} {w.id}: {img.colours(w.rect, 5)}" for w in windows)
        raise harness.TestFailure(f"{failure}; colours seen: {seen}") from None


def test(s):
    s.start()
    snap = s.wait_for(lambda s: s.visible_box(CREDITS_CAPTION) and s, 15, "the credits box")
    buttons = [c for c in snap.box(CREDITS_CAPTION).descendants() if c.cls == "Button" and c.visible]
    expect(len(buttons), 1, "visible buttons in the credits box")
    wait_for_look(s, framed(buttons[0], BUTTON_BORDER), "the green border of the credits OK button",
                  "credits", buttons)
    s.move_to(*buttons[0].centre())
    s.key("Return")
    main = s.wait_for(lambda s: s.visible_main() and not s.box(CREDITS_CAPTION) and s, 15,
                      "the main window").main()

    b1, b4 = main.control(BUTTON1), main.control(BUTTON4)
    looks = [framed(b1, BUTTON_BORDER), framed(b4, BUTTON_BORDER),
             framed(main.control(EDIT1), EDIT_FRAME), framed(main.control(EDIT2), EDIT_FRAME),
             framed(main.control(GROUP1), GROUP_FRAME), framed(main.control(GROUP2), GROUP_FRAME),
             banded(b1), unbanded(b4)]  # 按钮1 has the focus, which shows the mouse-over band
    skinned = [b1, b4] + [main.control(i) for i in (EDIT1, EDIT2, GROUP1, GROUP2)]
    away = main.control(GROUP1).centre()
    s.move_to(*away)
    wait_for_look(s, all_of(*looks), "the scheme-2 look of the window", "shown", skinned)

    s.move_to(*b4.centre())
    wait_for_look(s, banded(b4), "the orange band of 按钮4 under the pointer", "hover", [b4])
    s.move_to(*away)
    wait_for_look(s, unbanded(b4), "the normal band of 按钮4 after the pointer left", "left", [b4])
    check(s.snapshot().focus == b1.hwnd, "the pointer moved the focus")

    s.key("Escape")
    expect(s.exit_code(), 0, "exit code after Esc")


harness.run(test)
