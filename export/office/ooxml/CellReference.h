#pragma once

// Cell references of a worksheet, such as "AB12": column letters in base 26
// (A = 1), then the row; and the size of a sheet, beyond which there are no
// cells.
class CellReference
{
public:
    static constexpr int rowLimit = 1048576;
    static constexpr int columnLimit = 16384;

    static bool isCell(int row, int column)
    {
        return row >= 1 && row <= rowLimit && column >= 1 && column <= columnLimit;
    }
    // Column number of the reference's letters, or 0 when there are none or
    // they lie beyond the sheet.
    static int column(const char *reference);
    // The reference of the cell, written into the buffer.
    static const char *write(int row, int column, char (&buffer)[24]);
};
