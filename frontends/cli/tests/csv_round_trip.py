#!/usr/bin/env python3
"""korva-count --csv read back by Python's csv module, as a spreadsheet reads it: every record's
fields come back as the lines and names went in, whatever quotes, commas, semicolons, tabs or
umlauts they hold. Usage: csv_round_trip.py KORVA_COUNT SCRATCH_DIR"""
import csv
import io
import os
import subprocess
import sys

# (line of the report, counter, what it adds: (item, amount) for each record), in file order.
ROWS = [
    ("Eisen 1500", "pluen", [("Eisen", 1500)]),
    ('Eisenmine (2), "Bohrturm"; x\tnoch', "sabo", [("Eisenmine", 2), ("Bohrturm", 2)]),
    ('Wasser\t"30"', "pluen", [("Wasser", 0)]),
    ("Silizium 7;8", "pluen", [("Silizium", 0)]),
    ("Wohngebäude (3) mit Ümlaut, «Zitat»", "sabo", [("Wohngebäude", 3)]),
    ("  Sauerstoff 12", "pluen", [("Sauerstoff", 0)]),
    ('"', "sabo", []),
    ("Raumhafen \"(-4)\" ,,", "sabo", [("Raumhafen", -4)]),
]
HEADER = ["Datei", "Zeile", "Zähler", "Posten", "Menge", "Zeilentext"]


def main():
    program, scratch = sys.argv[1], sys.argv[2]
    os.makedirs(scratch, exist_ok=True)
    name = os.path.join(scratch, 'a,b "c"; d.txt')
    with open(name, "w", encoding="utf-8", newline="") as f:
        f.write("\r\n".join(line for line, _, _ in ROWS) + "\r\n")
    failures = 0
    for counter in ("sabo", "pluen"):
        out = subprocess.run([program, counter, "--csv", name], check=True, capture_output=True).stdout
        # RFC 4180: every record ends in CR LF, the last one too.
        if not out.endswith(b"\r\n") or b"\n" in out.replace(b"\r\n", b""):
            print(f"{counter}: records do not all end in CR LF: {out!r}")
            failures += 1
        records = list(csv.reader(io.StringIO(out.decode("utf-8"), newline="")))
        expected = [HEADER] + [
            [name, str(number), counter, item, str(amount), line]
            for number, (line, row_counter, added) in enumerate(ROWS, start=1)
            if row_counter == counter
            for item, amount in added
        ]
        if records != expected:
            print(f"{counter}: read back\n  {records}\nnot\n  {expected}")
            failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
