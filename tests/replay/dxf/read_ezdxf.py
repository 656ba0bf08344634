#!/usr/bin/python3
"""Drawings written by an independent writer (ezdxf) read into the host: a replay without
steps over each, its state compared with what the script wrote. In AutoCAD 2000 (text in a
code page) and 2018 (UTF-8) form.

    read_ezdxf.py NIMBODOCK WORK_DIR
"""
import json
import math
import os
import subprocess
import sys

import ezdxf

nimbodock, work = sys.argv[1:3]
os.makedirs(work, exist_ok=True)
failures = []


def make(version, path):
    doc = ezdxf.new(version, setup=False)
    msp = doc.modelspace()
    doc.layers.add("Kerb", color=30, lineweight=50)
    doc.layers.add("Off", color=6).off()
    doc.layers.add("Frozen", color=8).freeze()
    doc.layers.add("Locked", color=1).lock()
    doc.layers.add("Trees", color=3).rgb = (40, 160, 60)  # true colour from 2004 on
    doc.header["$CLAYER"] = "Kerb"
    doc.header["$PDMODE"] = 34
    doc.header["$PDSIZE"] = 2.6
    line = msp.add_line((1, 2), (3.25, -4), dxfattribs={"layer": "Kerb", "color": 3})
    msp.add_lwpolyline([(0, 0), (10, 0), (10, 5)], close=True,
                       dxfattribs={"layer": "Locked", "lineweight": 30})
    msp.add_polyline2d([(0, 0), (5, 5), (9, 1)], dxfattribs={"layer": "Off"})
    msp.add_point((7, 8, 9), dxfattribs={"layer": "Trees"}).rgb = (1, 2, 3)
    msp.add_text("Straße № 5", dxfattribs={"height": 2.5, "insert": (4, 4)})
    msp.add_circle((1, 1), 2.5)
    msp.add_arc((2, 2), 3, 30, 120)
    mark = doc.blocks.new("Mark", base_point=(1, 1))
    mark.add_attdef("ELEV", (0, 0), text="0.00",
                    dxfattribs={"height": 1.5, "prompt": "Elevation?"})
    mark.add_line((0, 0), (1, 1))
    ref = msp.add_blockref("Mark", (50, 60), dxfattribs={"rotation": 90})
    ref.add_attrib("ELEV", "12.50", (50, 60))
    # What the host cannot hold is kept: an ellipse, a polyline with an arc, a turned text.
    msp.add_ellipse((0, 0), major_axis=(2, 0), ratio=0.5)
    msp.add_lwpolyline([(0, 0, 0, 0, 0.5), (5, 0, 0, 0, 0)], format="xyseb")
    msp.add_text("Turned", dxfattribs={"height": 1, "rotation": 30})
    doc.layouts.get("Layout1").add_text("Sheet", dxfattribs={"height": 3, "insert": (1, 1)})
    doc.saveas(path)
    return line.dxf.handle.upper()


def close(a, b):
    return all(math.isclose(x, y, abs_tol=1e-9) for x, y in zip(a, b)) and len(a) == len(b)


