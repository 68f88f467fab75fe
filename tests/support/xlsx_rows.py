"""Reads an XLSX sheet with openpyxl, a reader DocMar does not use, and prints it for the tests.

Lines: the sheet's name, the frozen cell, the autofilter's range; then every row, its cells separated
by tabs (cached values: dates as dd.mm.yyyy, numbers as Python writes them); then the last row's formulas;
then the outline level of every row from the third.
"""
import datetime
import sys

import openpyxl


def text(value):
    if value is None:
        return ""
    if isinstance(value, datetime.datetime):
        return value.strftime("%d.%m.%Y")
    return str(value)


values = openpyxl.load_workbook(sys.argv[1], data_only=True).active
formulas = openpyxl.load_workbook(sys.argv[1]).active
print(values.title)
print(values.freeze_panes)
print(values.auto_filter.ref)
for row in values.iter_rows(values_only=True):
    print("\t".join(text(v) for v in row))
print("\t".join(text(c.value) for c in formulas[formulas.max_row]))
print(" ".join(str(formulas.row_dimensions[r].outline_level) for r in range(3, formulas.max_row + 1)))
