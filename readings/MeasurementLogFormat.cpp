#include "MeasurementLogFormat.h"

#include "i18n/MainMessages.h"
#include "readings/MemoStore.h"

#include <QSaveFile>

#include <algorithm>

namespace {

bool isAscii(const QByteArray& bytes)
{
    return std::all_of(
        bytes.cbegin(), bytes.cend(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

namespace MeasurementLogFormat {

QString number(double value)
{
    return QString::number(value, 'g', 15);
}

QString line(const QDateTime& when, const Reading& reading, bool hasHumidity)
{
    QString text = when.toString(QStringLiteral("dd/MM/yy HH:mm:ss")) + QStringLiteral("; ")
        + number(reading.temperature);
    if (hasHumidity)
        text += QStringLiteral("; ") + number(reading.humidity);
    return text;
}

QString headerLine1(const MainMessages& messages)
{
    return QStringLiteral(";LOG ") + messages.strsTempUmi + QLatin1Char(' ')
        + messages.strsRilevata;
}

QString headerLine2(const MainMessages& messages, const QString& unitSuffix)
{
    return QLatin1Char(';') + messages.strsDataOra + QLatin1Char('\t') + messages.strsTemp
        + QStringLiteral(" (") + unitSuffix + QStringLiteral(")\t") + messages.strsUmi
        + QStringLiteral(" (%)");
}

QString autoSaveLabel(int minutes)
{
    const int hours = minutes / 60;
    const int rest = minutes % 60;
    QString text = QStringLiteral("[ ");
    if (hours > 0)
        text += QString::number(hours) + QStringLiteral("h ");
    if (rest > 0)
        text += QString::number(rest) + QLatin1Char('m');
    return text + QStringLiteral(" ]");
}

QString autoSavePath(
    const QString& customPath, const QString& dataFolder, const QString& sensorCode)
{
    if (!customPath.isEmpty())
        return customPath;
    return dataFolder + QStringLiteral("AutoSave") + sensorCode + QStringLiteral(".log");
}

std::optional<QString> save(
    const QString& path, const QString& header1, const QString& header2, const MemoStore& lines)
{
    static const bool systemIsUtf8
        = QStringLiteral("\u00e9").toLocal8Bit() == QByteArray("\xc3\xa9");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const QByteArray crlf("\r\n");
    // Written in blocks: a memo of months would not fit in one buffer.
    constexpr qsizetype blockSize = 1 << 16;
    QByteArray block;
    block.reserve(blockSize + 256);
    block += header1.toLocal8Bit() + crlf + header2.toLocal8Bit() + crlf;
    for (qsizetype i = 0; i < lines.count(); ++i) {
        // Memo lines are stored as UTF-8; on a system whose 8-bit encoding
        // is another, a line with other than ASCII goes through text once.
        const QByteArray bytes = lines.bytes(i);
        if (systemIsUtf8 || isAscii(bytes))
            block += bytes;
        else
            block += QString::fromUtf8(bytes).toLocal8Bit();
        block += crlf;
        if (block.size() >= blockSize) {
            if (file.write(block) != block.size())
                return file.errorString();
            block.clear();
        }
    }
    if (!block.isEmpty() && file.write(block) != block.size())
        return file.errorString();
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace MeasurementLogFormat
