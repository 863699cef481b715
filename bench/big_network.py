#!/usr/bin/env python3
"""Writes a large combined UTDF network for memory and speed measurements.

    bench/big_network.py OUT MEGABYTES FILE...

Repeats the given network files until OUT holds at least MEGABYTES, giving every
copy's intersections new INTIDs (copy number times 100000 plus the old one), so no
two blocks share a number. Only the INTID columns change: [Nodes] lines start with
it, every other record has it second.
"""
import sys


def renumbered(text, copy):
    out = []
    section = ""
    for line in text.splitlines():
        bare = line.strip()
        if bare.startswith("["):
            section = bare.lower()
            out.append(line)
            continue
        fields = line.split(",")
        column = 0 if section == "[nodes]" else 1
        if len(fields) > column and fields[column].strip().isdigit():
            fields[column] = str(copy * 100000 + int(fields[column]))
        out.append(",".join(fields))
    return "\n".join(out) + "\n"


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    target = float(sys.argv[2]) * 1e6
    texts = [open(p, encoding="cp1252", newline="").read() for p in sys.argv[3:]]
    written, copy = 0, 1
    with open(sys.argv[1], "w", encoding="cp1252", newline="") as out:
        while written < target:
            for text in texts:
                block = renumbered(text, copy)
                out.write(block)
                written += len(block.encode("cp1252"))
                copy += 1
                if written >= target:
                    break
    print(f"{sys.argv[1]}: {written / 1e6:.1f} MB, {copy - 1} copies")


if __name__ == "__main__":
    main()
