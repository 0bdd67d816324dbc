#!/usr/bin/env python3
"""Reads the recordings tests/graph/CsvSamples.cpp wrote as their users do.

  check_csv.py python DIR   Python's csv module reads both conventions
  check_csv.py calc DIR     LibreOffice Calc opens the French files as numbers

Every value must come back as the very single-precision number recorded
(the NAME.ref files hold their bits)."""

import csv
import glob
import os
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET


def bits(value):
    return struct.unpack("<I", struct.pack("<f", value))[0]


def reference(path):
    with open(path) as f:
        return [[int(b, 16) for b in line.split()] for line in f]


def compare(name, header, rows, ref):
    failures = []
    if not header or header[0] != "t (s)" or not all(h.endswith(("(V)", "(A)", "(J)")) for h in header[1:]):
        failures.append(f"{name}: header {header}")
    if len(rows) != len(ref):
        return failures + [f"{name}: {len(rows)} rows, {len(ref)} samples"]
    for n, (row, expected) in enumerate(zip(rows, ref)):
        if [bits(v) for v in row] != expected:
            failures.append(f"{name}: row {n + 1} reads {row}")
            break
    return failures


def check_python(directory):
    failures = []
    for ref_path in sorted(glob.glob(os.path.join(directory, "*.ref"))):
        base = ref_path[:-4]
        ref = reference(ref_path)
        for suffix, delimiter, decimal in ((".fr.csv", ";", ","), (".intl.csv", ",", ".")):
            with open(base + suffix, newline="", encoding="ascii") as f:
                table = list(csv.reader(f, delimiter=delimiter))
            rows = [[float(cell.replace(decimal, ".")) for cell in row] for row in table[1:]]
            failures += compare(os.path.basename(base + suffix), table[0], rows, ref)
    return failures


NS = {
    "table": "urn:oasis:names:tc:opendocument:xmlns:table:1.0",
    "office": "urn:oasis:names:tc:opendocument:xmlns:office:1.0",
    "text": "urn:oasis:names:tc:opendocument:xmlns:text:1.0",
}


def q(prefix, name):
    return "{%s}%s" % (NS[prefix], name)


def calc_rows(path):
    """The first sheet's rows: header texts, then the numbers; a cell that is
    not a number makes the row a list of None."""
    sheet = ET.parse(path).getroot().find(".//table:table", NS)
    rows = []
    for row in sheet.iter(q("table", "table-row")):
        cells = []
        for cell in row.findall("table:table-cell", NS):
            repeat = int(cell.get(q("table", "number-columns-repeated"), "1"))
            if cell.get(q("office", "value-type")) == "float":
                value = float(cell.get(q("office", "value")))
            elif cell.find("text:p", NS) is not None:
                value = "".join(cell.find("text:p", NS).itertext())
            else:
                continue  # the empty cells after the last column
            cells += [value] * repeat
        if cells:
            rows += [cells] * int(row.get(q("table", "number-rows-repeated"), "1"))
    return rows


def check_calc(directory):
    files = sorted(glob.glob(os.path.join(directory, "*.fr.csv")))
    with tempfile.TemporaryDirectory() as out:
        profile = "file://" + os.path.join(out, "profile")
        # ";" (59), '"' (34), UTF-8 (76), from line 1, standard cells,
        # French (1036): what a double click opens under French settings.
        subprocess.run(["soffice", "-env:UserInstallation=" + profile, "--headless",
                        "--infilter=CSV:59,34,76,1,,1036", "--convert-to", "fods",
                        "--outdir", out] + files, check=True, capture_output=True, timeout=300)
        failures = []
        for path in files:
            name = os.path.basename(path)
            converted = os.path.join(out, name[:-4] + ".fods")
            if not os.path.exists(converted):
                failures.append(f"{name}: not converted")
                continue
            rows = calc_rows(converted)
            numbers = [r for r in rows[1:] if all(isinstance(v, float) for v in r)]
            if len(numbers) != len(rows) - 1:
                failures.append(f"{name}: some cells are not numbers")
            failures += compare(name, rows[0], numbers, reference(path[:-7] + ".ref"))
    return failures


def main():
    mode, directory = sys.argv[1], sys.argv[2]
    failures = check_python(directory) if mode == "python" else check_calc(directory)
    for failure in failures:
        print(failure, file=sys.stderr)
    checked = len(glob.glob(os.path.join(directory, "*.ref")))
    if checked == 0:
        print("no recording to check", file=sys.stderr)
        return 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
