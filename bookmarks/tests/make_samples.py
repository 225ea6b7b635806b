"""Writes the sample bookmark exports of the reader's tests, in the layouts that
Netscape Communicator 4, Internet Explorer's export wizard, Firefox and Chrome
write (the Netscape bookmark file format as those browsers document and
produce it): indentation, FOLDED folders, DD descriptions, HR separators,
alias and tag attributes, and inline PNG icons that make lines several
kilobytes long. The sites are made up or well known; the icons are random
pixels. Run it from anywhere; it rewrites the files in samples/.
"""

import base64
import os
import random
import struct
import zlib

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "samples")
rand = random.Random(19981019)


def png_icon(size):
    """A valid PNG of size x size random RGBA pixels, as a data URI."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    rows = b"".join(b"\0" + bytes(rand.randrange(256) for _ in range(size * 4)) for _ in range(size))
    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))
    return "data:image/png;base64," + base64.b64encode(png).decode("ascii")


def stamp():
    return str(rand.randrange(1500000000, 1700000000))


# (folder name, [(title, url)]) in order; nested folders as (name, [...]) items.
DEV = [
    ("W3C Markup Validation Service", "https://validator.w3.org/"),
    ("CSS Validation Service", "https://jigsaw.w3.org/css-validator/"),
    ("HTML Standard", "https://html.spec.whatwg.org/multipage/"),
    ("MDN Web Docs", "https://developer.mozilla.org/en-US/"),
    ("Can I use... Support tables for HTML5, CSS3, etc", "https://caniuse.com/"),
    ("Web Content Accessibility Guidelines (WCAG) 2.1", "https://www.w3.org/TR/WCAG21/"),
    ("Flexbox guide &amp; cheat sheet", "https://example-css.test/guides/flexbox/"),
    ("Colour contrast checker", "https://contrast.example.test/?fg=333333&bg=ffffff"),
]
NEWS = [
    ("Ars Technica", "https://arstechnica.com/"),
    ("Hacker News", "https://news.ycombinator.com/"),
    ("The Register: Sci/Tech News for the World", "https://www.theregister.com/"),
    ("LWN.net", "https://lwn.net/"),
]
SHOPPING = [
    ("Order status", "https://shop.example.test/account/orders?ref=nav_youraccount_orders&utm_source=bookmark"
     "&utm_medium=browser&utm_campaign=account-orders-2023-q4&session_hint=" + "a1b2c3d4" * 40),
    ("Hardware wish list", "https://shop.example.test/wishlist/ls/3KX0Z9Q1W2E3R?type=wishlist&filter=all"),
]
TRAVEL = [
    ("Rail timetable", "https://rail.example.test/timetable?from=Leeds&to=York"),
    ("Hotels near the conference", "https://travel.example.test/search?dest=Lisbon&checkin=2024-05-13"),
]


def firefox(path):
    out = ['<!DOCTYPE NETSCAPE-Bookmark-file-1>',
           '<!-- This is an automatically generated file.',
           '     It will be read and overwritten.',
           '     DO NOT EDIT! -->',
           '<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">',
           '<meta http-equiv="Content-Security-Policy"',
           '      content="default-src \'self\'; script-src \'none\'; img-src data: *; object-src \'none\'"></meta>',
           '<TITLE>Bookmarks</TITLE>',
           '<H1>Bookmarks Menu</H1>',
           '',
           '<DL><p>']

    def bookmark(indent, title, url, icon_size=16, tags=None):
        attrs = 'HREF="%s" ADD_DATE="%s" LAST_MODIFIED="%s"' % (url, stamp(), stamp())
        if icon_size:
            attrs += ' ICON_URI="%sfavicon.ico" ICON="%s"' % (url.split("?")[0], png_icon(icon_size))
        if tags:
            attrs += ' TAGS="%s"' % tags
        out.append('%s<DT><A %s>%s</A>' % (indent, attrs, title))

    def folder(indent, name, items, extra=""):
        out.append('%s<DT><H3 ADD_DATE="%s" LAST_MODIFIED="%s"%s>%s</H3>' % (indent, stamp(), stamp(), extra, name))
        out.append('%s<DL><p>' % indent)
        for item in items:
            if isinstance(item[1], list):
                folder(indent + "    ", item[0], item[1])
            else:
                bookmark(indent + "    ", item[0], item[1], 16 if rand.random() < 0.8 else 32)
        out.append('%s</DL><p>' % indent)

    folder("    ", "Mozilla Firefox", [
        ("Get Help", "https://support.mozilla.org/en-US/products/firefox"),
        ("Customize Firefox", "https://support.mozilla.org/en-US/kb/customize-firefox-controls-buttons-and-toolbars"),
        ("Get Involved", "https://www.mozilla.org/en-US/contribute/"),
        ("About Us", "https://www.mozilla.org/en-US/about/")])
    out.append('    <HR>    <DT><H3 ADD_DATE="%s" LAST_MODIFIED="%s" PERSONAL_TOOLBAR_FOLDER="true">'
               'Bookmarks Toolbar</H3>' % (stamp(), stamp()))
    out.append('    <DD>Add bookmarks to this folder to see them displayed on the Bookmarks Toolbar')
    out.append('    <DL><p>')
    bookmark("        ", "Getting Started", "https://www.mozilla.org/en-US/firefox/central/")
    for item in [("Web development", DEV + [("Archive", NEWS)])]:
        folder("        ", item[0], item[1])
    bookmark("        ", "Most Visited", "place:sort=8&maxResults=10", icon_size=0)
    out.append('    </DL><p>')
    folder("    ", "Shopping", SHOPPING)
    bookmark("    ", "Project tracker", "https://tracker.example.test/board/42", tags="work,daily")
    out.append('    <DD>The team\'s board; sign in with the work account')
    folder("    ", "Other Bookmarks", TRAVEL, ' UNFILED_BOOKMARKS_FOLDER="true"')
    out.append('</DL>')
    write(path, out, "\n")


def chrome(path):
    out = ['<!DOCTYPE NETSCAPE-Bookmark-file-1>',
           '<!-- This is an automatically generated file.',
           '     It will be read and overwritten.',
           '     DO NOT EDIT! -->',
           '<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">',
           '<TITLE>Bookmarks</TITLE>',
           '<H1>Bookmarks</H1>',
           '<DL><p>',
           '    <DT><H3 ADD_DATE="%s" LAST_MODIFIED="%s" PERSONAL_TOOLBAR_FOLDER="true">Bookmarks bar</H3>'
           % (stamp(), stamp()),
           '    <DL><p>']
    for title, url in DEV[:5]:
        out.append('        <DT><A HREF="%s" ADD_DATE="%s" ICON="%s">%s</A>' % (url, stamp(), png_icon(16), title))
    out.append('        <DT><H3 ADD_DATE="%s" LAST_MODIFIED="%s">News</H3>' % (stamp(), stamp()))
    out.append('        <DL><p>')
    for title, url in NEWS:
        out.append('            <DT><A HREF="%s" ADD_DATE="%s" ICON="%s">%s</A>' % (url, stamp(), png_icon(32), title))
    out.append('        </DL><p>')
    out.append('    </DL><p>')
    out.append('    <DT><H3 ADD_DATE="%s" LAST_MODIFIED="%s">Other bookmarks</H3>' % (stamp(), stamp()))
    out.append('    <DL><p>')
    for title, url in SHOPPING + TRAVEL:
        out.append('        <DT><A HREF="%s" ADD_DATE="%s">%s</A>' % (url, stamp(), title))
    out.append('    </DL><p>')
    out.append('</DL><p>')
    write(path, out, "\n")


def netscape4(path):
    out = ['<!DOCTYPE NETSCAPE-Bookmark-file-1>',
           '<!-- This is an automatically generated file.',
           'It will be read and overwritten.',
           'Do Not Edit! -->',
           '<TITLE>Bookmarks for Jane Webmaster</TITLE>',
           '<H1 LAST_MODIFIED="915148800">Bookmarks for Jane Webmaster</H1>',
           '',
           '<DL><p>',
           '    <DT><H3 FOLDED ADD_DATE="908811773">Personal Toolbar Folder</H3>',
           '<DD>Add bookmarks to this folder to see them displayed on the Personal Toolbar',
           '    <DL><p>',
           '        <DT><A HREF="http://home.netscape.com/" ADD_DATE="908811773" LAST_VISIT="915148800" '
           'LAST_MODIFIED="908811773" LAST_CHARSET="ISO-8859-1">Netscape</A>',
           '        <DT><A HREF="http://search.netscape.com/" ADD_DATE="908811773" LAST_VISIT="0" '
           'LAST_MODIFIED="908811773">Search</A>',
           '    </DL><p>',
           '    <DT><H3 ADD_DATE="908811800">Web Design</H3>',
           '    <DL><p>',
           '        <DT><A HREF="http://www.w3.org/MarkUp/" ADD_DATE="908811800" LAST_VISIT="915000000" '
           'LAST_MODIFIED="908811800" ALIASID="1">HyperText Markup Language (HTML) Home Page</A>',
           '<DD>The W3C\'s page on HTML: specifications, validators &amp; tutorials',
           '        <DT><A HREF="http://www.webreference.com/dev/graphics/palette/" ADD_DATE="908811900" '
           'LAST_VISIT="0" LAST_MODIFIED="908811900">The Browser-Safe Color Palette - 216 colours that '
           'look the same everywhere</A>',
           '        <DT><A HREF="http://www.lynda.com/hex.html" ADD_DATE="908811950" LAST_VISIT="0" '
           'LAST_MODIFIED="908811950">Non-Dithering Colors in Hexadecimal Order</A>',
           '        <HR>',
           '        <DT><H3 FOLDED ADD_DATE="908812000">Server Side</H3>',
           '        <DL><p>',
           '            <DT><A HREF="http://hoohoo.ncsa.uiuc.edu/cgi/" ADD_DATE="908812000" LAST_VISIT="0" '
           'LAST_MODIFIED="908812000">The Common Gateway Interface</A>',
           '            <DT><A HREF="http://www.apache.org/" ADD_DATE="908812001" LAST_VISIT="0" '
           'LAST_MODIFIED="908812001">Apache HTTP Server Project</A>',
           '        </DL><p>',
           '    </DL><p>',
           '    <DT><A HREF="http://www.w3.org/MarkUp/" ALIASOF="1" ADD_DATE="908811800" LAST_VISIT="915000000" '
           'LAST_MODIFIED="908811800">HyperText Markup Language (HTML) Home Page</A>',
           '    <DT><A HREF="http://www.yahoo.com/Computers_and_Internet/Internet/World_Wide_Web/" '
           'ADD_DATE="908812100" LAST_VISIT="0" LAST_MODIFIED="908812100">Yahoo! - World Wide Web</A>',
           '</DL><p>']
    write(path, out, "\r\n")


def ie_export(path):
    out = ['<!DOCTYPE NETSCAPE-Bookmark-file-1>',
           '<!-- This is an automatically generated file.',
           'It will be read and overwritten.',
           'Do Not Edit! -->',
           '<TITLE>Bookmarks</TITLE>',
           '<H1>Bookmarks</H1>',
           '<DL><p>',
           '    <DT><H3 FOLDED ADD_DATE="1041500000">Links</H3>',
           '    <DL><p>',
           '        <DT><A HREF="http://www.microsoft.com/isapi/redir.dll?prd=ie&pver=6&ar=CLinks" '
           'ADD_DATE="1041500000" LAST_VISIT="1041500000" LAST_MODIFIED="1041500000">Customize Links</A>',
           '        <DT><A HREF="http://www.microsoft.com/isapi/redir.dll?prd=ie&ar=windowsmedia" '
           'ADD_DATE="1041500000" LAST_VISIT="1041500000" LAST_MODIFIED="1041500000">Windows Media</A>',
           '    </DL><p>',
           '    <DT><H3 FOLDED ADD_DATE="1041500100">Media</H3>',
           '    <DL><p>',
           '    </DL><p>',
           '    <DT><A HREF="http://www.msn.com/" ADD_DATE="1041500200" LAST_VISIT="1041500200" '
           'LAST_MODIFIED="1041500200">MSN.com</A>',
           '    <DT><A HREF="file:///C:/My%20Documents/site/index.htm" ADD_DATE="1041500300" '
           'LAST_VISIT="1041500300" LAST_MODIFIED="1041500300">Local copy of the site</A>',
           '</DL><p>']
    write(path, out, "\r\n")


def write(path, lines, eol):
    with open(os.path.join(HERE, path), "w", newline="", encoding="ascii") as f:
        f.write(eol.join(lines) + eol)


if __name__ == "__main__":
    firefox("firefox-export.html")
    chrome("chrome-export.html")
    netscape4("netscape4-bookmark.htm")
    ie_export("ie-export.htm")
