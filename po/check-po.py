#!/usr/bin/env python3
"""Checks a translation against the notes of the catalogue: the typed story lines keep the
pacing codes of the Japanese ({H}, {S}, {$}, {#}, {R}, {C}, {!}, same codes, same order), the
format placeholders agree, and every text fits the width its note gives ("N Latin letters"),
a Latin letter counting one and a full-width character two.
Usage: python3 po/check-po.py po/en.po   (prints each fault, exits 1 if there is one)
"""
import re
import sys
import unicodedata

sys.path.insert(0, __import__("os").path.dirname(__file__))
make_pot = __import__("importlib").import_module("make-pot")

CODES = re.compile(r"\{(.)\}")
PLACEHOLDER = re.compile(r"%(?:\d+\$)?[-+ #0]*\d*(?:\.\d+)?[a-zA-Z%]")


def width(text):
    return sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in text)


def faults(entry):
    msgid, note = entry["msgid"], " ".join(entry.get("notes", []))
    msgstrs = [entry["msgstr"]] if "msgstr" in entry else entry.get("plurals", [])
    for s in msgstrs:
        if not s:
            yield "untranslated"
            continue
        if "typed by the story writer" in note:
            want = [c for c in msgid if ord(c) < 128]
            if CODES.findall(s) != want:
                yield f"pacing codes {''.join(CODES.findall(s))!r}, the Japanese has {''.join(want)!r}"
            shown = CODES.sub(lambda m: "\n" if m.group(1) in "RC" else "", s)
        else:
            shown = s
        if "c-format" in entry["flags"] and PLACEHOLDER.findall(s) != PLACEHOLDER.findall(msgid):
            yield f"placeholders {PLACEHOLDER.findall(s)} differ from {PLACEHOLDER.findall(msgid)}"
        limits = [int(n) for n in re.findall(r"(\d+) Latin letters", note)]
        if limits:
            for row in shown.split("\n"):
                if width(row) > min(limits):
                    yield f"{row.strip()!r} is {width(row)} wide, the box holds {min(limits)}"


def parse(path):
    entries, cur, field = [], None, None
    for line in open(path, encoding="utf-8"):
        line = line.rstrip("\n")
        if not line.strip():
            if cur and "msgid" in cur:
                entries.append(cur)
            cur = None
            continue
        cur = cur or {"flags": [], "notes": []}
        if line.startswith("#."):
            cur["notes"].append(line[3:])
        elif line.startswith("#,"):
            cur["flags"] += [f.strip() for f in line[2:].split(",")]
        elif re.match(r"(msgid|msgstr|msgid_plural|msgstr\[\d\]) ", line):
            field, value = line.split(" ", 1)
            if field.startswith("msgstr["):
                cur.setdefault("plurals", []).append(make_pot.unquote(value))
                field = None
            else:
                cur[field] = make_pot.unquote(value)
        elif line.startswith('"') and field:
            cur[field] += make_pot.unquote(line)
    if cur and "msgid" in cur:
        entries.append(cur)
    return [e for e in entries if e["msgid"]]


def main(path):
    bad = 0
    for e in parse(path):
        for why in faults(e):
            print(f"{path}: {e['msgid']!r}: {why}")
            bad += 1
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "po/en.po"))
