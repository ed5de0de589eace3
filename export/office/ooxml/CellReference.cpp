#include "export/office/ooxml/CellReference.h"

#include <cstdio>

int CellReference::column(const char *reference)
{
    int column = 0;
    for (const char *c = reference; *c >= 'A' && *c <= 'Z'; ++c) {
        column = column * 26 + (*c - 'A' + 1);
        if (column > columnLimit)
            return 0;
    }
    return column;
}

const char *CellReference::write(int row, int column, char (&buffer)[24])
{
    char letters[8];
    int start = sizeof letters;
    for (; column > 0 && start > 0; column = (column - 1) / 26)
        letters[--start] = static_cast<char>('A' + (column - 1) % 26);
    std::snprintf(buffer, sizeof buffer, "%.*s%d", static_cast<int>(sizeof letters) - start,
                  letters + start, row);
    return buffer;
}
