#include "net/banlist.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace kalvon {

namespace {

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// One delimited field from `pos`: a quoted field runs to its closing quote, an unquoted one to
// the next "," or line end; blanks around it are dropped. Leaves `pos` after the delimiter.
Bytes readField(BytesView text, std::size_t& pos)
{
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    Bytes field;
    if (pos < text.size() && text[pos] == '"') {
        // An unclosed quote ends with its line.
        const auto close = text.find_first_of("\"\r\n", pos + 1);
        const auto end = close == BytesView::npos ? text.size() : close;
        field = Bytes(text.substr(pos + 1, end - pos - 1));
        pos = end < text.size() && text[end] == '"' ? end + 1 : end;
        while (pos < text.size() && text[pos] != ',' && !isLineEnd(text[pos]))
            ++pos;
    } else {
        const std::size_t start = pos;
        while (pos < text.size() && text[pos] != ',' && !isLineEnd(text[pos]))
            ++pos;
        field = Bytes(trimBlanks(text.substr(start, pos - start)));
    }
    if (pos < text.size() && text[pos] == ',')
        ++pos;
    return field;
}

} // namespace

std::vector<Bytes> BanList::parse(BytesView text)
{
    std::vector<Bytes> entries;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (isLineEnd(text[pos])) {
            ++pos;
            continue;
        }
        Bytes field = readField(text, pos);
        if (!field.empty())
            entries.push_back(std::move(field));
    }
    return entries;
}

void BanList::LoadBanList(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const Bytes text(std::istreambuf_iterator<char>(in), {});
    m_entries = parse(text);
}

AtomicWriteResult BanList::SaveBanList(const std::filesystem::path& file) const
{
    Bytes text;
    for (const Bytes& entry : m_entries) {
        if (entry.empty())
            continue;
        text += entry;
        text += "\r\n";
    }
    return writeFileAtomically(file, text);
}

bool BanList::contains(BytesView address) const
{
    return std::find(m_entries.begin(), m_entries.end(), address) != m_entries.end();
}

void BanList::add(BytesView address)
{
    m_entries.emplace_back(address);
}

void BanList::removeAt(std::size_t row)
{
    if (row < m_entries.size())
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(row));
}

} // namespace kalvon
