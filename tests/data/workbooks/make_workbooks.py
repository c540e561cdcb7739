#!/usr/bin/env python3
"""Writes the fixture workbooks of the tests into this folder.

Needs python3-xlwt (.xls) and python3-openpyxl (.xlsx), both Debian packages; the tests use the
committed files and need no Python. Run it again after changing a workbook here, and commit
them all.
"""
import datetime
import os

import openpyxl
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


def xlsx_workbook(name, sheets):
    """The same for an .xlsx workbook, as openpyxl writes it (shared strings)."""
    book = openpyxl.Workbook()
    book.remove(book.active)
    for sheet_name, rows in sheets:
        sheet = book.create_sheet(sheet_name)
        for row in rows:
            sheet.append(row)
    book.save(os.path.join(HERE, name))


# The register maps' import: the worksheet TInfoCob in any letter case, rows by column
# position, the rows that are skipped and why, the Write flag of column 4.
TITLES = ["Index", "NrPdo", "PosComp"]
workbook("tinfocob.xls", [
    ("Notes", [["not", "this", "sheet"], [1, 1, 1]]),
    ("TInfoCob", [
        TITLES + ["Write_J1939", "Comment"],
        [100, 2, 33, 1, "a fifth column is ignored"],
        ["0x10", "1", "17", "0"],
        [7, 130, 136, 1],      # no frame 130 in two frames: skipped
        [9, 1, None],          # no PosComp
        [None, 1, 5],          # no Index
        [12.5, 1, 3],          # an Index that is no integer
        [],                    # an empty row is passed over
        ["100", "$1", "0", "yes"],  # a duplicate Index, a hexadecimal frame, a Write flag read as 0
        [8, "two", 1],         # a frame number that is no integer
        [11, None, 1],         # no frame number
        [13, 2, "0x21", True],  # a boolean Write flag
    ]),
])
# A stray cell far to the right at the sheet's last row: the used rows stay few.
workbook("tinfocob_stray_cell.xls", [
    ("TInfoCob", [[1, 1, 33, 1], [2, 1, 17, 0]] + [[]] * 65533 + [[None] * 60 + ["stray"]]),
])
workbook("tinfocob_lower.xls", [("tinfocob", [TITLES, [1, 1, 33]])])
workbook("tinfocob_upper.xls", [("TINFOCOB", [TITLES, [2, 1, 17]])])
workbook("without_tinfocob.xls", [
    ("Sheet1", [TITLES, [1, 1, 33]]),
    ("TInfoCob2", [TITLES, [2, 1, 33]]),
    ("RInfoCob", [TITLES, [3, 1, 33]]),
])
workbook("tinfocob_titles_only.xls", [("TInfoCob", [TITLES])])


def spreadsheet_value(text):
    """A CSV field as a spreadsheet takes it when it opens the file: plain decimal integers
    become numbers, every other field stays text."""
    plain = text.lstrip("-")
    if plain.isdigit() and (plain == "0" or not plain.startswith("0")):
        return int(text)
    return text


# The export of a map opened in a spreadsheet and saved as .xls or .xlsx, with a title row put
# above it and without.
def workbooks_from_export(csv_name, stem):
    import csv
    with open(os.path.join(HERE, csv_name), newline="", encoding="utf-8") as export:
        records = [[spreadsheet_value(field) for field in row] for row in csv.reader(export)]
    titled = [("TInfoCob", [TITLES + ["Write_J1939"]] + records)]
    untitled = [("TInfoCob", records)]
    workbook(stem + ".xls", titled)
    workbook(stem + "_untitled.xls", untitled)
    xlsx_workbook(stem + ".xlsx", titled)
    xlsx_workbook(stem + "_untitled.xlsx", untitled)


workbooks_from_export("roundtrip.csv", "roundtrip")


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
