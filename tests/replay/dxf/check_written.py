#!/usr/bin/python3
"""What --dxf writes, read by ezdxf: each example is replayed with --state and --dxf, and
every written drawing must audit without error and hold what the state lists: each layer
(name, colour, on, frozen, locked, line weight), each entity (kind, layer, geometry within
1e-9, the handle of an entity read from a file), each block with its attribute
definitions, each reference's attributes, each object-data table and record (our extended
data), and $PDMODE and $PDSIZE.

    check_written.py NIMBODOCK SOURCE_DIR WORK_DIR
"""
import json
import math
import os
import subprocess
import sys

import ezdxf

nimbodock, source, work = sys.argv[1:4]
os.makedirs(work, exist_ok=True)
EXAMPLES = ["site-dxf", "measure-height"]
# A drawing no file gave, with every kind of entity the session can list, texts and names
# beyond ASCII (escaped in an AutoCAD 2000 file), a line break, and colours of every form.
EVERY_KIND = {
    "documents": [{
        "name": "Gärten.dwg", "currentLayer": "Bäume",
        "layers": [{"name": "Bäume", "color": {"rgb": [40, 160, 60]}, "lineweight": 35},
                   {"name": "Alt", "color": 8, "on": False, "frozen": True, "locked": True}],
        "modelSpace": [
            {"id": "p", "type": "polyline", "layer": "Bäume", "color": {"rgb": [1, 2, 3]},
             "lineweight": 50, "points": [[0.1, 0.2], [10, 0], [10, 1e-7]], "closed": True},
            {"id": "l", "type": "line", "layer": "Alt", "color": "ByBlock", "start": [1, 2, 3], "end": [4, 5, 6]},
            {"id": "c", "type": "circle", "color": 3, "center": [5, 5], "radius": 2.5},
            {"id": "a", "type": "arc", "center": [5, 5], "radius": 3, "startAngle": 0.5, "endAngle": 4},
            {"id": "t", "type": "text", "at": [1, 1], "text": "Straße 12\nzweite Zeile", "height": 2},
            {"id": "pt", "type": "point", "at": [7, 8]},
            {"id": "r", "type": "region", "points": [[0, 0], [4, 0], [4, 3]]}],
        "paperSpace": [{"id": "s", "type": "text", "at": [20, 20], "text": "Blatt", "height": 5}],
        "blocks": [{"name": "Höhe", "origin": [1, 1, 0],
                    "attributes": [{"tag": "H", "value": "8", "height": 2, "prompt": "Wie hoch?",
                                    "mode": 1, "at": [1, 2, 0]}]}],
    }],
    "steps": [],
}
APP = "VESKNIMBODOCK17"
failures = []
outlines = {}  # a region's points by id: a solid is written on its profile's outline


def near(a, b):
    return all(abs(x - y) <= 1e-9 for x, y in zip(a, b)) and len(a) == len(b)


def xyz(v):
    return [v[0], v[1], v[2] if len(v) > 2 else 0.0]


def caret_decoded(text):
    """ezdxf leaves DXF's caret form of control characters (^J) as it is."""
    return "".join(chr(ord(text[i + 1]) - 64) if c == "^" and i + 1 < len(text) and "@" <= text[i + 1] <= "_"
                   else "" if i > 0 and text[i - 1] == "^" and "@" <= c <= "_" else c
                   for i, c in enumerate(text))


def same_angle(a, b):
    return abs(math.remainder(a - b, 2 * math.pi)) <= 1e-9


def ours(entity):
    """Our extended data: (what it stands for, [(table, {field: value})])."""
    if not entity.has_xdata(APP):
        return [], []
    tags = [(t.code, t.value) for t in entity.get_xdata(APP)]
    head, records, i = [], [], 0
    while i < len(tags) and tags[i][0] != 1002:
        head.append(tags[i][1])
        i += 1
    while i < len(tags):
        table, values = tags[i + 1][1], {}
        i += 2
        while tags[i] != (1002, "}"):
            field, kind = tags[i][1], tags[i + 1][1]
            if kind == 0:
                values[field], i = None, i + 2
            else:
                value = tags[i + 2][1]
                values[field] = (value == -1) if kind == 11 else value
                i += 3
        records.append((table, values))
        i += 1
    return head, records


def color_of(e):
    if e.dxf.hasattr("true_color"):
        return {"rgb": list(ezdxf.colors.int2rgb(e.dxf.true_color))}
    c = e.dxf.get("color", 256)
    return "ByLayer" if c == 256 else "ByBlock" if c == 0 else c


def polyline_points(e):
    if e.dxftype() == "POLYLINE":  # a 2D polyline read from the file, kept as it was
        return [[v.dxf.location.x, v.dxf.location.y] for v in e.vertices]
    return [[x, y] for x, y, *_ in e.get_points("xy")]


