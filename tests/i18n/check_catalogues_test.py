#!/usr/bin/env python3
"""The catalogue check refuses an unfinished, empty or placeholder-losing translation.

Usage: check_catalogues_test.py PATH/TO/check-catalogues.py
"""
import os
import subprocess
import sys
import tempfile

CHECK = sys.argv[1]


def ts(language, messages):
    body = "".join(
        f"<message><source>{source}</source>"
        + (f'<translation type="unfinished"></translation>' if translation is None else f"<translation>{translation}</translation>")
        + "</message>"
        for source, translation in messages)
    return f'<?xml version="1.0" encoding="utf-8"?><TS version="2.1" language="{language}"><context><name>c</name>{body}</context></TS>'


def run(scan, ja, en):
    with tempfile.TemporaryDirectory() as folder:
        paths = []
        for name, text in (("scan.ts", scan), ("a_ja.ts", ja), ("a_en.ts", en)):
            paths.append(os.path.join(folder, name))
            open(paths[-1], "w", encoding="utf-8").write(text)
        done = subprocess.run([sys.executable, CHECK, paths[0], "--ja", paths[1], "--en", paths[2]],
                              capture_output=True, text=True)
        return done.returncode, done.stderr


scan = ts("", [("Saved %1", None), ("閉じる", None)])
good_ja = [("Saved %1", "%1 を保存しました"), ("閉じる", "閉じる")]
good_en = [("Saved %1", "Saved %1"), ("閉じる", "Close")]
cases = [
    ("every text finished", good_ja, good_en, 0, ""),
    ("an unfinished Japanese text", [good_ja[0], ("閉じる", None)], good_en, 1, "no finished translation"),
    ("a text missing from the English catalogue", good_ja, [good_en[0]], 1, "no finished translation"),
    ("a translation that lost its placeholder", [("Saved %1", "保存しました"), good_ja[1]], good_en, 1,
     "placeholders differ"),
    ("an empty translation", good_ja, [good_en[0], ("閉じる", " ")], 1, "empty"),
]
failures = 0
for what, ja, en, code, says in cases:
    got, err = run(scan, ts("ja", ja), ts("en", en))
    if got != code or says not in err:
        failures += 1
        print(f"FAIL {what}: exit {got} (wanted {code}), stderr: {err!r}")
print("ok" if not failures else f"{failures} failure(s)")
sys.exit(1 if failures else 0)
