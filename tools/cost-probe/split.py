#!/usr/bin/env python3
"""Splits a callgrind output file into the program's own instructions and the simulator's.

Own: functions whose source lies in app/, adapter/, ui/ or config/ of the checkout, plus the
share of library code (libc, libstdc++, inlined std templates) they call; simulator: sim/,
platform/, tools/ and the library code they call. Library code called from both is split by
call edge; a library call that calls back into our code (std::function) keeps only its own part.
Usage: split.py <checkout> <callgrind.out> <seconds> [--top N]
"""
import re
import sys
from collections import defaultdict

OWN_DIRS = ("app", "adapter", "ui", "config")
OURS_DIRS = OWN_DIRS + ("sim", "platform", "tools", "win32")


def parse(path):
    """Self cost per (file, function) and inclusive cost per call edge."""
    names = {"fl": {}, "fn": {}}
    space = {"fl": "fl", "fi": "fl", "fe": "fl", "cfi": "fl", "cfl": "fl", "fn": "fn",
             "cfn": "fn"}
    self_cost = defaultdict(int)
    edges = defaultdict(int)
    fl = fn = cfl = cfn = None
    pending_call = False
    ref = re.compile(r"\((\d+)\)(?: (.*))?$")

    def name(kind, text):
        table = names[space[kind]]
        m = ref.match(text)
        if not m:
            return text
        if m.group(2) is not None:
            table[m.group(1)] = m.group(2)
        return table.get(m.group(1), text)

    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line[0] == "#":
                continue
            c = line[0]
            if c.isdigit() or c in "+-*":
                parts = line.split()
                cost = int(parts[1]) if len(parts) > 1 else 0
                if pending_call:
                    edges[((fl, fn), (cfl or fl, cfn))] += cost
                    pending_call = False
                    cfl = None
                else:
                    self_cost[(fl, fn)] += cost
                continue
            key, _, value = line.partition("=")
            if key == "fl":
                fl = name(key, value)
            elif key in ("fi", "fe"):
                name(key, value)  # inlined code still counts for the function it is in
            elif key == "fn":
                fn = name(key, value)
            elif key in ("cfi", "cfl"):
                cfl = name(key, value)
            elif key == "cfn":
                cfn = name(key, value)
            elif key == "calls":
                pending_call = True
    return self_cost, edges


def kind_of(root, file):
    if file and file.startswith(root + "/"):
        top = file[len(root) + 1:].split("/", 1)[0]
        if top in OWN_DIRS:
            return "own"
        if top in OURS_DIRS:
            return "sim"
    return "lib"


def split(root, self_cost, edges):
    out = defaultdict(list)
    for (caller, callee), cost in edges.items():
        out[caller].append((callee, cost))
    funcs = set(self_cost) | set(out) | {e[1] for e in edges}
    kinds = {f: kind_of(root, f[0]) for f in funcs}
    share = {}

    # The part of a library function's inclusive cost that is library code, not ours called back.
    def lib_share(f, busy):
        if f in share:
            return share[f]
        if f in busy:
            return 1.0
        busy.add(f)
        own_part = self_cost.get(f, 0)
        total = own_part
        for callee, cost in out.get(f, ()):
            total += cost
            if kinds[callee] == "lib":
                own_part += cost * lib_share(callee, busy)
        busy.discard(f)
        share[f] = own_part / total if total else 1.0
        return share[f]

    charged = defaultdict(float)
    for f in funcs:
        if kinds[f] != "own":
            continue
        charged[f] += self_cost.get(f, 0)
        for callee, cost in out.get(f, ()):
            if kinds[callee] == "lib":
                charged[f] += cost * lib_share(callee, set())
    return sum(self_cost.values()), charged


def main(argv):
    top = 0
    if "--top" in argv:
        i = argv.index("--top")
        top = int(argv[i + 1])
        del argv[i:i + 2]
    if len(argv) != 4:
        sys.exit(__doc__)
    root, path, seconds = argv[1].rstrip("/"), argv[2], float(argv[3])
    sys.setrecursionlimit(100000)
    total, charged = split(root, *parse(path))
    own = sum(charged.values())
    print(f"own {own / seconds:,.0f}  simulator {(total - own) / seconds:,.0f}  "
          f"total {total / seconds:,.0f}  instructions per simulated second")
    for f, cost in sorted(charged.items(), key=lambda kv: -kv[1])[:top]:
        print(f"  {cost / seconds:>12,.0f}  {f[1]}  ({f[0][len(root) + 1:]})")


if __name__ == "__main__":
    main(sys.argv)