def matches(want, e, doc):
    kind, d = want["type"], e.dxf
    if d.layer.upper() != want["layer"].upper() or color_of(e) != want["color"]:
        return False
    if d.get("lineweight", -1) != want["lineweight"]:
        return False
    t = e.dxftype()
    head = ours(e)[0]
    if kind in ("polyline", "region", "solid"):
        want = dict(want, points=want.get("points", outlines.get(want.get("profile"), [])))
        if t not in ("LWPOLYLINE", "POLYLINE") or not all(near(p, q) for p, q in zip(polyline_points(e), want["points"])):
            return False
        if len(polyline_points(e)) != len(want["points"]):
            return False
        if kind == "polyline":
            return (e.closed if t == "LWPOLYLINE" else e.is_closed) == want["closed"] and head == []
        if kind == "region":
            return e.closed and head == ["region"]
        return (e.closed and abs(d.get("thickness", 0) - want["height"]) <= 1e-9 and
                head[:2] == ["solid", want["profile"]] and near(head[2:], [want["height"], want["taperAngle"]]))
    if kind == "line":
        return t == "LINE" and near(xyz(d.start), want["start"]) and near(xyz(d.end), want["end"])
    if kind == "point":
        return t == "POINT" and near(xyz(d.location), want["at"])
    if kind in ("circle", "arc"):
        if t != kind.upper() or not near(xyz(d.center), want["center"]) or abs(d.radius - want["radius"]) > 1e-9:
            return False
        return kind == "circle" or (same_angle(math.radians(d.start_angle), want["startAngle"]) and
                                    same_angle(math.radians(d.end_angle), want["endAngle"]))
    if kind == "text":
        return (t == "TEXT" and near(xyz(d.insert), want["at"]) and caret_decoded(d.text) == want["text"] and
                abs(d.height - want["height"]) <= 1e-9)
    if kind in ("alignedDimension", "angularDimension"):
        if t != "DIMENSION" or d.dimtype & 7 != (1 if kind == "alignedDimension" else 5):
            return False
        style = e.override()
        ok = (near(xyz(d.defpoint2), want["first"]) and near(xyz(d.defpoint3), want["second"]) and
              near(xyz(d.text_midpoint), want["textPosition"]) and d.text == want["textOverride"] and
              abs(style.get("dimtxt") - want["textHeight"]) <= 1e-9 and
              abs(style.get("dimasz") - want["arrowheadSize"]) <= 1e-9 and
              d.geometry in doc.blocks)
        return ok and (kind == "alignedDimension" or near(xyz(d.defpoint4), want["vertex"]))
    if kind == "blockReference":
        if t != "INSERT":
            return False
        attributes = [{"tag": a.dxf.tag, "value": a.dxf.text} for a in e.attribs]
        return (d.name == want["block"] and near(xyz(d.insert), want["at"]) and
                near([d.xscale, d.yscale, d.zscale], want["scale"]) and
                same_angle(math.radians(d.rotation), want["rotation"]) and attributes == want["attributes"])
    failures.append(f"no check for the state's type {kind}")
    return False


def check_space(name, wanted, layout, doc, read_handles):
    left = list(layout)
    for want in wanted:
        found = [e for e in left if matches(want, e, doc)]
        if want["id"] in read_handles:
            found = [e for e in found if e.dxf.handle == want["id"]]
        if not found:
            failures.append(f"{name}: entity {want['id']} ({want['type']}) is not in the drawing")
            continue
        left.remove(found[0])
        want["_handle"] = found[0].dxf.handle


def check_layers(name, state, doc):
    for want in state["layers"]:
        if want["name"] not in doc.layers:
            failures.append(f"{name}: layer {want['name']} is missing")
            continue
        layer = doc.layers.get(want["name"])
        color = {"rgb": list(layer.rgb)} if layer.rgb else layer.color
        got = [color, layer.is_on(), layer.is_frozen(), layer.is_locked(), layer.dxf.lineweight]
        expected = [want["color"], want["on"], want["frozen"], want["locked"], want["lineweight"]]
        if got != expected:
            failures.append(f"{name}: layer {want['name']} is {got}, the state says {expected}")
    # ezdxf adds the layer Defpoints when it loads a drawing without it.
    names = {layer.dxf.name for layer in doc.layers} - {"Defpoints"}
    if len(names) != len({layer["name"] for layer in state["layers"]} - {"Defpoints"}):
        failures.append(f"{name}: layers {sorted(names)}, the state lists {len(state['layers'])}")


