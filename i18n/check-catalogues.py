#!/usr/bin/env python3
"""Fails when a translatable text of the sources lacks a finished translation in either language.

Usage: check-catalogues.py SCAN.ts --ja A_ja.ts ... --en A_en.ts ...

SCAN.ts is lupdate's fresh scan of the sources (no translations). For every text in it, the
catalogues of each language together must hold the same (context, source) with a finished,
non-empty translation that uses the same placeholders (%1, %2, ...) as the source. Two catalogues
that translate one text differently are refused too. Texts the catalogues hold but the sources no
longer use are listed as a warning.
"""
import re
import sys
import xml.etree.ElementTree as ET


def messages(path):
    """(context, source, comment) -> translation element, for every message of a .ts file."""
    found = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name") or ""
        for message in context.iter("message"):
            key = (name, message.findtext("source") or "", message.findtext("comment") or "")
            found[key] = message.find("translation")
    return found


def placeholders(text):
    return sorted(set(re.findall(r"%(\d\d?)", text)))


def main(argv):
    scan_path = argv[1]
    groups = {"ja": [], "en": []}
    current = None
    for arg in argv[2:]:
        if arg in ("--ja", "--en"):
            current = arg[2:]
        elif current:
            groups[current].append(arg)
    scanned = messages(scan_path)
    problems = []
    for language, files in groups.items():
        catalogue = {}
        for path in files:
            for key, translation in messages(path).items():
                if translation is None or translation.get("type") in ("unfinished", "vanished", "obsolete"):
                    continue
                text = translation.text or ""
                if key in catalogue and catalogue[key][0] != text:
                    problems.append(f"{language}: [{key[0]}] {key[1]!r} is translated differently in "
                                    f"{catalogue[key][1]} and {path}")
                catalogue[key] = (text, path)
        for key in scanned:
            context, source, _ = key
            if key not in catalogue:
                problems.append(f"{language}: [{context}] {source!r} has no finished translation")
                continue
            text = catalogue[key][0]
            if not text.strip():
                problems.append(f"{language}: [{context}] {source!r} is translated as an empty text")
            elif placeholders(text) != placeholders(source):
                problems.append(f"{language}: [{context}] {source!r} -> {text!r}: the placeholders differ")
        stale = sorted(set(catalogue) - set(scanned))
        for context, source, _ in stale:
            print(f"warning: {language}: [{context}] {source!r} is no longer used by the sources", file=sys.stderr)
    if problems:
        print(f"{len(problems)} translation problem(s); run scripts/update-translations, then translate:",
              file=sys.stderr)
        for p in problems:
            print("  " + p, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
