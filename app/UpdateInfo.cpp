#include "UpdateInfo.h"

#include <QRegularExpression>
#include <QStringList>

UpdateInfo UpdateInfo::parse(const QByteArray& text)
{
    UpdateInfo info;
    bool inSection = false;
    for (QString line : QString::fromUtf8(text).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';'))
            || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            inSection = line.compare(QLatin1String("[Update]"), Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inSection || equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed().toLower();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == QLatin1String("version"))
            info.version = value;
        else if (key == QLatin1String("package"))
            info.packageUrl = value;
        else if (key == QLatin1String("whatsnew"))
            info.whatsNew = QString(value).replace(QLatin1String("\\n"), QLatin1String("\n"));
    }
    static const QRegularExpression versionShape(QStringLiteral("^\\d+(\\.\\d+){0,3}$"));
    info.valid = versionShape.match(info.version).hasMatch() && !info.packageUrl.isEmpty();
    return info;
}

namespace Update {

QString controlFileUrl(const QString& server)
{
    QString base = server.trimmed();
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base + QLatin1Char('/') + Folder + QLatin1Char('/') + ControlFile;
}

int compareVersions(const QString& a, const QString& b)
{
    const QStringList left = a.split(QLatin1Char('.'));
    const QStringList right = b.split(QLatin1Char('.'));
    for (qsizetype i = 0; i < std::max(left.size(), right.size()); ++i) {
        const long long x = i < left.size() ? left.at(i).toLongLong() : 0;
        const long long y = i < right.size() ? right.at(i).toLongLong() : 0;
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

} // namespace Update
