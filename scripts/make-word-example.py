#!/usr/bin/env python3
"""Builds the Word example book data/examples/port-merel.docx from the text below and the
example's own pictures (images/lighthouse.png, images/harbour.jpg). The output is the same
bytes on every run: fixed entry order and time stamps, no generated ids."""
import os
import zipfile
from xml.sax.saxutils import escape

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "examples")
OUT = os.path.join(ROOT, "port-merel.docx")
NS = ('xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" '
      'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" '
      'xmlns:wp="http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing" '
      'xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" '
      'xmlns:pic="http://schemas.openxmlformats.org/drawingml/2006/picture"')
EMU_PER_CM = 360000


def run(text, props=""):
    rpr = f"<w:rPr>{props}</w:rPr>" if props else ""
    return f'<w:r>{rpr}<w:t xml:space="preserve">{escape(text)}</w:t></w:r>'


def para(content, style=None, extra_ppr=""):
    ppr = f'<w:pStyle w:val="{style}"/>' if style else ""
    ppr += extra_ppr
    return f"<w:p>{'<w:pPr>' + ppr + '</w:pPr>' if ppr else ''}{content}</w:p>"


def text_para(text, style=None):
    return para(run(text), style)


def section_end():
    return para("", None, '<w:sectPr><w:pgSz w:w="11906" w:h="16838"/>'
                '<w:pgMar w:top="1440" w:right="1440" w:bottom="1440" w:left="1440"/></w:sectPr>')


def bullet(text):
    return para(run(text), "ListParagraph",
                '<w:numPr><w:ilvl w:val="0"/><w:numId w:val="1"/></w:numPr>')


def picture(rel_id, number, width_cm, height_cm, description):
    cx, cy = int(width_cm * EMU_PER_CM), int(height_cm * EMU_PER_CM)
    return para(
        f'<w:r><w:drawing><wp:inline><wp:extent cx="{cx}" cy="{cy}"/>'
        f'<wp:docPr id="{number}" name="Picture {number}" descr="{escape(description)}"/>'
        '<a:graphic><a:graphicData uri="http://schemas.openxmlformats.org/drawingml/2006/picture">'
        f'<pic:pic><pic:nvPicPr><pic:cNvPr id="{number}" name="Picture {number}"/><pic:cNvPicPr/>'
        f'</pic:nvPicPr><pic:blipFill><a:blip r:embed="{rel_id}"/><a:stretch><a:fillRect/>'
        f'</a:stretch></pic:blipFill><pic:spPr><a:xfrm><a:off x="0" y="0"/><a:ext cx="{cx}" '
        f'cy="{cy}"/></a:xfrm><a:prstGeom prst="rect"/></pic:spPr></pic:pic></a:graphicData>'
        '</a:graphic></wp:inline></w:drawing></w:r>', "Caption")


def cell(text, width):
    return (f'<w:tc><w:tcPr><w:tcW w:w="{width}" w:type="dxa"/></w:tcPr>'
            f"{text_para(text)}</w:tc>")


def table(rows):
    grid = "".join('<w:gridCol w:w="3000"/>' for _ in rows[0])
    body = "".join("<w:tr>" + "".join(cell(t, 3000) for t in row) + "</w:tr>" for row in rows)
    return (f'<w:tbl><w:tblPr><w:tblStyle w:val="TableGrid"/><w:tblW w:w="9000" '
            f'w:type="dxa"/></w:tblPr><w:tblGrid>{grid}</w:tblGrid>{body}</w:tbl>')


