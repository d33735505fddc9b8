"""The pointer over 超级链接框1 turns its text to the hover colour; moving
away inside the window, or straight off the window, restores the normal
colour."""
import harness
from harness import GROUP1, LINK1, expect

NORMAL, HOVER = (0, 0, 255), (51, 94, 168)
MIN_TEXT_PIXELS = 10


def test(s):
    main = s.start_past_credits().main()
    link = main.control(LINK1)
    left, top, width, height = link.rect
    visible_part = (left, top, width, height - 8)  # 超级链接框2 lies over its lowest rows

    def shows(colour, other):
        return lambda img: (img.count(visible_part, colour) >= MIN_TEXT_PIXELS and
                            img.count(visible_part, other) == 0)

    def wait_for_colour(colour, other, what, label):
        try:
            s.wait_for_image(shows(colour, other), 10, what, label)
        except harness.TestFailure as failure:
            colours = s.screenshot(label + "-failed").colours(visible_part)
            raise harness.TestFailure(f"{failure}; colours in the link: {colours}") from None

    away_inside = main.control(GROUP1).centre()
    s.move_to(*away_inside)
    wait_for_colour(NORMAL, HOVER, "the link in its normal colour", "normal")
    for away, where in [(away_inside, "inside"), ((40, 40), "off")]:
        s.move_to(*link.centre())
        wait_for_colour(HOVER, NORMAL, "the link in the hover colour", "hover")
        s.move_to(*away)
        wait_for_colour(NORMAL, HOVER, f"the normal colour after moving {where} the window",
                        f"left-{where}")
    s.move_to(*away_inside)
    s.key("Escape")
    expect(s.exit_code(), 0, "exit code after Esc")


harness.run(test)
