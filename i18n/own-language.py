#!/usr/bin/env python3
"""Marks a text already written in a catalogue's language as its own, finished translation.

A source with Japanese characters is its own Japanese text; a source without is its own English
text. Only unfinished, empty translations are filled; nothing a translator wrote is touched.
The file is rewritten only when something changed, in the layout lupdate writes.
"""
import re
import sys

JAPANESE = re.compile(r"[\u3040-\u30ff\u3400-\u9fff\uff00-\uffef]")
MESSAGE = re.compile(r"(<source>(.*?)</source>.*?)<translation type=\"unfinished\"></translation>", re.S)


def fill(path):
    japanese_catalogue = path.endswith("_ja.ts")
    text = open(path, encoding="utf-8").read()

    def own(match):
        source = match.group(2)
        if bool(JAPANESE.search(source)) == japanese_catalogue:
            return f"{match.group(1)}<translation>{source}</translation>"
        return match.group(0)

    # One message at a time, so a fill never reaches across into the next message.
    parts = re.split(r"(<message>.*?</message>)", text, flags=re.S)
    new = "".join(MESSAGE.sub(own, p) if p.startswith("<message>") else p for p in parts)
    if new != text:
        open(path, "w", encoding="utf-8").write(new)


for p in sys.argv[1:]:
    fill(p)
