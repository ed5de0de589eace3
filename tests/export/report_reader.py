#!/usr/bin/python3
# Reads a report as an independent reader would and prints what it holds as
# JSON: python-docx for a Word document (paragraph texts, table cell texts,
# inline pictures, bookmark names), openpyxl for a workbook (sheet names and
# the cells of the first sheet, with the "_xHHHH_" escapes of SpreadsheetML
# decoded as Office does). Exits with 1 and the reader's complaint when it
# cannot open the file.
import json
import sys


def read_docx(path):
    import docx
    from docx.oxml.ns import qn

    document = docx.Document(path)
    body = document.element.body
    return {
        "paragraphs": [p.text for p in document.paragraphs],
        "tables": [[[cell.text for cell in row.cells] for row in table.rows]
                   for table in document.tables],
        "pictures": len(document.inline_shapes),
        "bookmarks": [b.get(qn("w:name")) for b in body.iter(qn("w:bookmarkStart"))],
    }


def read_xlsx(path):
    import openpyxl
    from openpyxl.utils.escape import unescape

    workbook = openpyxl.load_workbook(path)
    sheet = workbook.worksheets[0]
    cells = {}
    for row in sheet.iter_rows():
        for cell in row:
            if cell.value is not None:
                cells[cell.coordinate] = unescape(str(cell.value))
    return {"sheets": workbook.sheetnames, "cells": cells}


def main():
    path = sys.argv[1]
    try:
        content = read_xlsx(path) if path.endswith(".xlsx") else read_docx(path)
    except Exception as error:  # any complaint of the reader is the answer
        print(f"{type(error).__name__}: {error}", file=sys.stderr)
        return 1
    json.dump(content, sys.stdout, ensure_ascii=False)
    return 0


if __name__ == "__main__":
    sys.exit(main())
