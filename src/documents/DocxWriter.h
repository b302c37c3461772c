#pragma once

#include "core/model/Result.h"

#include <QByteArray>
#include <QString>

class WordDocument;

// The body part of the package (word/document.xml).
QByteArray DocxDocumentXml(const WordDocument& document);

// The whole .docx package (a zip of WordprocessingML parts); the failure
// says why it could not be built.
Result<QByteArray> DocxPackage(const WordDocument& document);

// Writes the package to `path` through a temporary file, so that a failure
// leaves any previous file intact; the failure is Italian and names the
// file.
Result<> SaveDocx(const WordDocument& document, const QString& path);
