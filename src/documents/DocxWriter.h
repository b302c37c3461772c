#pragma once

#include <QByteArray>
#include <QString>

class WordDocument;

// The body part of the package (word/document.xml).
QByteArray DocxDocumentXml(const WordDocument& document);

// The whole .docx package (a zip of WordprocessingML parts); empty, with
// `error` set, when the package could not be built.
QByteArray DocxPackage(const WordDocument& document, QString* error = nullptr);

// Writes the package to `path` through a temporary file, so that a failure
// leaves any previous file intact. False, with an Italian `error` that names
// the file, when it could not be written.
bool SaveDocx(const WordDocument& document, const QString& path, QString* error = nullptr);
