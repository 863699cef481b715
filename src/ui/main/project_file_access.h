// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <variant>

#include "io/project_file.h"

namespace tavimo::ui {

// A project file read whole and found fit to open, or the reason it is not, in words
// for the user ("Unable to open <file>: ...").
std::variant<ProjectValues, QString> readProjectFile(const QString& path);

// The bytes of a project file (Windows-1252, CR LF), or the reason the values cannot
// be stored in one.
std::variant<QByteArray, QString> encodeProjectFile(const ProjectValues& values);

// Replaces the file at `path` with `bytes` as a whole: on any failure the old file is
// left as it was and no partial file remains. The reason in words, or empty.
QString writeProjectFile(const QString& path, const QByteArray& bytes);

}  // namespace tavimo::ui
