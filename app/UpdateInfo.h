#pragma once

#include <QString>

// The update server's control file "_update_project.INF", an INI text:
//   [Update]
//   Version=1.0.1.0
//   Package=http://update.quelmo.example/Quelmo_update/quelmo_1.0.1.0_amd64.deb
//   WhatsNew=One line of news.\nAnother line.
struct UpdateInfo
{
    QString version;
    QString packageUrl;
    QString whatsNew;
    bool valid = false;

    static UpdateInfo parse(const QByteArray& text);
};

namespace Update {
inline const QString ControlFile = QStringLiteral("_update_project.INF");
inline const QString Folder = QStringLiteral("Quelmo_update");

// The control file's address under the update server's address.
QString controlFileUrl(const QString& server);
// Negative, zero or positive as a is older than, the same as or newer than
// b; versions are numbers separated by points, missing numbers count as 0.
int compareVersions(const QString& a, const QString& b);
} // namespace Update
