#!/usr/bin/env python3
"""Runs kavrel-table as scripts and users do: today's default bytes, exit statuses and streams
for bad input, JSON read back against the CSV, and --help against the manual page.
Usage: check_table_tool.py KAVREL_TABLE MAN_PAGE"""
import csv
import decimal
import hashlib
import io
import json
import re
import subprocess
import sys

TABLE, MANUAL = sys.argv[1], sys.argv[2]
# sha256 of the output without arguments, the 191 catalogue sizes as CSV; it never changes.
DEFAULT_SHA256 = "5b2ac38b6c2937fede78188fed1e9e19c92157b194f9de8e42fbc4de55a35bba"
failures = []


def run(*args):
    return subprocess.run([TABLE, *args], capture_output=True, check=False)


def check(ok, what):
    if not ok:
        failures.append(what)


# sha256 of outputs of option combinations as they were before catalogues could be chosen.
UNCHANGED = {
    (): DEFAULT_SHA256,
    ("--columns", "all", "--format", "json"):
        "0b53c57f8459d24ef146e2f7ace6355619b862407403cb2d22e7e3346e354fa8",
    ("--columns", "all", "--pi", "exact", "--format", "text", "--family", "SHS", "--family", "CHS",
     "--sort", "-Zpy"): "35947d1551a5091362af4987d511a68cdebffae784ae0bc6ddda01a14a7cd4e5",
}
for args, digest in UNCHANGED.items():
    output = run(*args)
    check(output.returncode == 0 and hashlib.sha256(output.stdout).hexdigest() == digest,
          f"the output of {args} changed")

# Each kind of bad input: status 2, nothing on stdout, one line on stderr naming the argument.
for args, named in [
    (["50x25x2.1"], "50x25x2.1"),                 # not in the catalogue
    (["RHS:100x50"], "RHS:100x50"),               # malformed
    (["RHS:100x5,0x3"], "5,0"),                   # a number that does not read
    (["SHS:100x100x-5"], "SHS:100x100x-5"),       # not positive
    (["CHS:" + "9" * 400 + "x1"], "too large"),   # not finite
    (["SHS:100x90x5"], "SHS:100x90x5"),           # not square
    (["RHS:100x50x13"], "RHS:100x50x13"),         # no room for the corners
    (["CHS:50x25"], "CHS:50x25"),                 # 2t >= D
    (["CHS:1x.001"], "CHS:1x.001"),               # its formulas fail: the area shows .00
    (["100x100x5.0", "RHS:1x1x1"], "RHS:1x1x1"),  # a good size first prints nothing either
    (["--where", "Zxz>=5"], "Zxz"),
    (["--where", "Zxx=>5"], "=>"),
    (["--where", "Zxx>=5x"], "5x"),
    (["--sort", "designation"], "designation"),
    (["--columns", "A,Q"], "Q"),
    (["--limit", "-1"], "-1"),
    (["--family", "rhs"], "rhs"),
    (["--format", "xml"], "xml"),
    (["--pi", "3.14"], "3.14"),
    (["--colour"], "--colour"),
    (["--sort"], "--sort"),
    (["RHS:100x50x3\n"], '"RHS:100x50x3\\n"'),    # a control byte is escaped, never written
    (["--catalogue", "EN"], "EN"),
    (["--significant", "16"], "16"),
    (["--significant", "3x"], "3x"),
    (["--catalogue", "EN10210", "--pi", "22/7"], "22/7"),
    (["--catalogue", "EN10210", "--catalogue", "EN10219", "100x50x4.0"], "both"),
    (["--catalogue", "EN10210", "100x50x2.0"], "100x50x2.0"),  # not a size of that catalogue
    (["--catalogue", "IS", "--catalogue", "EN10219", "RHS:100x50x4"], "one catalogue"),
    (["--catalogue", "EN10210", "RHS:100x35x12"], "corners"),  # 2ro = 36 > 35
    (["--catalogue", "EN10219", "SHS:60x60x12.5"], "corners"),  # 2ro = 75 > 60
    (["--catalogue", "EN10219", "CHS:20x10"], "CHS:20x10"),
    (["--format", "html"], "html"),                # only sheets are HTML
    (["--explain", "--format", "csv"], "csv"),
    (["--explain", "--sort", "W"], "--sort"),
    (["--explain", "50x25x2.1"], "50x25x2.1"),
    (["--grade", "S355"], "IS sizes"),                            # IS takes its own grades
    (["--catalogue", "EN10210", "--grade", "YSt310"], "EN10210 sizes"),
    (["--catalogue", "EN10219", "--grade", "S355", "--forming", "hot"], "--forming"),
    (["--catalogue", "EN10219", "--grade", "S355", "--flat-width", "2t"], "2t"),
    (["--fy", "250", "--forming", "warm"], "warm"),
    (["--fy", "250", "--gamma-m1", "1.3"], "gamma_m0"),
    (["--catalogue", "EN10210", "--grade", "S450"], "S450"),
    (["--catalogue", "EN10210", "--fy", "300"], "--grade"),
    (["--catalogue", "EN10210", "--length", "3"], "--grade"),
    (["--catalogue", "EN10210", "--columns", "A,NcRd"], "--grade"),
    (["--catalogue", "EN10210", "--where", "NbRd>=5", "--grade", "S355"], "--length"),
    (["--catalogue", "EN10210", "--grade", "S355", "--fy", "99"], "99"),
    (["--catalogue", "EN10210", "--grade", "S355", "--gamma-m0", "2.5"], "2.5"),
    (["--catalogue", "EN10210", "--grade", "S355", "--gamma-m1", "nan"], "nan"),
    (["--catalogue", "EN10210", "--grade", "S355", "--flat-width", "4t"], "4t"),
    (["--catalogue", "EN10210", "--grade", "S355", "--length", "0"], "0"),
    (["--catalogue", "EN10219", "--grade", "S355", "SHS:400x400x45"], "10219-1"),
    (["--catalogue", "EN10219", "--grade", "S355", "--explain", "SHS:400x400x45"], "10219-1"),
    (["--units", "imperial"], "imperial"),
    (["--units"], "--units"),
    (["--catalogue", "EN10210", "HSS8X4X1/4"], "HSS8X4X1/4"),       # an AISC size, EN only
    (["--catalogue", "AISC", "HSS8X4X.3"], "HSS8X4X.3"),            # too few digits for 1/4
    (["--catalogue", "AISC", "--grade", "S355"], "AISC"),
    (["--catalogue", "AISC", "--pi", "22/7"], "22/7"),
    (["--catalogue", "EN10210", "--units", "us", "--grade", "S355"], "metric"),
    (["--catalogue", "AISC", "RHS:8x4x0.0001"], "design wall"),
    (["--catalogue", "AISC", "--explain", "--units", "si", "HSS8X4X1/4"], "si"),
]:
    result = run(*args)
    lines = result.stderr.decode().splitlines()
    check(result.returncode == 2 and result.stdout == b"" and len(lines) == 1 and named in lines[0],
          f"{args}: status {result.returncode}, stdout {result.stdout[:40]!r}, stderr {lines}")

