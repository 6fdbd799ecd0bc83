#!/usr/bin/env python3
"""Fails when a folder of src/core includes one above it. The core's folders, lowest first; each may include
only those before it. Usage: check-layers.py SRC_FOLDER"""
import os, re, sys

ORDER = ['text', 'files', 'csv', 'money', 'deal', 'report', 'store', 'print']
src = sys.argv[1] if len(sys.argv) > 1 else 'src'
core = os.path.join(src, 'core')
include = re.compile(r'^\s*#\s*include\s+"core/([^/"]+)/', re.M)
bad = []
for folder in sorted(os.listdir(core)):
    path = os.path.join(core, folder)
    if not os.path.isdir(path):
        continue
    if folder not in ORDER:
        bad.append(f'core/{folder} has no place in the order of the core folders ({", ".join(ORDER)})')
        continue
    for name in sorted(os.listdir(path)):
        text = open(os.path.join(path, name), errors='replace').read()
        for target in include.findall(text):
            if target != folder and (target not in ORDER or ORDER.index(target) > ORDER.index(folder)):
                bad.append(f'core/{folder}/{name} includes core/{target}, which stands above it')
for line in bad:
    print(line)
sys.exit(1 if bad else 0)
