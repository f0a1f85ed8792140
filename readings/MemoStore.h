#pragma once

#include <QString>

#include <cstdint>
#include <deque>

// The measurement memo's lines, kept as their UTF-8 bytes one after the
// other with one start offset per line. Both live in deques, so appending
// never copies what is already stored and memory grows by small blocks: a
// month of readings at one a second costs about 40 bytes a line.
class MemoStore
{
public:
    void append(const QString& line);
    void clear();

    qsizetype count() const { return static_cast<qsizetype>(m_starts.size()); }
    bool isEmpty() const { return m_starts.empty(); }
    QString line(qsizetype index) const;
    // The line's bytes as stored (UTF-8), without a line end.
    QByteArray bytes(qsizetype index) const;
    // Bytes of all lines together.
    std::size_t byteCount() const { return m_bytes.size(); }

private:
    std::size_t endOf(std::size_t index) const;

    std::deque<char> m_bytes;
    std::deque<std::uint64_t> m_starts;
};
