// SPDX-License-Identifier: MIT
#include "ui/main/project_file_access.h"

#include <QFile>
#include <QSaveFile>
#include <utility>

namespace tavimo::ui {

namespace {

// A signal takes a few hundred bytes; anything near this size is some other file,
// and is not read into memory.
constexpr qint64 kLargestProjectFile = 1 << 20;

QString unableToOpen(const QString& path, const QString& reason) {
    return QStringLiteral("Unable to open %1: %2").arg(path, reason);
}

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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return unableToOpen(path, file.errorString());
    if (file.size() > kLargestProjectFile)
        return unableToOpen(path, QStringLiteral("the file is too large to be a Tavimo signal."));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return unableToOpen(path, file.errorString());
    file.close();

    ProjectValues values = parseProject(fromWindows1252(std::string_view(bytes.constData(), bytes.size())));
    if (auto wrong = validateProject(values))
        return unableToOpen(path, QStringLiteral("not a Tavimo signal (%1).").arg(QString::fromStdString(*wrong)));
    return values;
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return QStringLiteral("Unable to save %1: %2").arg(path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return QStringLiteral("Unable to save %1: %2").arg(path, reason);
    }
    if (!file.commit()) return QStringLiteral("Unable to save %1: %2").arg(path, file.errorString());
    return {};
}

}  // namespace tavimo::ui
