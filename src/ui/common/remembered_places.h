// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tavimo::ui {

// What Tavimo remembers between runs, in the user's settings (~/.config/Tavimo/Tavimo.conf).

// The project files last opened or saved, the latest first, at most kRecentFiles.
constexpr int kRecentFiles = 10;
QStringList recentFiles();
// Puts `path` first in the list, once.
void rememberRecentFile(const QString& path);

// The folder a file dialog of `kind` ("project", "export") last took a file from;
// empty before the first.
QString lastFolder(const QString& kind);
// Remembers the folder of `path` for the dialogs of `kind`.
void rememberFolderOf(const QString& kind, const QString& path);

// The network file last read by the network import dialog; empty before the first.
QString rememberedNetworkFile();
void rememberNetworkFile(const QString& path);

// A window's size and place (QWidget::saveGeometry) or a table header's columns
// (QHeaderView::saveState) under `name`; empty before the first.
QByteArray rememberedLayout(const QString& name);
void rememberLayout(const QString& name, const QByteArray& layout);

// The frame window's size and place as QWidget::saveGeometry() gives them; empty
// before the first close.
QByteArray rememberedFrameGeometry();
void rememberFrameGeometry(const QByteArray& geometry);

}  // namespace tavimo::ui
