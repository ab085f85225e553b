#!/usr/bin/env python3
"""korvel-batch --format json on the reference cases: every line parses as JSON, each case's
utilisations agree with the results table's cells, the detail names are unique, the highest is
written as its utilisation is, --detail N --format json gives the streamed object with its
provenance for every case, the JSON and the listing are the same bytes for any number of threads,
and a Windows-1252 name is read as the project reader reads it.

Usage: results_json_test.py KORVEL_BATCH TEST_DATA_DIR"""
import json
import os
import subprocess
import sys
import tempfile

batch, data = sys.argv[1], sys.argv[2]
cases = os.path.join(data, "reference", "cases.kori")
tables = os.path.join(data, "reference", "tables")
failures = []


def no_duplicates(pairs):
    keys = [k for k, _ in pairs]
    if len(keys) != len(set(keys)):
        failures.append("duplicate names: %s" % sorted(k for k in keys if keys.count(k) > 1))
    return dict(pairs)


with tempfile.TemporaryDirectory() as folder:
    table_path = os.path.join(folder, "r.koro")
    json_path = os.path.join(folder, "r.jsonl")
    env = dict(os.environ, SOURCE_DATE_EPOCH="1798761600")
    subprocess.run([batch, cases, "--data", tables, "-o", table_path], check=True, capture_output=True)
    subprocess.run([batch, "--format", "json", cases, "--data", tables, "-j", "2", "-o", json_path], check=True,
                   capture_output=True, env=env)
    with open(table_path, encoding="utf-8", newline="") as f:
        rows = [line.rstrip("\r\n").split("\t") for line in f]
    with open(json_path, encoding="utf-8") as f:
        objects = [json.loads(line, object_pairs_hook=no_duplicates) for line in f]

header = rows[0]
provenance = objects[0]
if provenance["kind"] != "provenance" or provenance["dateTime"] != "2027-01-01T00:00:00Z":
    failures.append("first line is not the provenance of SOURCE_DATE_EPOCH: %r" % provenance)
if [t["file"] for t in provenance["tables"]] != ["bfprof.dat", "lprof.dat", "tprof.dat", "fprof.dat", "KORmat.dat"]:
    failures.append("tables: %r" % provenance["tables"])
entries = objects[1:]
if len(entries) != len(rows) - 1:
    failures.append("%d JSON entries for %d table rows" % (len(entries), len(rows) - 1))

markers = {"notComputed": -2.0, "notApplicable": -99.0}
for obj, row in zip(entries, rows[1:]):
    if obj["kind"] == "comment":
        if obj["text"] != row[0]:
            failures.append("comment %r against %r" % (obj["text"], row[0]))
        continue
    where = "case %d (%s)" % (obj["case"], obj["identification"])
    if obj["identification"] != row[1]:
        failures.append("%s: table row names %r" % (where, row[1]))
    for u in obj["utilisations"]:
        text = row[header.index(u["heading"])]
        cell = markers["notApplicable"] if text == "N/A" else float(text)
        if u["state"] == "computed":
            # The table rounds to two decimals (UFy to one or two).
            if u["value"] is None or abs(u["value"] - cell) > 0.005 + 1e-9:
                failures.append("%s: %s = %r, table %r" % (where, u["check"], u["value"], cell))
            if u["result"] != ("NOK" if u["value"] > 1 else "OK"):
                failures.append("%s: %s result %r" % (where, u["check"], u["result"]))
        elif cell != markers[u["state"]] or u["value"] is not None or u["result"] is not None:
            failures.append("%s: %s %s, table %r" % (where, u["check"], u["state"], cell))
        if obj["detail"][u["check"]] != (u["value"] if u["state"] == "computed" else markers[u["state"]]):
            failures.append("%s: detail %s differs" % (where, u["check"]))
    stopped = obj["detail"]["calculation"] != "complete"
    if stopped != (obj["stopped"] is not None):
        failures.append("%s: stopped %r against calculation %r" % (where, obj["stopped"], obj["detail"]["calculation"]))

    # One printing rule for a value: the highest is the same number as its utilisation.
    if obj["highest"] is not None:
        same = [u["value"] for u in obj["utilisations"] if u["check"] == obj["highest"]["check"]]
        if same != [obj["highest"]["value"]]:
            failures.append("%s: highest %r, utilisation %r" % (where, obj["highest"]["value"], same))

# --detail N --format json is the streamed object of case N, with the provenance: every case,
# whatever case ran before it in the stream.
for obj in entries:
    if obj["kind"] != "case":
        continue
    n = obj["case"]
    single = subprocess.run([batch, "--detail", str(n), "--format", "json", cases, "--data", tables], check=True,
                            capture_output=True, text=True, env=env).stdout
    alone = json.loads(single)
    if alone.pop("provenance") != provenance:
        failures.append("--detail %d --format json: provenance differs" % n)
    if alone != obj:
        differs = sorted(k for k in alone["detail"] if alone["detail"][k] != obj["detail"].get(k))
        failures.append("--detail %d --format json differs from the streamed case %d: %s" % (n, n, differs[:8]))

# The same bytes on any number of threads: JSON and the listing.
def output(*args):
    return subprocess.run([batch, *args, cases, "--data", tables, "-o", "-"], check=True, capture_output=True,
                          env=env).stdout


for form in (["--format", "json"], ["--listing"]):
    one = output(*form, "-j", "1")
    for threads in ("2", "3"):
        if output(*form, "-j", threads) != one:
            failures.append("%s differs between -j 1 and -j %s" % (" ".join(form), threads))

# A name in Windows-1252 (an older Windows file) is read as the project reader reads it.
with open(cases, "rb") as f:
    first_case = next(line for line in f if line.strip() and not line.lstrip().startswith(b"%"))
fields = first_case.rstrip(b"\r\n").split(b"\t")
fields[0], fields[1] = b"Br\xf8nn", b"\x80 5"
with tempfile.TemporaryDirectory() as folder:
    legacy = os.path.join(folder, "legacy.kori")
    with open(legacy, "wb") as f:
        f.write(b"\t".join(fields) + b"\r\nEnd\r\n")
    text = subprocess.run([batch, "--format", "json", "--no-header", legacy, "--data", tables, "-o", "-"], check=True,
                          capture_output=True).stdout.decode("utf-8")
    obj = json.loads(text)
    if (obj["project"], obj["identification"]) != ("Br\u00f8nn", "\u20ac 5"):
        failures.append("Windows-1252 names read as %r %r" % (obj["project"], obj["identification"]))

for f in failures[:30]:
    print(f)
print("%d JSON objects, %d failures" % (len(objects), len(failures)))
sys.exit(1 if failures else 0)
