"""The links under the pointer: over 超级链接框1 its text turns to the hover
colour, and moving away inside the window or straight off it restores the
normal colour; pressing the button on 超级链接框2 opens the maker's site
before the button is released, and the link then shows the visited colour."""
import harness
from harness import GROUP1, LINK1, LINK2, MAKER_URL, expect

NORMAL, HOVER, VISITED = (0, 0, 255), (51, 94, 168), (128, 0, 0)
MAKER_NORMAL = (255, 0, 255)
MIN_TEXT_PIXELS = 10


def test(s):
    main = s.start_past_credits().main()
    link = main.control(LINK1)
    left, top, width, height = link.rect
    visible_part = (left, top, width, height - 8)  # 超级链接框2 lies over its lowest rows

    def shows(colour, other, rect):
        return lambda img: (img.count(rect, colour) >= MIN_TEXT_PIXELS and
                            img.count(rect, other) == 0)

    def wait_for_colour(colour, other, what, label, rect=visible_part):
        try:
            s.wait_for_image(shows(colour, other, rect), 10, what, label)
        except harness.TestFailure as failure:
            colours = s.screenshot(label + "-failed").colours(rect)
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

    maker = main.control(LINK2)
    s.move_to(*maker.centre())
    s.xdotool("mousedown", "1")
    try:
        harness.wait_until(lambda: s.browser_calls() == [MAKER_URL] * 2, 15,
                           "the maker's site opened by the press on 超级链接框2 (the first "
                           "open is the start-up's)")
    except harness.TestFailure as failure:
        raise harness.TestFailure(f"{failure}; the browser got {s.browser_calls()}") from None
    finally:
        s.xdotool("mouseup", "1")
    s.move_to(*away_inside)
    wait_for_colour(VISITED, MAKER_NORMAL, "超级链接框2 in the visited colour", "visited",
                    maker.rect)
    s.key("Escape")
    expect(s.exit_code(), 0, "exit code after Esc")


harness.run(test)
