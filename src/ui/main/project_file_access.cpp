// SPDX-License-Identifier: MIT
#include "ui/main/project_file_access.h"

#include <QFile>
#include <utility>

#include "io/atomic_file.h"
#include "io/project_read.h"
#include "io/windows1252.h"

namespace tavimo::ui {

namespace {

// The first value that Windows-1252 cannot hold, named as the user knows it.
QString unencodableValue(const ProjectValues& v) {
    const std::pair<const char*, const std::array<std::string, 8>*> rows[] = {
        {"a movement", &v.movements}, {"a split", &v.splits}, {"a minimum green", &v.minGreens},
        {"an amber time", &v.ambers}, {"an all-red time", &v.reds}, {"the phase order", &v.order}};
    if (!toWindows1252(v.description)) return QStringLiteral("the intersection description");
    for (const auto& [name, values] : rows)
        for (const std::string& value : *values)
            if (!toWindows1252(value)) return QString::fromLatin1(name);
    return QStringLiteral("the cycle length or a header value");
}

}  // namespace

std::variant<ProjectValues, QString> readProjectFile(const QString& path) {
    // The same reader as the command-line calculator's: one byte limit, no blocking
    // on a FIFO, and the same words for what is wrong.
    auto read = tavimo::readProjectFile(path.toStdString());
    if (const std::string* why = std::get_if<std::string>(&read)) return QString::fromStdString(*why);
    return std::get<ProjectValues>(std::move(read));
}

std::variant<QByteArray, QString> encodeProjectFile(const ProjectValues& values) {
    // A comma typed into a time would shift the rest of its line when the file is
    // opened again: refuse before anything is written.
    if (const std::optional<std::string> unstorable = unstorableValue(values))
        return QStringLiteral("Unable to save: %1, which a Tavimo file cannot store. "
                              "Please change it and save again.")
            .arg(QString::fromStdString(*unstorable));
    const std::optional<std::string> bytes = toWindows1252(formatProject(values));
    if (!bytes)
        return QStringLiteral("Unable to save: %1 holds characters that a Tavimo file cannot store. "
                              "Please change it and save again.")
            .arg(unencodableValue(values));
    return QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size()));
}

QString writeProjectFile(const QString& path, const QByteArray& bytes) {
    // The one atomic writer of every file Tavimo writes: synced and checked before it
    // takes the old file's name, so a full disk leaves the old file whole.
    const std::optional<FileWriteFailure> failed = writeFileAtomically(
        QFile::encodeName(path).toStdString(), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!failed) return {};
    return QStringLiteral("Unable to save %1: %2").arg(path, QString::fromLocal8Bit(failed->reason.c_str()));
}

}  // namespace tavimo::ui
