#!/usr/bin/python3
"""Writes examples/site.dxf, the drawing examples/site-dxf.json starts from, with ezdxf
(Debian's python3-ezdxf): a small site with roads, parcels, trees and a survey layer, an
elevation block with one reference, and a few entities the in-memory host does not model
(an ellipse, a spline, a paragraph of text, a hatch), which a replay keeps as they are.

    /usr/bin/python3 examples/make-site-dxf.py examples/site.dxf
"""
import sys

import ezdxf
from ezdxf.enums import TextEntityAlignment  # noqa: F401  (ezdxf >= 0.17)

doc = ezdxf.new("R2013", setup=False)
msp = doc.modelspace()

doc.layers.add("Roads", color=30, lineweight=50)
doc.layers.add("Buildings", color=2)
doc.layers.add("Parcels", color=4)
trees = doc.layers.add("Trees")
trees.rgb = (40, 160, 60)
doc.layers.add("Survey", color=6).off()
doc.layers.add("Archive", color=8).freeze()
doc.layers.add("Boundary", color=1, lineweight=35).lock()
doc.layers.add("Annotation", color=7)
doc.header["$CLAYER"] = "Annotation"

msp.add_lwpolyline([(1000, 2100), (1150, 2110), (1300, 2140), (1450, 2150)],
                   dxfattribs={"layer": "Roads"})
msp.add_line((1150, 2110), (1170, 1990), dxfattribs={"layer": "Roads"})
msp.add_lwpolyline([(1180, 2150), (1290, 2165), (1280, 2260), (1170, 2250)], close=True,
                   dxfattribs={"layer": "Parcels"})
msp.add_lwpolyline([(1030, 2130), (1120, 2135), (1115, 2205), (1028, 2200)], close=True,
                   dxfattribs={"layer": "Parcels", "color": 5, "lineweight": 30})
msp.add_polyline2d([(990, 2080), (1470, 2080), (1470, 2280), (990, 2280)], close=True,
                   dxfattribs={"layer": "Boundary"})
msp.add_point((1260, 2235), dxfattribs={"layer": "Trees"})
oak = msp.add_point((1120, 2215), dxfattribs={"layer": "Trees"})
oak.rgb = (150, 20, 250)
msp.add_circle((1180, 2190), 6, dxfattribs={"layer": "Trees"})
msp.add_arc((1300, 2120), 15, 0, 90, dxfattribs={"layer": "Roads"})
msp.add_point((1210, 2170), dxfattribs={"layer": "Survey"})
msp.add_text("Main Road", dxfattribs={"layer": "Annotation", "height": 4,
                                      "insert": (1200, 2095)})
msp.add_line((1000, 2300), (1100, 2300), dxfattribs={"layer": "Archive"})

elevation = doc.blocks.new("Elevation", base_point=(0, 0))
elevation.add_attdef("ELEVATION", (0, 0), dxfattribs={"height": 1, "prompt": "Elevation"})
elevation.add_circle((0, 0), 0.5)
mark = msp.add_blockref("Elevation", (1100, 2120), dxfattribs={"layer": "Survey"})
mark.add_attrib("ELEVATION", "98.40", (1100, 2120), dxfattribs={"height": 1})

# What the host does not model, kept as it is.
msp.add_ellipse((1380, 2200), major_axis=(20, 0), ratio=0.5, dxfattribs={"layer": "Buildings"})
msp.add_spline([(1000, 2250), (1040, 2270), (1080, 2240), (1120, 2265)],
               dxfattribs={"layer": "Roads"})
msp.add_mtext("Site survey 2026", dxfattribs={"layer": "Annotation", "char_height": 5,
                                               "insert": (1010, 2290)})
hatch = msp.add_hatch(color=3, dxfattribs={"layer": "Trees"})
hatch.paths.add_polyline_path([(1250, 2240), (1270, 2240), (1270, 2255), (1250, 2255)])

paper = doc.layouts.get("Layout1")
paper.add_text("Sheet 1", dxfattribs={"height": 5, "insert": (20, 20)})

doc.set_modelspace_vport(height=300, center=(1220, 2150))
doc.saveas(sys.argv[1])