def check(version):
    name = "read-" + version
    drawing = os.path.join(work, name + ".dxf")
    line_handle = make(version, drawing)
    session = os.path.join(work, name + ".json")
    with open(session, "w") as f:
        json.dump({"documents": [{"name": "D.dwg", "dxf": os.path.basename(drawing)}],
                   "steps": []}, f)
    state_path = os.path.join(work, name + ".state.json")
    run = subprocess.run([nimbodock, "replay", session, "--state", state_path],
                         capture_output=True, text=True)
    if run.returncode != 0:
        failures.append(f"{version}: exit {run.returncode}: {run.stderr}")
        return
    if "kept 1 ELLIPSE, 1 LWPOLYLINE, 1 TEXT that" not in run.stderr:
        failures.append(f"{version}: no report of what was kept: {run.stderr!r}")
    with open(state_path) as f:
        doc = json.load(f)["documents"][0]

    def expect(what, got, want):
        if got != want:
            failures.append(f"{version}: {what}: got {got!r}, want {want!r}")

    layers = {l["name"]: l for l in doc["layers"]}
    expect("Kerb", (layers["Kerb"]["color"], layers["Kerb"]["lineweight"]), (30, 50))
    expect("Off", layers["Off"]["on"], False)
    expect("Frozen", layers["Frozen"]["frozen"], True)
    expect("Locked", layers["Locked"]["locked"], True)
    true_colour = version != "R2000"
    expect("Trees", layers["Trees"]["color"], {"rgb": [40, 160, 60]} if true_colour else 3)
    expect("current layer", doc["currentLayer"], "Kerb")
    expect("PDMODE, PDSIZE", (doc["variables"]["PDMODE"], doc["variables"]["PDSIZE"]), (34, 3))
    by_type = {}
    for entity in doc["modelSpace"]:
        by_type.setdefault(entity["type"], []).append(entity)
    expect("types", sorted(by_type), ["arc", "blockReference", "circle", "line", "point",
                                      "polyline", "text"])
    line = by_type["line"][0]
    expect("line id", line["id"], line_handle)
    if not (close(line["start"], [1, 2, 0]) and close(line["end"], [3.25, -4, 0])):
        failures.append(f"{version}: line {line}")
    expect("line colour", line["color"], 3)
    lw, p2d = by_type["polyline"]
    expect("lwpolyline", (lw["points"], lw["closed"], lw["layer"], lw["lineweight"]),
           ([[0, 0], [10, 0], [10, 5]], True, "Locked", 30))
    expect("polyline", (p2d["points"], p2d["closed"]), ([[0, 0], [5, 5], [9, 1]], False))
    expect("point", (by_type["point"][0]["at"], by_type["point"][0]["color"]),
           ([7, 8, 9], {"rgb": [1, 2, 3]} if true_colour else "ByLayer"))
    expect("text", (by_type["text"][0]["text"], by_type["text"][0]["height"]),
           ("Straße № 5", 2.5))
    arc = by_type["arc"][0]
    if not close([arc["startAngle"], arc["endAngle"]], [math.pi / 6, 2 * math.pi / 3]):
        failures.append(f"{version}: arc angles {arc}")
    ref = by_type["blockReference"][0]
    expect("reference", (ref["block"], ref["at"], ref["attributes"]),
           ("Mark", [50, 60, 0], [{"tag": "ELEV", "value": "12.50"}]))
    block = doc["blocks"][0]
    expect("block", (block["name"], block["origin"], [e["type"] for e in block["entities"]]),
           ("Mark", [1, 1, 0], ["line"]))
    attdef = block["attributes"][0]
    expect("attdef", (attdef["tag"], attdef["value"], attdef["prompt"], attdef["height"]),
           ("ELEV", "0.00", "Elevation?", 1.5))
    expect("paper space", [e.get("text") for e in doc["paperSpace"]], ["Sheet"])


for version in ("R2000", "R2018"):
    check(version)

# Damaged files: exit 2, and the message names the file and, but for the first, the line.
good = os.path.join(work, "read-R2000.dxf")
with open(good, encoding="cp1252") as f:
    lines = f.read().split("\n")
damaged = {
    "not-dxf": ("{\"this is\": \"JSON\"}\n", "not a DXF file"),
    "cut-short": ("\n".join(lines[: len(lines) // 2]) + "\n", "cut short"),
    "bad-number": ("\n".join(lines).replace("\n 10\n1.0\n", "\n 10\n1O.0\n", 1), "1O.0"),
}
for name, (text, words) in damaged.items():
    path = os.path.join(work, name + ".dxf")
    with open(path, "w", encoding="cp1252") as f:
        f.write(text)
    session = os.path.join(work, name + ".json")
    with open(session, "w") as f:
        json.dump({"documents": [{"name": "D.dwg", "dxf": name + ".dxf"}], "steps": []}, f)
    run = subprocess.run([nimbodock, "replay", session], capture_output=True, text=True)
    if run.returncode != 2 or path not in run.stderr or words not in run.stderr:
        failures.append(f"{name}: exit {run.returncode}, message {run.stderr!r}")
    if name != "not-dxf" and f"{path}:" not in run.stderr:
        failures.append(f"{name}: the message gives no line: {run.stderr!r}")

for failure in failures:
    print("FAIL", failure)
print(f"{len(failures)} failure(s)")
sys.exit(1 if failures else 0)