def check_blocks(name, state, doc):
    for want in state["blocks"]:
        if want["name"] not in doc.blocks:
            failures.append(f"{name}: block {want['name']} is missing")
            continue
        block = doc.blocks.get(want["name"])
        got = [{"tag": a.dxf.tag, "value": a.dxf.text, "height": a.dxf.height, "prompt": a.dxf.prompt,
                "mode": a.dxf.flags, "at": xyz(a.dxf.insert)} for a in block.query("ATTDEF")]
        if got != want["attributes"] or not near(xyz(block.block.dxf.base_point), want["origin"]):
            failures.append(f"{name}: block {want['name']} holds {got}, the state says {want['attributes']}")


def check_object_data(name, state, doc, everything):
    root = doc.rootdict
    tables = doc.entitydb.get(root["VESKNIMBODOCK17_TABLES"].dxf.handle) if "VESKNIMBODOCK17_TABLES" in root else None
    got_tables = []
    if tables is not None:
        for table, xrecord in tables.items():
            got_tables.append({"table": table, "fields": [v for c, v in xrecord.tags if c == 1]})
    if got_tables != state["objectData"]:
        failures.append(f"{name}: object-data tables {got_tables}, the state says {state['objectData']}")
    by_id = {e["id"]: e.get("_handle") for e in everything}
    for want in state["objectDataRecords"]:
        entity = doc.entitydb.get(by_id.get(want["object"]) or "")
        records = ours(entity)[1] if entity is not None else []
        if (want["table"], want["values"]) not in records:
            failures.append(f"{name}: the record of {want['table']} on {want['object']} is not on it: {records}")


with open(os.path.join(work, "every-kind.json"), "w") as f:
    json.dump(EVERY_KIND, f, ensure_ascii=False)
for example in EXAMPLES + ["every-kind"]:
    out = os.path.join(work, example)
    session = os.path.join(source, "examples", example + ".json")
    if example == "every-kind":
        session = os.path.join(work, "every-kind.json")
    run = subprocess.run([nimbodock, "replay", session, "--state", out + ".state.json", "--dxf", out],
                         capture_output=True, text=True)
    if run.returncode != 0:
        failures.append(f"{example}: exit {run.returncode}: {run.stderr}")
        continue
    with open(out + ".state.json") as f:
        state = json.load(f)
    with open(session) as f:
        read_from_file = any("dxf" in d for d in json.load(f).get("documents", []))
    for document in state["documents"]:
        if document.get("open") is False:
            continue
        name = f"{example}/{os.path.splitext(document['name'])[0]}.dxf"
        doc = ezdxf.readfile(os.path.join(out, os.path.basename(name)))
        auditor = doc.audit()
        for error in auditor.errors:
            failures.append(f"{name}: ezdxf audit: {error.message}")
        session_ids = set()
        if read_from_file:  # ids that are not the session's nor the control's are handles
            with open(session) as f:
                for d in json.load(f)["documents"]:
                    session_ids |= {e["id"] for e in d.get("modelSpace", []) + d.get("paperSpace", [])}
        everything = document["modelSpace"] + document["paperSpace"]
        outlines.update({e["id"]: e["points"] for e in everything if e["type"] == "region"})
        read_handles = {e["id"] for e in everything if read_from_file and
                        e["id"] not in session_ids and not e["id"].startswith("#")}
        check_layers(name, document, doc)
        check_space(name, document["modelSpace"], doc.modelspace(), doc, read_handles)
        check_space(name, document["paperSpace"], doc.layout("Layout1"), doc, read_handles)
        check_blocks(name, document, doc)
        check_object_data(name, document, doc, everything)
        header = [doc.header.get("$PDMODE"), doc.header.get("$PDSIZE"), doc.header.get("$CLAYER")]
        expected = [document["variables"]["PDMODE"], document["variables"]["PDSIZE"], document["currentLayer"]]
        if header != expected:
            failures.append(f"{name}: $PDMODE, $PDSIZE, $CLAYER are {header}, the state says {expected}")

# A document name that would put the file outside DIR is refused, and nothing is written.
for bad in ["../outside.dwg", "sub/inner.dwg", "..", "A.dwg|B"]:
    session = os.path.join(work, "bad-name.json")
    with open(session, "w") as f:
        json.dump({"documents": [{"name": bad}], "steps": []}, f)
    out = os.path.join(work, "bad-name")
    run = subprocess.run([nimbodock, "replay", session, "--dxf", out, "--state", out + ".state.json"],
                         capture_output=True, text=True)
    if run.returncode != 1 or bad not in run.stderr or os.path.exists(out + ".state.json") or os.path.exists(out):
        failures.append(f"document {bad!r}: exit {run.returncode}, {run.stderr!r}")

for failure in failures:
    print("FAIL", failure)
print(f"{len(failures)} failure(s)")
sys.exit(1 if failures else 0)
