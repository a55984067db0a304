#!/usr/bin/env python3
"""Writes the installer's registry lines for the drop-target classes from common/dropframe/Registration.h.

Usage: registration_nsh.py REGISTRATION_H OUTPUT_NSH
The output defines the macros KvRegisterExtensions and KvUnregisterExtensions (HKLM\\Software\\Classes,
library paths under $INSTDIR), each class only where the build defined KV_HAVE_<its module>.
"""
import re
import sys

CLASSES = 'Software\\Classes\\'
STRING = r'L"((?:[^"\\]|\\.)*)"'


def c_text(literal):
    return re.sub(r'\\(.)', r'\1', literal)


def rows(source, macro, fields):
    lines = source.splitlines()
    start = next((i for i, line in enumerate(lines) if line.startswith('#define ' + macro + '(X)')), None)
    if start is None:
        sys.exit(macro + ' not found')
    end = start
    while lines[end].rstrip().endswith('\\'):
        end += 1
    body = '\n'.join(lines[start:end + 1])[len('#define ' + macro + '(X)'):]
    pattern = r'X\(' + r'\s*,\s*'.join(r'(\w+)' if f == 'id' else STRING for f in fields) + r'\)'
    found = []
    for match in re.finditer(pattern, body):
        found.append([v if f == 'id' else c_text(v) for f, v in zip(fields, match.groups())])
    return found


def expand(template, cls):
    return (template.replace('{class}', cls['class']).replace('{clsid}', cls['clsid'])
            .replace('{ext}', cls['ext']).replace('{library}', '$INSTDIR\\' + cls['library']))


def have(cls):
    # The installer defines KV_HAVE_<MODULE> for every module the build produced.
    return 'KV_HAVE_' + cls['library'].rsplit('.', 1)[0].upper()


def nsis(text):
    return '"' + text.replace('"', '$\\"') + '"'


def main():
    source = open(sys.argv[1], encoding='utf-8').read()
    classes = [dict(zip(('id', 'class', 'clsid', 'ext', 'library'), r))
               for r in rows(source, 'KV_EXTENSION_CLASSES', ('id', 'class', 'clsid', 'ext', 'library'))]
    values = rows(source, 'KV_REGISTRY_VALUES', ('key', 'name', 'data'))
    keys = rows(source, 'KV_REGISTRY_KEYS', ('key',))
    if len(classes) != 3 or not values or not keys:
        sys.exit('unexpected registration table')
    out = ['; Written by the build from common/dropframe/Registration.h; do not edit.',
           '!macro KvRegisterExtensions']
    for cls in classes:
        out.append('  !ifdef ' + have(cls))
        for key, name, data in values:
            out.append('  WriteRegStr HKLM ' + ' '.join(nsis(t) for t in (CLASSES + expand(key, cls), name,
                                                                          expand(data, cls))))
        out.append('  !endif')
    out += ['!macroend', '', '!macro KvUnregisterExtensions']
    for cls in classes:
        out.append('  !ifdef ' + have(cls))
        for (key,) in keys:
            out.append('  DeleteRegKey HKLM ' + nsis(CLASSES + expand(key, cls)))
        out.append('  !endif')
    out += ['!macroend', '']
    open(sys.argv[2], 'w', encoding='utf-8').write('\n'.join(out))


if __name__ == '__main__':
    main()