# JSON read back exactly: every number is the Decimal of the CSV text, every string the text.
for selection in ([], ["--family", "CHS", "--sort", "-Zpx"], ["RHS:100x50.5x.5", "CHS:48.3x4"],
                  ["--catalogue", "EN10219", "--catalogue", "IS", "--significant", "4"],
                  ["--catalogue", "EN10210", "--grade", "S460", "--length", "2", "--length", "9.5"],
                  ["--grade", "YSt310", "--forming", "hot", "--length", "3", "SHS:400x400x4",
                   "100x100x4.0", "CHS:300x1"]):
    rows = list(csv.DictReader(io.StringIO(run("--columns", "all", *selection).stdout.decode())))
    objects = json.loads(run("--columns", "all", "--format", "json", *selection).stdout,
                         parse_float=decimal.Decimal, parse_int=decimal.Decimal)
    check(len(rows) == len(objects) > 0, f"{selection}: {len(rows)} CSV rows, {len(objects)} objects")
    for row, item in zip(rows, objects):
        check(list(row) == list(item), f"{selection}: keys {list(item)}")
        for key, text in row.items():
            if text == "":  # a design figure the rules do not give
                check(item[key] is None, f"{key}: {item[key]} for an empty cell")
                continue
            words = ("plastic", "compact", "semi-compact", "slender")  # IS 800's classes
            want = (text if key in ("catalogue", "family", "designation") or text in words
                    else decimal.Decimal(text))
            check(type(item[key]) is type(want) and item[key] == want, f"{key}: {item[key]} {text}")

# Sheets: JSON with the documented keys, HTML with nothing to run or fetch, and a size whose
# formulas fail gets its sheet up to the failing step and the table's status.
sheets = json.loads(run("--explain", "--format", "json", "50x25x2.0", "CHS:48.3x4").stdout)
check([list(s) for s in sheets] == [["catalogue", "family", "designation", "project",
                                     "calculatedBy", "checkedBy", "date", "dimensions", "pi",
                                     "steps"]] * 2, "sheet keys")
check(all({"name", "meaning", "formula", "substituted", "value", "unit"} <= set(step)
          for sheet in sheets for step in sheet["steps"]), "step keys")
page = run("--explain", "--format", "html", "50x25x2.0", "CHS:48.3x4").stdout.decode()
check(page.count("<section") == 2 and not re.search(r"<script|src=|href=|@import", page), "html")
failing = run("--explain", "CHS:1x.001")
check(failing.returncode == 2 and b"failed: division by zero" in failing.stdout
      and failing.stderr.decode().count("\n") == 1, f"failing sheet: {failing}")

usage = run("--help")
version = run("--version")
check(usage.returncode == 0 and usage.stderr == b"", "--help failed")
check(version.returncode == 0 and re.fullmatch(rb"kavrel-table \d+\.\d+\.\d+\n", version.stdout),
      f"--version wrote {version.stdout!r}")

# The manual page documents the options and examples --help shows, and no other options.
help_text = usage.stdout.decode()
with open(MANUAL, encoding="utf-8") as page:
    manual = page.read().replace("\\-", "-").replace("\\(aq", "'")
# Each option with the name of its value: "--where 'C OP N'" in both.
help_options = {(name, value.strip()) for name, value in
                re.findall(r"^  (--[a-z]+)((?: \S+)*?)(?:  |$)", help_text, re.M)}
manual_options = set(re.findall(r'^\.BI? (--[a-z]+)(?: "\s*(.*)")?$', manual, re.M))
check(help_options == manual_options, f"--help {sorted(help_options)}, manual {sorted(manual_options)}")
for example in re.findall(r"^  (kavrel-table .*)$", help_text, re.M):
    check(example in manual, f"the manual lacks the example {example}")

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
