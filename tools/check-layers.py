#!/usr/bin/env python3
"""Fails when a source folder includes one above it. The folders of src/, lowest first; each may include only
itself and those before it, so the core never reaches a window and a feature window never reaches the
composition root or a feature above it. Usage: check-layers.py SRC_FOLDER"""
import os, re, sys

ORDER = [
    'core/text', 'core/files', 'core/csv', 'core/money', 'core/deal', 'core/report', 'core/store', 'core/print',
    'ui/common', 'ui/print', 'ui/catalogue', 'ui/packages', 'ui/prefs', 'ui/deal', 'ui/history',
    'app',
]
src = sys.argv[1] if len(sys.argv) > 1 else 'src'
include = re.compile(r'^\s*#\s*include\s+"([^"]+)/[^/"]+"', re.M)
bad = []
for folder, _, names in sorted(os.walk(src)):
    here = os.path.relpath(folder, src)
    sources = sorted(n for n in names if n.endswith(('.h', '.cpp')))
    if not sources:
        continue
    if here not in ORDER:
        bad.append(f'{here} has no place in the order of the source folders ({", ".join(ORDER)})')
        continue
    for name in sources:
        text = open(os.path.join(folder, name), errors='replace').read()
        for target in include.findall(text):
            if target != here and (target not in ORDER or ORDER.index(target) > ORDER.index(here)):
                bad.append(f'{here}/{name} includes {target}, which stands above it')
for line in bad:
    print(line)
sys.exit(1 if bad else 0)
