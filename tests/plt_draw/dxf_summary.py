"""Reads a DXF with ezdxf and prints what a CAD program would find in it:
version, code page, audit errors, layers with colours, and every entity with
its layer and numbers rounded to 0.001, one a line, as UTF-8. With a second
argument, also renders the model space to that PNG on a white page."""
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
print("version", doc.dxfversion, doc.header.get("$DWGCODEPAGE"), doc.encoding)
print("audit errors", len(auditor.errors), [e.message for e in auditor.errors])
print("layers", " ".join(f"{l.dxf.name}:{l.dxf.color}" for l in sorted(doc.layers, key=lambda l: l.dxf.name)))


def n(v):
    return f"{round(v, 3):g}"


for e in doc.modelspace():
    kind, layer = e.dxftype(), e.dxf.layer
    if kind == "LINE":
        print(kind, layer, e.dxf.linetype, n(e.dxf.start.x), n(e.dxf.start.y), n(e.dxf.end.x), n(e.dxf.end.y))
    elif kind == "CIRCLE":
        print(kind, layer, n(e.dxf.center.x), n(e.dxf.center.y), n(e.dxf.radius))
    elif kind == "TEXT":
        print(kind, layer, n(e.dxf.insert.x), n(e.dxf.insert.y), n(e.dxf.height), n(e.dxf.rotation), e.dxf.text)
    else:
        print(kind, layer)

if len(sys.argv) > 2:
    import matplotlib

    matplotlib.use("Agg")
    from ezdxf.addons.drawing import matplotlib as drawing

    drawing.qsave(doc.modelspace(), sys.argv[2], bg="#FFFFFF", dpi=150)
