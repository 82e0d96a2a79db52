#pragma once

#include <QString>

// Makes a fresh memo store at `storePath` from the schema file: the five page
// tables, each with its row ID = 1 holding an RTF document without text.
// Returns an empty string on success, otherwise what went wrong. An existing
// file is never touched.
QString buildStore(const QString &schemaPath, const QString &storePath);
