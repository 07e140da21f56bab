#!/usr/bin/env python3
"""Writes the sample draw databases shipped beside the program.

The draws are synthetic: numbers drawn with a fixed seed, so every run writes the same bytes.
Each file is an ordinary database: a header line of seven items (record count, picks + 2,
highest number, quoted title, the two date-advance steps, the pending step), then one line of
twelve items per draw (record number, #yyyy-mm-dd# date, the numbers, zeros beyond the picks),
every line ended by CR LF.

Usage: python3 generate_samples.py [output folder]   (default: this script's folder)
"""

import datetime
import pathlib
import random
import sys

SEED = 19980103

# Draws on Wednesdays and Saturdays: from a Wednesday the next draw is 3 days on, from a
# Saturday 4 days on. The last draw is a Saturday, so the next one is 4 days away.
ADVANCE_FIRST = 3
LAST_DRAW = datetime.date(2026, 3, 28)  # a Saturday


def draw_dates(count):
    """`count` Wednesday/Saturday dates, oldest first, the last being LAST_DRAW."""
    assert LAST_DRAW.weekday() == 5
    dates = [LAST_DRAW]
    while len(dates) < count:
        d = dates[-1]
        dates.append(d - datetime.timedelta(days=4 if d.weekday() == 2 else 3))
    return list(reversed(dates))


def draws(rng, count, picks, high):
    """`count` draws of `picks` distinct numbers from 1..high, each draw in ascending order."""
    return [sorted(rng.sample(range(1, high + 1), picks)) for _ in range(count)]


def lto_bytes(title, picks, high, dates, numbers):
    # The step from the last draw to the next one: Saturday -> Wednesday is 4 days,
    # Wednesday -> Saturday 3.
    pending = 7 - ADVANCE_FIRST if dates[-1].weekday() == 5 else ADVANCE_FIRST
    lines = [f'{len(dates)},{picks + 2},{high},"{title}",{ADVANCE_FIRST},{7 - ADVANCE_FIRST},{pending}']
    for i, (d, nums) in enumerate(zip(dates, numbers), start=1):
        cells = list(nums) + [0] * (10 - len(nums))
        lines.append(f"{i},#{d.isoformat()}#," + ",".join(str(n) for n in cells))
    return ("\r\n".join(lines) + "\r\n").encode("latin-1")


def main():
    out = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path(__file__).parent
    rng = random.Random(SEED)

    dates = draw_dates(312)
    (out / "Sample.Lto").write_bytes(
        lto_bytes("Sample Lotto 6/49", 6, 49, dates, draws(rng, len(dates), 6, 49)))

    # The two halves of one game, kept as two databases over the same draw dates: five white
    # balls of 1..49 and one red ball of 1..42.
    dates = draw_dates(260)
    (out / "USPballW.Lto").write_bytes(
        lto_bytes("US Powerball White Balls", 5, 49, dates, draws(rng, len(dates), 5, 49)))
    (out / "USPballR.Lto").write_bytes(
        lto_bytes("US Powerball Red Ball", 1, 42, dates, draws(rng, len(dates), 1, 42)))


if __name__ == "__main__":
    main()
