#!/usr/bin/env python3
"""Writes the .xls fixture workbooks of the tests into this folder.

Needs python3-xlwt (a Debian package); the tests use the committed .xls files and need no
Python. Run it again after changing a workbook here, and commit both.
"""
import datetime
import os

import xlwt

HERE = os.path.dirname(os.path.abspath(__file__))


def workbook(name, sheets):
    """sheets: list of (sheet name, rows); a row is a list of cell values, None for empty."""
    book = xlwt.Workbook(encoding="utf-8")
    date_style = xlwt.easyxf(num_format_str="YYYY-MM-DD")
    for sheet_name, rows in sheets:
        sheet = book.add_sheet(sheet_name)
        for r, row in enumerate(rows):
            for c, value in enumerate(row):
                if value is None:
                    continue
                if isinstance(value, datetime.date):
                    sheet.write(r, c, value, date_style)
                else:
                    sheet.write(r, c, value)
    book.save(os.path.join(HERE, name))


# The worksheet reader: sheet lookup in any letter case, cell kinds, the title row.
workbook("reader.xls", [
    ("Notes", [["just", "text"]]),
    ("Mixed", [
        ["Index", "Frame", "PosComp"],
        [100, 2.0, "33"],
        [0.5, -7, None],
        ["0x10", 1e20, "città"],
        [None, None, None],
        [datetime.date(2026, 12, 9), 3, 4],
    ]),
])


# The transmit register map's import: the worksheet TInfoCob in any letter case, records by
# column position, the records that are skipped and the ones that end the import.
TITLES = ["Index", "NrPdo", "PosComp"]
workbook("tinfocob.xls", [
    ("Notes", [["not", "this", "sheet"], [1, 1, 1]]),
    ("TInfoCob", [
        TITLES + ["Comment"],
        [100, 2, 33, "a fourth column is ignored"],
        ["0x10", "1", "17"],
        [7, 130, 136],         # 130 keeps its low seven bits: frame 2
        [8, 5, 1],             # beyond the two frames: skipped
        [9, 1, None],          # the record after a skipped one; an empty PosComp
        [10, 128, 1],          # low seven bits 0: skipped
        ["100", "$1", "0"],    # a duplicate Index, a hexadecimal frame number
        [12.5, -126, "x"],     # -126 keeps 2; texts are not checked
    ]),
])
workbook("tinfocob_lower.xls", [("tinfocob", [TITLES, [1, 1, 33]])])
workbook("tinfocob_upper.xls", [("TINFOCOB", [TITLES, [2, 1, 17]])])
workbook("without_tinfocob.xls", [
    ("Sheet1", [TITLES, [1, 1, 33]]),
    ("TInfoCob2", [TITLES, [2, 1, 33]]),
    ("RInfoCob", [TITLES, [3, 1, 33]]),
])
workbook("tinfocob_titles_only.xls", [("TInfoCob", [TITLES])])
workbook("tinfocob_gap.xls", [("TInfoCob", [TITLES, [1, 1, 33], [2, None, 17], [3, 1, 0]])])
workbook("tinfocob_bad_frame.xls", [("TInfoCob", [TITLES, [1, 1, 33], [2, "two", 17], [3, 1, 0]])])
workbook("tinfocob_two_columns.xls", [("TInfoCob", [TITLES[:2], [1, 1], [2, 1]])])


def spreadsheet_value(text):
    """A CSV field as a spreadsheet takes it when it opens the file: plain decimal integers
    become numbers, every other field stays text."""
    plain = text.lstrip("-")
    if plain.isdigit() and (plain == "0" or not plain.startswith("0")):
        return int(text)
    return text


# The export of a map opened in a spreadsheet, a title row put above it, saved as .xls.
def workbook_from_export(csv_name, xls_name):
    import csv
    with open(os.path.join(HERE, csv_name), newline="", encoding="utf-8") as export:
        records = [[spreadsheet_value(field) for field in row[:3]] for row in csv.reader(export)]
    workbook(xls_name, [("TInfoCob", [TITLES] + records)])


workbook_from_export("roundtrip.csv", "roundtrip.xls")


# The EMCY translation import: the worksheet emcydef in any letter case, eleven columns by
# position (a twelfth is ignored), empty cells, duplicate IDs.
EMCYDEF_TITLES = ["id_dev", "mask_eq_ec", "mask_eq_er", "mask_eq_m1", "mask_eq_m2", "mask_eq_m3",
                  "enmask_eq_ec", "enmask_eq_er", "enmask_eq_m1", "enmask_eq_m2", "enmask_eq_m3", "bypass_set"]
workbook("emcydef.xls", [
    ("Notes", [["not", "this"], [1, 2]]),
    ("EmcyDef", [
        EMCYDEF_TITLES,
        [5, 65535, 255, "0x10", 2, 3, 4, 5, 6, 7, 8, 9],
        ["ID 12", None, None, None, None, None, None, None, None, None, None, None],
        [5, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1],
    ]),
])
workbook("emcydef_short.xls", [("emcydef", [EMCYDEF_TITLES[:10], [5, 1, 1, 1, 1, 1, 1, 1, 1, 1]])])

# The EMCY word import: 49 fields by position, cell k of the first record holding 100 + k; the
# second record's empty cells give "0".
EMCYWORD_TITLES = ["field%d" % k for k in range(1, 50)]
workbook("emcyword.xls", [
    ("EMCYWORD", [
        EMCYWORD_TITLES + ["ignored"],
        [100 + k for k in range(1, 50)] + ["x"],
        [7] + [None] * 48,
    ]),
])
workbook("emcyword_short.xls", [("emcyword", [EMCYWORD_TITLES[:48], list(range(48))])])
workbook("without_emcy.xls", [("Sheet1", [["id_dev"], [5]]), ("emcydef2", [["id_dev"], [6]])])
# The SDO table's import: the worksheet sdo in any letter case, records by column position,
# conf decoded into Hi Word, R/W and Lo Word, column 3 ignored.
SDO_TITLES = ["conf", "IndexA", "SubindexA", "devIDB", "IndexB", "SubindexB", "nbyteB", "mnemonico"]
workbook("sdo.xls", [
    ("Notes", [SDO_TITLES, [1, 1, 0, 1, 8192, 0, 1, "not this sheet"]]),
    ("SDO", [
        SDO_TITLES,
        [83, 300, 9, 5, "0x2000", 1, 2, "pressure, left"],
        [None, 20, None, 127, 65535, 255, 4, None],   # no conf: the three cells stay empty
        ["abc", "0x14", 0, None, 8192, 0, 1, "x"],    # a conf that is no integer: 0, 0, 0
        [16, 100, 0, 1, 8192, 0, 3, "m", "ninth column"],
    ]),
])
workbook("sdo_six_columns.xls", [("sdo", [SDO_TITLES[:6], [83, 300, 0, 5, 8192, 1]])])