BODY = "".join([
    text_para("A Weekend in Port Mérel", "Title"),
    text_para("A short guide to an imaginary fishing town.", "Subtitle"),
    para('<w:bookmarkStart w:id="0" w:name="toc"/>' + run("Contents", "<w:b/>") +
         '<w:bookmarkEnd w:id="0"/>'),
    para('<w:hyperlink w:anchor="arrival">' + run("Arrival") + "</w:hyperlink>"),
    para('<w:hyperlink w:anchor="oldtown">' + run("The Old Town") + "</w:hyperlink>"),
    para('<w:hyperlink w:anchor="lighthouse">' + run("The Lighthouse") + "</w:hyperlink>"),
    section_end(),
    para('<w:bookmarkStart w:id="1" w:name="arrival"/>' + run("Arrival") +
         '<w:bookmarkEnd w:id="1"/>', "Heading1"),
    text_para("The morning ferry rounds the breakwater a little after eight, and the whole "
              "town seems to turn out to watch it dock. Gulls follow it in from the open sea."),
    para(run("Before you set off, pack ") + run("three", "<w:b/>") +
         run(" things the harbour master swears by:")),
    bullet("a warm jumper, because the wind never quite drops;"),
    bullet("comfortable shoes for the cobbled lanes;"),
    bullet("a little cash for the fish market, which takes nothing else."),
    para(run("The ferry timetable changes with the tides.") +
         '<w:r><w:rPr><w:rStyle w:val="FootnoteReference"/></w:rPr>'
         '<w:footnoteReference w:id="1"/></w:r>'),
    section_end(),
    para('<w:bookmarkStart w:id="2" w:name="oldtown"/>' + run("The Old Town") +
         '<w:bookmarkEnd w:id="2"/>', "Heading1"),
    text_para("Above the quay the lanes climb steeply between whitewashed houses with blue "
              "shutters. Three places are worth a stop on the way up:"),
    table([["Place", "Known for", "Opens"],
           ["The bakery", "Almond bread", "Six in the morning"],
           ["Chapel of Saint Anne", "Painted ceiling", "Ten until four"],
           ["The market hall", "Oysters and mussels", "Saturdays only"]]),
    text_para("At the top of the hill the view opens over the whole bay.", "Heading2"),
    text_para("On a clear day you can count the islands from here, seven of them, each with "
              "its own small harbour."),
    section_end(),
    para('<w:bookmarkStart w:id="3" w:name="lighthouse"/>' + run("The Lighthouse") +
         '<w:bookmarkEnd w:id="3"/>', "Heading1"),
    text_para("The lighthouse stands at the end of the northern mole. Its keeper still climbs "
              "the hundred and twelve steps every evening."),
    picture("rId10", 1, 6.0, 6.0, "The lighthouse at dusk"),
    text_para("Below it, the harbour fills with boats as the light fades."),
    picture("rId11", 2, 8.0, 5.3, "Fishing boats in the harbour"),
    text_para("By the time the lamp turns, the day's catch is already on its way inland, and "
              "the town settles down for the night."),
])

FOOTNOTES = (
    f'<w:footnotes {NS}>'
    '<w:footnote w:type="separator" w:id="-1"><w:p><w:r><w:separator/></w:r></w:p></w:footnote>'
    '<w:footnote w:type="continuationSeparator" w:id="0"><w:p><w:r><w:continuationSeparator/>'
    '</w:r></w:p></w:footnote>'
    '<w:footnote w:id="1"><w:p><w:pPr><w:pStyle w:val="FootnoteText"/></w:pPr>'
    '<w:r><w:rPr><w:rStyle w:val="FootnoteReference"/></w:rPr><w:footnoteRef/></w:r>'
    + run(" Times are posted on the harbour office door every Monday.") +
    "</w:p></w:footnote></w:footnotes>")


def style(kind, style_id, name, ppr="", rpr="", based_on="Normal", extra=""):
    based = f'<w:basedOn w:val="{based_on}"/>' if based_on else ""
    return (f'<w:style w:type="{kind}" w:styleId="{style_id}"{extra}><w:name w:val="{name}"/>'
            f'{based}{"<w:pPr>" + ppr + "</w:pPr>" if ppr else ""}'
            f'{"<w:rPr>" + rpr + "</w:rPr>" if rpr else ""}</w:style>')


STYLES = (
    f"<w:styles {NS}><w:docDefaults><w:rPrDefault><w:rPr>"
    '<w:rFonts w:ascii="Georgia" w:hAnsi="Georgia"/><w:sz w:val="22"/><w:lang w:val="en-GB"/>'
    "</w:rPr></w:rPrDefault></w:docDefaults>"
    + style("paragraph", "Normal", "Normal", '<w:spacing w:after="120"/>', "", None,
            ' w:default="1"')
    + style("paragraph", "Title", "Title", '<w:jc w:val="center"/>',
            '<w:rFonts w:ascii="Arial"/><w:b/><w:sz w:val="48"/>')
    + style("paragraph", "Subtitle", "Subtitle", '<w:jc w:val="center"/>', "<w:i/>")
    + style("paragraph", "Heading1", "heading 1",
            '<w:spacing w:before="240" w:after="120"/><w:outlineLvl w:val="0"/>',
            '<w:rFonts w:ascii="Arial"/><w:b/><w:color w:val="1F3864"/><w:sz w:val="32"/>')
    + style("paragraph", "Heading2", "heading 2", '<w:outlineLvl w:val="1"/>',
            '<w:rFonts w:ascii="Arial"/><w:b/><w:sz w:val="26"/>')
    + style("paragraph", "ListParagraph", "List Paragraph", '<w:ind w:left="720"/>')
    + style("paragraph", "Caption", "caption", '<w:jc w:val="center"/>')
    + style("paragraph", "FootnoteText", "footnote text", "", '<w:sz w:val="18"/>')
    + style("character", "FootnoteReference", "footnote reference", "",
            '<w:vertAlign w:val="superscript"/>', None)
    + style("table", "TableGrid", "Table Grid", "", "", None)
    + "</w:styles>")

