#!/usr/bin/python3
# Reads an .xls file with xlrd and prints what the Excel export tests compare, as JSON: the
# BIFF version, and per sheet its name, cells (with number formats and fonts), row heights,
# column widths, page breaks and notes.
import json
import os
import sys

import struct

import xlrd
import xlrd.compdoc


def cell_json(book, sheet, row, col):
    cell = sheet.cell(row, col)
    entry = {"row": row, "col": col, "value": cell.value}
    if cell.ctype == xlrd.XL_CELL_NUMBER:
        entry["type"] = "number"
        xf = book.xf_list[cell.xf_index]
        entry["format"] = book.format_map[xf.format_key].format_str
    elif cell.ctype == xlrd.XL_CELL_TEXT:
        entry["type"] = "text"
    else:
        return None
    font = book.font_list[book.xf_list[cell.xf_index].font_index]
    entry["font"] = {"height": font.height, "bold": bool(font.bold), "italic": bool(font.italic)}
    return entry


def sheet_json(book, sheet):
    cells = []
    for row in range(sheet.nrows):
        for col in range(sheet.ncols):
            entry = cell_json(book, sheet, row, col)
            if entry:
                cells.append(entry)
    return {
        "name": sheet.name,
        "nrows": sheet.nrows,
        "ncols": sheet.ncols,
        "cells": cells,
        "rows": {str(r): {"height": info.height, "default": info.has_default_height,
                          "custom": info.height_mismatch}
                 for r, info in sheet.rowinfo_map.items()},
        "colwidths": {str(c): info.width for c, info in sheet.colinfo_map.items()},
        "breaks": [b[0] for b in sheet.horizontal_page_breaks],
        "notes": {"%d,%d" % key: note.text for key, note in sheet.cell_note_map.items()},
    }


def print_setup(path):
    """The print set-up records xlrd does not report: WSBOOL's fit-to-page bit and the
    SETUP record's fit width and height, per worksheet in stream order."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] == b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1":
        doc = xlrd.compdoc.CompDoc(data, logfile=open(os.devnull, "w"))
        data = doc.get_named_stream("Workbook") or doc.get_named_stream("Book")
    fits, setups, pos = [], [], 0
    while pos + 4 <= len(data):
        kind, size = struct.unpack("<HH", data[pos:pos + 4])
        body = data[pos + 4:pos + 4 + size]
        if kind == 0x0081:
            fits.append(bool(struct.unpack("<H", body[:2])[0] & 0x0100))
        elif kind == 0x00A1:
            setups.append(list(struct.unpack("<HHHHHH", body[:12])))
        pos += 4 + size
    return {"fit_to_page": fits, "setup": setups}


def main():
    with open(os.devnull, "w") as quiet:
        book = xlrd.open_workbook(sys.argv[1], formatting_info=True, logfile=quiet)
        result = {
            "biff_version": book.biff_version,
            "sheets": [sheet_json(book, book.sheet_by_index(i)) for i in range(book.nsheets)],
            "print": print_setup(sys.argv[1]),
        }
    json.dump(result, sys.stdout, ensure_ascii=False)


main()
