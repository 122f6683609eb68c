#!/usr/bin/env python3
"""Writes translations into a catalogue from a JSON table, for the texts still unfinished there.

Usage: fill-translations.py CATALOGUE.ts TABLE.json

TABLE.json maps a context to {source text: translation}; "*" as the context applies to every
context. Sources are matched exactly as the program writes them (unescaped). Prints the texts of
the catalogue still unfinished afterwards.
"""
import html
import json
import re
import sys

catalogue, table_path = sys.argv[1], sys.argv[2]
table = json.load(open(table_path, encoding="utf-8"))
text = open(catalogue, encoding="utf-8").read()


def escape(s):
    return html.escape(s, quote=False).replace("'", "&apos;").replace('"', "&quot;")


def fill_context(block):
    name = html.unescape(re.search(r"<name>(.*?)</name>", block, re.S).group(1))
    choices = {**table.get("*", {}), **table.get(name, {})}

    def message(m):
        body = m.group(0)
        source = html.unescape(re.search(r"<source>(.*?)</source>", body, re.S).group(1))
        if '<translation type="unfinished"></translation>' in body and source in choices:
            body = body.replace('<translation type="unfinished"></translation>',
                                f"<translation>{escape(choices[source])}</translation>")
        return body

    return re.sub(r"<message>.*?</message>", message, block, flags=re.S)


new = re.sub(r"<context>.*?</context>", lambda m: fill_context(m.group(0)), text, flags=re.S)
open(catalogue, "w", encoding="utf-8").write(new)
left = 0
for block in re.findall(r"<context>.*?</context>", new, re.S):
    name = html.unescape(re.search(r"<name>(.*?)</name>", block, re.S).group(1))
    for body in re.findall(r"<message>.*?</message>", block, re.S):
        if 'type="unfinished"' in body:
            left += 1
            print(f"unfinished: [{name}] {html.unescape(re.search(r'<source>(.*?)</source>', body, re.S).group(1))!r}")
print(f"{left} unfinished in {catalogue}", file=sys.stderr)
