#include "net/wire/linesplitter.h"

#include "net/wire/line.h"

namespace kalvon::wire {

std::vector<Bytes> LineSplitter::feed(BytesView data)
{
    std::vector<Bytes> lines;
    lines.resize(feed(data, lines));
    return lines;
}

std::size_t LineSplitter::feed(BytesView data, std::vector<Bytes>& lines)
{
    std::size_t count = 0;
    std::size_t start = m_skipping ? skipOverlong(data) : 0;
    if (start >= data.size())
        return count;

    // A CR kept at the end of the tail may meet its LF at the start of this arrival.
    std::size_t searchFrom = m_tail.empty() ? 0 : m_tail.size() - 1;
    m_tail.append(data.substr(start));

    std::size_t lineStart = 0;
    for (;;) {
        const std::size_t end = m_tail.find(kLineEnd, searchFrom);
        if (end == Bytes::npos)
            break;
        const std::size_t length = end - lineStart;
        if (length > 0 && length <= kMaxLineLength) {
            if (count < lines.size())
                lines[count].assign(m_tail, lineStart, length);
            else
                lines.emplace_back(m_tail, lineStart, length);
            ++count;
        }
        lineStart = end + kLineEnd.size();
        searchFrom = lineStart;
    }
    m_tail.erase(0, lineStart);

    // A tail that can no longer become a line of allowed length is dropped now; the rest of
    // that line is skipped as it arrives.
    const bool endsWithCr = !m_tail.empty() && m_tail.back() == '\r';
    if (m_tail.size() > kMaxLineLength + (endsWithCr ? 1 : 0)) {
        m_skipping = true;
        m_skipEndsWithCr = endsWithCr;
        m_tail.clear();
        m_tail.shrink_to_fit();
    }
    return count;
}

std::size_t LineSplitter::skipOverlong(BytesView data)
{
    if (data.empty())
        return 0;
    if (m_skipEndsWithCr && data.front() == '\n') {
        m_skipping = false;
        return 1;
    }
    const std::size_t end = data.find(kLineEnd);
    if (end == BytesView::npos) {
        m_skipEndsWithCr = data.back() == '\r';
        return data.size();
    }
    m_skipping = false;
    return end + kLineEnd.size();
}

void LineSplitter::reset()
{
    m_tail.clear();
    m_skipping = false;
    m_skipEndsWithCr = false;
}

} // namespace kalvon::wire
