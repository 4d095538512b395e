"""The Bypass plates' dot-matrix face: capitals on a 5 by 7 grid, every dot a circle.

The whole line is one path of circles (two arcs each), all turning the same way, so it fills
the same under either fill rule.
"""

from svgdoc import circle_d

GLYPHS = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "N": ["#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "Q": [".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
}

LETTER_GAP = 1  # columns between letters
WORD_GAP = 3  # columns for a space


def columns(text):
    """Width of a line in grid columns."""
    n = 0
    for i, ch in enumerate(text):
        if ch == " ":
            n += WORD_GAP
        else:
            n += 5 + (LETTER_GAP if i + 1 < len(text) and text[i + 1] != " " else 0)
    return n


def dot_matrix_d(text, x_left, y_centre, pitch, radius):
    """Path data for text whose first dot column is centred at x_left and whose rows centre on y_centre."""
    parts = []
    col = 0
    top = y_centre - 3 * pitch
    for i, ch in enumerate(text):
        if ch == " ":
            col += WORD_GAP
            continue
        for row, bits in enumerate(GLYPHS[ch]):
            for c, bit in enumerate(bits):
                if bit == "#":
                    parts.append(circle_d(x_left + (col + c) * pitch, top + row * pitch, radius))
        col += 5 + (LETTER_GAP if i + 1 < len(text) and text[i + 1] != " " else 0)
    return " ".join(parts)
