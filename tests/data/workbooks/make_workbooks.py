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
