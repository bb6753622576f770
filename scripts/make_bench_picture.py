#!/usr/bin/python3
"""Writes the benchmark pictures into a folder: the same 4000 x 3000 scene as PNG and
JPEG (gradients, shapes and a little noise, so both encoders have real work), and two
check pictures of the same size: two colours, and a left-to-right grey gradient.

Needs Debian's Python with PIL (python3-pil): run it as /usr/bin/python3.
"""
import random
import sys

from PIL import Image, ImageDraw

WIDTH, HEIGHT = 4000, 3000


def scene():
    # A diagonal colour gradient built small and stretched, then shapes over it.
    small = Image.new("RGB", (200, 150))
    small.putdata([(x * 255 // 199, y * 255 // 149, (x + y) * 255 // 348)
                   for y in range(150) for x in range(200)])
    picture = small.resize((WIDTH, HEIGHT), Image.BILINEAR)
    draw = ImageDraw.Draw(picture)
    rng = random.Random(1)
    for _ in range(60):
        x, y = rng.randrange(WIDTH), rng.randrange(HEIGHT)
        r = rng.randrange(50, 600)
        colour = tuple(rng.randrange(256) for _ in range(3))
        if rng.random() < 0.5:
            draw.ellipse((x - r, y - r, x + r, y + r), fill=colour)
        else:
            draw.rectangle((x - r, y - r // 2, x + r, y + r // 2), fill=colour)
    noise = Image.effect_noise((WIDTH, HEIGHT), 24).convert("RGB")
    return Image.blend(picture, noise, 0.15)


def two_colours():
    picture = Image.new("RGB", (WIDTH, HEIGHT), (230, 230, 230))
    ImageDraw.Draw(picture).rectangle((0, 0, WIDTH // 2 - 1, HEIGHT - 1), fill=(40, 40, 40))
    return picture


def gradient():
    row = Image.new("L", (256, 1))
    row.putdata([255 - x for x in range(256)])  # white at the left, black at the right
    return row.resize((WIDTH, HEIGHT), Image.NEAREST).convert("RGB")


def main(folder):
    picture = scene()
    picture.save(f"{folder}/scene.png", optimize=False)
    picture.save(f"{folder}/scene.jpg", quality=90)
    two_colours().save(f"{folder}/two.png")
    gradient().save(f"{folder}/gradient.png")


if __name__ == "__main__":
    main(sys.argv[1])
