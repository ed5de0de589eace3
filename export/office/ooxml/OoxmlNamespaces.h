#pragma once

#include <QString>

// Namespace URIs and part-level constants of Office Open XML, and the prefixes
// that new declarations use when a part does not declare a namespace yet.
namespace Ooxml {

inline const QString xmlNs = QStringLiteral("http://www.w3.org/XML/1998/namespace");
inline const QString xmlnsNs = QStringLiteral("http://www.w3.org/2000/xmlns/");

inline const QString contentTypesNs =
    QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types");
inline const QString packageRelationshipsNs =
    QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships");
inline const QString relationshipsNs =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
inline const QString wordNs =
    QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
inline const QString word2010Ns =
    QStringLiteral("http://schemas.microsoft.com/office/word/2010/wordml");
inline const QString wordDrawingNs =
    QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing");
inline const QString drawingNs =
    QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/main");
inline const QString pictureNs =
    QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/picture");
inline const QString compatibilityNs =
    QStringLiteral("http://schemas.openxmlformats.org/markup-compatibility/2006");
inline const QString sheetNs =
    QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main");

inline const QString officeDocumentType = QStringLiteral(
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument");
inline const QString imageType =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/image");
inline const QString worksheetType =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet");
inline const QString sharedStringsType = QStringLiteral(
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings");
inline const QString calcChainType =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/calcChain");

// Prefix used when a namespace has to be declared; "ns" for any other.
QString preferredPrefix(const QString &namespaceUri);

} // namespace Ooxml
