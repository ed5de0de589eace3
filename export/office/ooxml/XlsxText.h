#pragma once

#include <QString>

#include <pugixml.hpp>

// Text in SpreadsheetML: rich text items and the "_xHHHH_" escapes that
// stand for characters XML cannot carry.
namespace XlsxText {

// Text of a string item (shared string or inline string): its text and the
// text of its runs, escapes decoded; phonetic runs are left out.
QString itemText(pugi::xml_node item);

QString decodeEscapes(const QString &text);
// Escapes control characters, and the underscore of a literal "_xHHHH_".
QString encodeEscapes(const QString &text);

} // namespace XlsxText
