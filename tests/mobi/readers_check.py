"""Comparisons for the reader tests: what calibre and mobitool show of a compiled book
against what its package says. Each command prints what differs and exits 1 on a mismatch."""
import re
import sys
import zipfile
import xml.etree.ElementTree as ET

NCX = '{http://www.daisy.org/z3986/2005/ncx/}'


def fold(text):
    return ' '.join(text.replace('\u00a0', ' ').split())


def nav_lines(root):
    lines = []

    def walk(parent, depth):
        for point in parent.findall(NCX + 'navPoint'):
            label = point.find(NCX + 'navLabel/' + NCX + 'text')
            lines.append('%d|%s' % (depth, fold(label.text or '') if label is not None else ''))
            walk(point, depth + 1)

    walk(root.find(NCX + 'navMap'), 0)
    return lines


def toc_of_ncx_file(path):
    return nav_lines(ET.parse(path).getroot())


def toc_of_epub(path):
    with zipfile.ZipFile(path) as epub:
        name = next(n for n in epub.namelist() if n.endswith('.ncx'))
        return nav_lines(ET.fromstring(epub.read(name)))


def report(what, expected, actual):
    if expected == actual:
        print('ok: %s' % what)
        return 0
    print('MISMATCH: %s' % what)
    for i, (e, a) in enumerate(zip(expected, actual)):
        if e != a:
            print('  first difference at %d:\n  expected %r\n  actual   %r' % (i, expected[max(0, i - 60):i + 60], actual[max(0, i - 60):i + 60]))
            break
    else:
        print('  lengths differ: expected %d, actual %d' % (len(expected), len(actual)))
    return 1


def main():
    command = sys.argv[1]
    if command == 'toc':  # toc <source toc.ncx> <epub written by calibre>
        return report('table of contents', toc_of_ncx_file(sys.argv[2]), toc_of_epub(sys.argv[3]))
    if command == 'text':  # text <expected plain text> <plain text from calibre>
        expected = fold(open(sys.argv[2], encoding='utf-8').read())
        actual = fold(open(sys.argv[3], encoding='utf-8-sig').read())
        return report('plain text', expected, actual)
    if command == 'meta':  # meta <ebook-meta output> title author publisher language
        out = open(sys.argv[2], encoding='utf-8').read()
        fields = dict((k.strip(), v.strip()) for k, v in re.findall(r'^([^:\n]+):(.*)$', out, re.M))
        wanted = {'Title': sys.argv[3], 'Author(s)': sys.argv[4], 'Publisher': sys.argv[5], 'Languages': sys.argv[6]}
        failed = 0
        for key, value in wanted.items():
            got = fields.get(key, '')
            if key == 'Author(s)':
                got = re.sub(r'\s*\[.*\]$', '', got)
            failed |= report('%s %r' % (key, value), value, got)
        return failed
    print('unknown command ' + command)
    return 2


if __name__ == '__main__':
    sys.exit(main())
