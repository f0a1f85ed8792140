#include "MemoStore.h"

void MemoStore::append(const QString& line)
{
    const QByteArray utf8 = line.toUtf8();
    m_starts.push_back(m_bytes.size());
    m_bytes.insert(m_bytes.end(), utf8.cbegin(), utf8.cend());
}

void MemoStore::clear()
{
    // Swapping with empty deques gives the blocks back; clear() keeps one.
    std::deque<char>().swap(m_bytes);
    std::deque<std::uint64_t>().swap(m_starts);
}

std::size_t MemoStore::endOf(std::size_t index) const
{
    return index + 1 < m_starts.size() ? m_starts[index + 1] : m_bytes.size();
}

QByteArray MemoStore::bytes(qsizetype index) const
{
    if (index < 0 || index >= count())
        return {};
    const auto i = static_cast<std::size_t>(index);
    const auto begin = m_bytes.cbegin() + static_cast<std::ptrdiff_t>(m_starts[i]);
    const auto end = m_bytes.cbegin() + static_cast<std::ptrdiff_t>(endOf(i));
    QByteArray out;
    out.reserve(end - begin);
    for (auto it = begin; it != end; ++it)
        out.append(*it);
    return out;
}

QString MemoStore::line(qsizetype index) const
{
    return QString::fromUtf8(bytes(index));
}
