"""The links under the pointer: over 超级链接框1 its text turns to the hover
colour, and moving away inside the window or straight off it restores the
normal colour; pressing the button on a link opens its address before the
button is released, and the link then shows the visited colour."""
import harness
from harness import GROUP1, LINK1, LINK2, MAKER_URL, expect

NORMAL, HOVER, VISITED = (0, 0, 255), (51, 94, 168), (128, 0, 0)
MAKER_NORMAL = (255, 0, 255)
IM_ADDRESS = "xmpp:ostrel@corvaly.example?message"  # 超级链接框1's, as the window stores it
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

    # A press opens the link's address before the button is released (the
    # browser's first address is the start-up's); the link is then visited.
    opened = [MAKER_URL]
    for control, address, normal, rect, name in [
            (main.control(LINK2), MAKER_URL, MAKER_NORMAL, main.control(LINK2).rect, "超级链接框2"),
            (link, IM_ADDRESS, NORMAL, visible_part, "超级链接框1")]:
        opened.append(address)
        s.move_to(*control.centre())
        s.xdotool("mousedown", "1")
        try:
            harness.wait_until(lambda: s.browser_calls() == opened, 15,
                               f"{address} opened by the press on {name}")
        except harness.TestFailure as failure:
            raise harness.TestFailure(f"{failure}; the browser got {s.browser_calls()}") from None
        finally:
            s.xdotool("mouseup", "1")
        s.move_to(*away_inside)
        wait_for_colour(VISITED, normal, f"{name} in the visited colour", "visited", rect)
    s.key("Escape")
    expect(s.exit_code(), 0, "exit code after Esc")


harness.run(test)
