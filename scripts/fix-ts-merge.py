#!/usr/bin/env python3
"""Repairs a translation file after a union merge of two branches that each
appended <context> blocks: the shared closing lines end up only once."""
import sys

path = sys.argv[1]
lines = open(path, encoding='utf-8').read().split('\n')
out = []
for line in lines:
    if line.strip().startswith('<name>') and out and out[-1].strip() != '<context>':
        if out[-1].strip().startswith('<translation'):
            out.append('    </message>')
        out.append('</context>')
        out.append('<context>')
    out.append(line)
open(path, 'w', encoding='utf-8').write('\n'.join(out))
