#!/usr/bin/env python3
"""The documents' references, checked against the tree they describe.

In every Markdown file of the checkout: each relative link and image names a
file or folder that exists (and a heading, where it names one with #), and
each path of ours in backticks (a script, a test, a packaging file) exists.
A moved or renamed file fails here rather than in a reader's hands.
    links_test.py SOURCE_DIR
"""
import re
import subprocess
import sys
from pathlib import Path

root = Path(sys.argv[1])
# Folders whose files the documents name by path.
OURS = r"(?:scripts|tests|bench|packaging|backends|engine|runtime|window|cmake|docs|translations|po|\.ci)/"
LINK = re.compile(r"!?\[[^\]]*\]\(([^)\s]+)\)")
PATH = re.compile(r"`(" + OURS + r"[^`\s]*)")


def anchors(document):
    """The anchors GitHub gives a document's headings."""
    found = set()
    for line in document.read_text(encoding="utf-8").splitlines():
        heading = re.match(r"#+\s+(.*)", line)
        if heading:
            text = re.sub(r"[`*_]|\[|\]\([^)]*\)", "", heading.group(1)).strip().lower()
            found.add(re.sub(r"\s", "-", re.sub(r"[^\w\s-]", "", text)))
    return found


def problems(document):
    text = document.read_text(encoding="utf-8")
    # Code blocks show commands and output, not references.
    prose = re.sub(r"^```.*?^```", "", text, flags=re.S | re.M)
    for target in LINK.findall(prose):
        if re.match(r"[a-z]+:", target):
            continue  # a web address or mailto:, not ours to check
        path, _, anchor = target.partition("#")
        linked = (document.parent / path).resolve() if path else document
        if not linked.exists():
            yield f"links to {target}, which does not exist"
        elif anchor and linked.suffix == ".md" and anchor not in anchors(linked):
            yield f"links to {target}, a heading {linked.name} does not have"
    for path in PATH.findall(text):
        path = path.rstrip(".,:;")
        # Placeholders and patterns stand for files, not name them.
        if re.search(r"[<>*{}]|\.\.\.", path):
            continue
        if not (root / path.split()[0]).exists():
            yield f"names {path}, which does not exist"


# A source tarball has no git: there every Markdown file outside the build is one.
if (root / ".git").exists():
    tracked = subprocess.run(["git", "-C", str(root), "ls-files", "*.md"], capture_output=True,
                             text=True, check=True).stdout.split()
else:
    tracked = sorted(str(p.relative_to(root)) for p in root.rglob("*.md") if "build" not in p.parts)
failures = 0
for name in tracked:
    for problem in problems(root / name):
        print(f"FAIL: {name} {problem}")
        failures += 1
print(f"{'FAILED' if failures else 'PASS'}: {len(tracked)} documents, {failures} broken references")
sys.exit(1 if failures else 0)
