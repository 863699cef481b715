// SPDX-License-Identifier: MIT
#include "ui/common/remembered_places.h"

#include <QFileInfo>
#include <QSettings>

namespace tavimo::ui {

namespace {

// Named here rather than taken from the application, so that the program and its
// tests read the same file.
const QString kOrganization = QStringLiteral("Tavimo");
const QString kApplication = QStringLiteral("Tavimo");
const QString kRecentKey = QStringLiteral("files/recent");

QString folderKey(const QString& kind) { return QStringLiteral("folders/") + kind; }

}  // namespace

QStringList recentFiles() {
    const QSettings settings(kOrganization, kApplication);
    return settings.value(kRecentKey).toStringList().mid(0, kRecentFiles);
}

void rememberRecentFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = recentFiles();
    files.removeAll(absolute);
    files.prepend(absolute);
    QSettings settings(kOrganization, kApplication);
    settings.setValue(kRecentKey, files.mid(0, kRecentFiles));
}

QString lastFolder(const QString& kind) {
    const QSettings settings(kOrganization, kApplication);
    return settings.value(folderKey(kind)).toString();
}

void rememberFolderOf(const QString& kind, const QString& path) {
    QSettings settings(kOrganization, kApplication);
    settings.setValue(folderKey(kind), QFileInfo(path).absolutePath());
}

QString rememberedNetworkFile() {
    const QSettings settings(kOrganization, kApplication);
    return settings.value(QStringLiteral("files/network")).toString();
}

void rememberNetworkFile(const QString& path) {
    QSettings settings(kOrganization, kApplication);
    settings.setValue(QStringLiteral("files/network"), QFileInfo(path).absoluteFilePath());
}

QByteArray rememberedLayout(const QString& name) {
    const QSettings settings(kOrganization, kApplication);
    return settings.value(QStringLiteral("layout/") + name).toByteArray();
}

void rememberLayout(const QString& name, const QByteArray& layout) {
    QSettings settings(kOrganization, kApplication);
    settings.setValue(QStringLiteral("layout/") + name, layout);
}

QByteArray rememberedFrameGeometry() {
    const QSettings settings(kOrganization, kApplication);
    return settings.value(QStringLiteral("window/geometry")).toByteArray();
}

void rememberFrameGeometry(const QByteArray& geometry) {
    QSettings settings(kOrganization, kApplication);
    settings.setValue(QStringLiteral("window/geometry"), geometry);
}

}  // namespace tavimo::ui