NUMBERING = (
    f"<w:numbering {NS}><w:abstractNum w:abstractNumId=\"0\"><w:lvl w:ilvl=\"0\">"
    '<w:start w:val="1"/><w:numFmt w:val="bullet"/><w:lvlText w:val="\uf0a7"/>'
    '<w:lvlJc w:val="left"/><w:pPr><w:ind w:left="720" w:hanging="360"/></w:pPr>'
    '<w:rPr><w:rFonts w:ascii="Wingdings" w:hAnsi="Wingdings" w:hint="default"/></w:rPr>'
    '</w:lvl></w:abstractNum><w:num w:numId="1"><w:abstractNumId w:val="0"/></w:num>'
    "</w:numbering>")

FONTS = (
    f'<w:fonts {NS}><w:font w:name="Georgia"><w:panose1 w:val="02040502050405020303"/></w:font>'
    '<w:font w:name="Arial"><w:panose1 w:val="020B0604020202020204"/></w:font>'
    '<w:font w:name="Wingdings"><w:panose1 w:val="05000000000000000000"/></w:font></w:fonts>')

DOCUMENT = (f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?><w:document {NS}><w:body>'
            + BODY + '<w:sectPr><w:pgSz w:w="11906" w:h="16838"/><w:pgMar w:top="1440" '
            'w:right="1440" w:bottom="1440" w:left="1440"/></w:sectPr></w:body></w:document>')

REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
DOC_RELS = (
    '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
    '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
    f'<Relationship Id="rId1" Type="{REL}styles" Target="styles.xml"/>'
    f'<Relationship Id="rId2" Type="{REL}numbering" Target="numbering.xml"/>'
    f'<Relationship Id="rId3" Type="{REL}footnotes" Target="footnotes.xml"/>'
    f'<Relationship Id="rId4" Type="{REL}fontTable" Target="fontTable.xml"/>'
    f'<Relationship Id="rId10" Type="{REL}image" Target="media/image1.png"/>'
    f'<Relationship Id="rId11" Type="{REL}image" Target="media/image2.jpeg"/>'
    "</Relationships>")

MAIN = "application/vnd.openxmlformats-officedocument.wordprocessingml."
CONTENT_TYPES = (
    '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
    '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
    '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
    '<Default Extension="xml" ContentType="application/xml"/>'
    '<Default Extension="png" ContentType="image/png"/>'
    '<Default Extension="jpeg" ContentType="image/jpeg"/>'
    f'<Override PartName="/word/document.xml" ContentType="{MAIN}document.main+xml"/>'
    f'<Override PartName="/word/styles.xml" ContentType="{MAIN}styles+xml"/>'
    f'<Override PartName="/word/numbering.xml" ContentType="{MAIN}numbering+xml"/>'
    f'<Override PartName="/word/footnotes.xml" ContentType="{MAIN}footnotes+xml"/>'
    f'<Override PartName="/word/fontTable.xml" ContentType="{MAIN}fontTable+xml"/>'
    '<Override PartName="/docProps/core.xml" '
    'ContentType="application/vnd.openxmlformats-package.core-properties+xml"/></Types>')

PACKAGE_RELS = (
    '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
    '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
    f'<Relationship Id="rId1" Type="{REL}officeDocument" Target="word/document.xml"/>'
    '<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/package/2006/relationships/'
    'metadata/core-properties" Target="docProps/core.xml"/></Relationships>')

CORE = (
    '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
    '<cp:coreProperties xmlns:cp="http://schemas.openxmlformats.org/package/2006/metadata/'
    'core-properties" xmlns:dc="http://purl.org/dc/elements/1.1/">'
    "<dc:title>A Weekend in Port Mérel</dc:title><dc:creator>Quillery</dc:creator>"
    "<dc:description>The Word example book: a short guide to an imaginary fishing town."
    "</dc:description></cp:coreProperties>")


def main():
    with open(os.path.join(ROOT, "images", "lighthouse.png"), "rb") as f:
        lighthouse = f.read()
    with open(os.path.join(ROOT, "images", "harbour.jpg"), "rb") as f:
        harbour = f.read()
    entries = [
        ("[Content_Types].xml", CONTENT_TYPES), ("_rels/.rels", PACKAGE_RELS),
        ("docProps/core.xml", CORE), ("word/document.xml", DOCUMENT),
        ("word/_rels/document.xml.rels", DOC_RELS), ("word/styles.xml", STYLES),
        ("word/numbering.xml", NUMBERING), ("word/footnotes.xml", FOOTNOTES),
        ("word/fontTable.xml", FONTS), ("word/media/image1.png", lighthouse),
        ("word/media/image2.jpeg", harbour),
    ]
    with zipfile.ZipFile(OUT, "w") as archive:
        for name, data in entries:
            info = zipfile.ZipInfo(name, date_time=(2026, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            archive.writestr(info, data.encode("utf-8") if isinstance(data, str) else data)
    print(OUT)


if __name__ == "__main__":
    main()
