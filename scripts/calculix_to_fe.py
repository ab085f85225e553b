#!/usr/bin/env python3
"""Element stresses of a CalculiX shell model as a korvel-fe stress table (layout L).

Usage: calculix_to_fe.py MODEL.inp RESULTS.dat [-o OUT.tsv] [--lc NAME ...]

MODEL.inp is read for its *NODE and *ELEMENT blocks (shell types S3, S4, S4R, S6, S8, S8R; the
corner nodes give the centroid and the area). RESULTS.dat is the output of
    *EL PRINT, ELSET=...
    S
Each "stresses" block of the .dat (one per step or increment written) is one load case, named
by --lc in order (default 1, 2, ...). ccx prints a shell's stresses at the integration points
of the expanded element in the shell's own axes (szz, sxz and syz vanish): x is the global x
projected onto the shell. So each element's mean over its integration points is its membrane
stress at the centroid, written as s11 s22 s12 with e1 = (1, 0, 0), which korvel-fe projects
onto each panel. A model with *ORIENTATION on its shells, or a shell normal to the global x, has
other axes: the script refuses both rather than guess.
"""
import argparse
import math
import sys

SHELLS = {"S3": 3, "S4": 4, "S4R": 4, "S6": 3, "S8": 4, "S8R": 4}


def read_model(path):
    nodes, elems = {}, {}
    block, corners, pending = None, 0, []
    with open(path) as f:
        for raw in f:
            line = raw.strip()
            if not line or line.startswith("**"):
                continue
            if line.startswith("*"):
                words = [w.strip().upper() for w in line.split(",")]
                key = words[0]
                block = None
                if key == "*ORIENTATION":
                    sys.exit("calculix_to_fe: %s: *ORIENTATION changes the shell axes; not supported" % path)
                if key == "*NODE":
                    block = "node"
                elif key == "*ELEMENT":
                    kind = next((w.split("=", 1)[1] for w in words[1:] if w.startswith("TYPE=")), "")
                    if kind in SHELLS:
                        block, corners = "elem", SHELLS[kind]
                continue
            cells = [c.strip() for c in line.split(",") if c.strip()]
            if block == "node":
                nodes[int(cells[0])] = tuple(float(c) for c in cells[1:4])
            elif block == "elem":
                pending += cells
                if len(pending) >= 1 + corners and not raw.rstrip().endswith(","):
                    elems[int(pending[0])] = [int(c) for c in pending[1:1 + corners]]
                    pending = []
    return nodes, elems


def geometry(nodes, corner_ids):
    p = [nodes[i] for i in corner_ids]
    centroid = tuple(sum(q[k] for q in p) / len(p) for k in range(3))
    # Area of the (planar) polygon: half the norm of the sum of the cross products of its edges.
    n = [0.0, 0.0, 0.0]
    for a, b in zip(p, p[1:] + p[:1]):
        n[0] += a[1] * b[2] - a[2] * b[1]
        n[1] += a[2] * b[0] - a[0] * b[2]
        n[2] += a[0] * b[1] - a[1] * b[0]
    length = math.sqrt(sum(v * v for v in n))
    return centroid, length / 2, [v / length for v in n] if length > 0 else [0.0, 0.0, 0.0]


def read_stresses(path):
    blocks, current = [], None
    with open(path) as f:
        for line in f:
            if line.strip().startswith("stresses (elem, integ.pnt."):
                current = {}
                blocks.append(current)
                continue
            words = line.split()
            if current is None or len(words) < 8:
                if words and current is not None and not words[0].lstrip("-").isdigit():
                    current = None
                continue
            try:
                elem = int(words[0])
                s = [float(w) for w in words[2:8]]
            except ValueError:
                current = None
                continue
            sums = current.setdefault(elem, [0.0, 0.0, 0.0, 0])
            sums[0] += s[0]
            sums[1] += s[1]
            sums[2] += s[3]
            sums[3] += 1
    return blocks


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("model")
    parser.add_argument("results")
    parser.add_argument("-o", "--output")
    parser.add_argument("--lc", nargs="*", default=[])
    args = parser.parse_args()
    nodes, elems = read_model(args.model)
    blocks = read_stresses(args.results)
    if not blocks:
        sys.exit("calculix_to_fe: %s: no stresses block (*EL PRINT with S)" % args.results)
    out = open(args.output, "w") if args.output else sys.stdout
    out.write("lc\telem\tx\ty\tz\tarea\ts11\ts22\ts12\te1x\te1y\te1z\n")
    for k, block in enumerate(blocks):
        lc = args.lc[k] if k < len(args.lc) else str(k + 1)
        for elem in sorted(block):
            if elem not in elems:
                continue
            centroid, area, normal = geometry(nodes, elems[elem])
            if abs(normal[0]) > 0.999:
                sys.exit("calculix_to_fe: element %d is normal to the global x: its axes are not known" % elem)
            s11, s22, s12, count = block[elem]
            out.write("%s\t%d\t%.10g\t%.10g\t%.10g\t%.10g\t%.10g\t%.10g\t%.10g\t1\t0\t0\n" % (
                lc, elem, centroid[0], centroid[1], centroid[2], area, s11 / count, s22 / count, s12 / count))
    if out is not sys.stdout:
        out.close()


if __name__ == "__main__":
    main()
