#!/usr/bin/python3
"""Read, write, read again: a DXF drawing replayed without steps and written with --dxf,
then the written drawing replayed and written again, gives the same state and the same
bytes. Done for the example site drawing and for what a session wrote into it (its
dimensions, blocks, solids and object data), so the forms the writer chooses read back.

    round_trip.py NIMBODOCK SOURCE_DIR WORK_DIR
"""
import json
import os
import subprocess
import sys

nimbodock, source, work = sys.argv[1:4]
os.makedirs(work, exist_ok=True)
failures = []


def replay(session, name, *extra):
    path = os.path.join(work, name + ".json")
    with open(path, "w") as f:
        json.dump(session, f)
    run = subprocess.run([nimbodock, "replay", path, *extra], capture_output=True, text=True)
    return run


def write_back(dxf, name):
    """Replays an empty session on the drawing: its state, and the drawing written back."""
    out = os.path.join(work, name)
    run = replay({"documents": [{"name": "Site.dwg", "dxf": os.path.abspath(dxf)}],
                  "activeDocument": "Site.dwg", "steps": []},
                 name, "--state", out + ".state.json", "--dxf", out)
    if run.returncode != 0:
        failures.append(f"{name}: exit {run.returncode}: {run.stderr}")
        return None, None
    with open(out + ".state.json") as f:
        state = json.load(f)
    return state, os.path.join(out, "Site.dxf")


def same_after_round_trip(dxf, name):
    first, written = write_back(dxf, name + "-1")
    if first is None:
        return
    second, rewritten = write_back(written, name + "-2")
    if second is None:
        return
    if first != second:
        for key in first:
            if first[key] != second.get(key):
                failures.append(f"{name}: the state's {key} differs after a round trip")
    with open(written, "rb") as a, open(rewritten, "rb") as b:
        if a.read() != b.read():
            failures.append(f"{name}: writing the drawing read back gives other bytes "
                            f"(diff {written} {rewritten})")


site = os.path.join(source, "examples", "site.dxf")
same_after_round_trip(site, "site")

# What the example session drew, read back.
session_out = os.path.join(work, "session")
run = subprocess.run([nimbodock, "replay", os.path.join(source, "examples", "site-dxf.json"),
                      "--state", session_out + ".state.json", "--dxf", session_out],
                     capture_output=True, text=True)
if run.returncode != 0:
    failures.append(f"site-dxf.json: exit {run.returncode}: {run.stderr}")
else:
    if "ELLIPSE" not in run.stderr:
        failures.append(f"site-dxf.json: no report of the kept entities: {run.stderr!r}")
    same_after_round_trip(os.path.join(session_out, "Site.dxf"), "after-session")

# Text that DXF writes in escapes: a line break, a caret, a character beyond U+FFFF.
texts = ["Zeile 1\nZeile 2", "a ^ b ^J c", "Baum \U0001F333 ü"]
for version, name in (("AC1015", "Alt.dwg"), ("AC1027", "Neu.dwg")):
    session = {"documents": [{"name": name, "modelSpace": [
        {"id": f"t{i}", "type": "text", "at": [0, i], "text": t, "height": 1}
        for i, t in enumerate(texts)]}], "steps": []}
    out = os.path.join(work, "texts-" + version)
    run = replay(session, "texts-" + version, "--dxf", out)
    dxf = os.path.join(out, name.replace(".dwg", ".dxf"))
    # The same drawing as a 2013 file holds it: in UTF-8, escapes still read.
    if version == "AC1027" and run.returncode == 0:
        with open(dxf, encoding="cp1252", errors="replace") as f:
            content = f.read().replace("AC1015", "AC1027")
        dxf = os.path.join(work, "texts-2013.dxf")
        with open(dxf, "w", encoding="utf-8") as f:
            f.write(content)
    state, _ = write_back(dxf, "texts-read-" + version)
    got = [e["text"] for e in state["documents"][0]["modelSpace"]] if state else None
    if got != texts:
        failures.append(f"texts in {version}: read back as {got!r}")

for failure in failures:
    print("FAIL", failure)
print(f"{len(failures)} failure(s)")
sys.exit(1 if failures else 0)
