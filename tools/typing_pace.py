#!/usr/bin/env python3
"""typing_pace: measures how many English letters the catalogue writes for each Japanese
character the story writers type, the figures behind the English letter's pace in
src/shell/Typewriters.cpp. Usage: python3 tools/typing_pace.py [po/en.po]

Counted are the characters that take time: for the chapter writers (reporter, DoraQ cut
scenes) those typed at speech pace (after S, not after H), for the ending and the profile
lines every printed one. Codes are left out: their time is the same in both languages."""
import re
import sys

CODE = re.compile(r"\{.\}")


def entries(path):
    entry, field = {"notes": "", "msgid": None, "msgstr": None}, None
    for line in open(path, encoding="utf-8"):
        line = line.rstrip("\n")
        if not line.strip():
            if entry["msgid"] is not None:
                yield entry
            entry, field = {"notes": "", "msgid": None, "msgstr": None}, None
        elif line.startswith("#."):
            entry["notes"] += line[2:]
        elif line.startswith(("msgid ", "msgstr ")):
            field, value = line.split(" ", 1)
            entry[field] = eval(value)
        elif line.startswith('"') and field:
            entry[field] += eval(line)
    if entry["msgid"] is not None:
        yield entry


def japanese_count(text, codes, paced):
    n, fast, i = 0, False, 0
    while i < len(text):
        c = text[i]
        if c in codes:
            fast = (fast or c == "H") and c != "S"
            i += 2 if c == "#" and "#" in codes else 1
            continue
        if not (paced and fast):
            n += 1
        i += 1
    return n


def english_count(text, paced):
    n, fast = 0, False
    for token in re.findall(r"\{.\}|.", text):
        if CODE.fullmatch(token):
            fast = (fast or token == "{H}") and token != "{S}"
        elif not (paced and fast):
            n += 1
    return n


def main():
    kinds = {"chapter": [0, 0, 0], "ending": [0, 0, 0], "profile": [0, 0, 0]}
    for e in entries(sys.argv[1] if len(sys.argv) > 1 else "po/en.po"):
        notes = e["notes"].strip()
        if notes.startswith("spoken profile line"):
            kind, ja, en = "profile", len(e["msgid"]), len(e["msgstr"])
        elif "typed by the story writer" in notes and notes.startswith("ending dialogue"):
            kind = "ending"
            ja, en = japanese_count(e["msgid"], "HS$!RC", False), english_count(e["msgstr"], False)
        elif "typed by the story writer" in notes:
            kind = "chapter"
            ja, en = japanese_count(e["msgid"], "HS$# ", True), english_count(e["msgstr"], True)
        else:
            continue
        k = kinds[kind]
        k[0], k[1], k[2] = k[0] + 1, k[1] + ja, k[2] + en
    for kind, (lines, ja, en) in kinds.items():
        print(f"{kind}: {lines} lines, {ja} Japanese characters, {en} English letters, "
              f"{en / ja:.3f} letters a character")


main()
