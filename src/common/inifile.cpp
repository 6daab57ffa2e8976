#include "common/inifile.h"

#include "common/cp1252.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

namespace kalvon {

namespace {

// What a value read through a 255-byte buffer can hold.
constexpr size_t kMaxValueLength = 254;

// One pair of matching quotes around a value is dropped, as the profile functions do.
BytesView stripQuotes(BytesView value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// An order in which the names equal case-blind are neighbours: shorter names first, then
// case-blind by bytes. Names of different lengths, most of them, compare without reading them.
int orderNoCase(BytesView a, BytesView b)
{
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return compareNoCase(a, b);
}

// Below this many sections, or keys in a section, a lookup reads them all in file order: that
// is quicker than a search through an order that would have to be made first.
constexpr size_t kOrderedFrom = 64;

// The positions of `items` ordered by orderNoCase of their names, equal names in their order
// in `items`; nothing for fewer than kOrderedFrom items.
template <class Item, class Name> std::vector<uint32_t> orderByName(const std::vector<Item>& items, Name name)
{
    if (items.size() < kOrderedFrom)
        return {};
    std::vector<uint32_t> order(items.size());
    for (uint32_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
        const int compared = orderNoCase(name(items[a]), name(items[b]));
        return compared != 0 ? compared < 0 : a < b;
    });
    return order;
}

// The first of `items` (by their order in it) whose name equals `wanted` case-blind, found
// through `order` from orderByName; nothing when none does.
template <class Item, class Name>
const Item* findByName(
    const std::vector<Item>& items, const std::vector<uint32_t>& order, BytesView wanted, Name name)
{
    if (order.empty()) {
        const auto found = std::find_if(
            items.begin(), items.end(), [&](const Item& item) { return equalsNoCase(name(item), wanted); });
        return found == items.end() ? nullptr : &*found;
    }
    const auto found = std::lower_bound(order.begin(), order.end(), wanted,
        [&](uint32_t i, BytesView w) { return orderNoCase(name(items[i]), w) < 0; });
    if (found == order.end() || orderNoCase(name(items[*found]), wanted) != 0)
        return nullptr;
    return &items[*found];
}

} // namespace

IniDocument IniDocument::parse(BytesView text)
{
    IniDocument document;
    Section* current = nullptr; // lines before the first section belong to none
    size_t pos = 0;
    while (pos < text.size()) {
        // CR and LF both end a line, so CR LF, CR CR LF and LF all read alike; the empty
        // lines between them are skipped like any other.
        size_t end = text.find_first_of("\r\n", pos);
        if (end == BytesView::npos)
            end = text.size();
        const BytesView line = trimBlanks(text.substr(pos, end - pos));
        pos = end + 1;

        if (line.empty() || line.front() == ';')
            continue;
        if (const std::optional<BytesView> name = sectionHeader(line)) {
            document.m_sections.push_back({ Bytes(*name), {}, {} });
            current = &document.m_sections.back();
            continue;
        }
        const size_t equals = line.find('=');
        if (current == nullptr || equals == BytesView::npos)
            continue;
        const BytesView value = stripQuotes(trimBlanks(line.substr(equals + 1)));
        current->entries.push_back(
            { Bytes(trimBlanks(line.substr(0, equals))), Bytes(value.substr(0, kMaxValueLength)) });
    }
    document.m_byName
        = orderByName(document.m_sections, [](const Section& s) -> const Bytes& { return s.name; });
    for (Section& section : document.m_sections)
        section.byKey = orderByName(section.entries, [](const Entry& e) -> const Bytes& { return e.key; });
    return document;
}

Bytes iniValueText(BytesView value)
{
    if (trimBlanks(value).size() == value.size() && stripQuotes(value).size() == value.size())
        return Bytes(value);
    return '"' + Bytes(value) + '"';
}

std::optional<BytesView> sectionHeader(BytesView line)
{
    line = trimBlanks(line);
    const size_t close = line.find(']');
    if (line.empty() || line.front() != '[' || close == BytesView::npos)
        return std::nullopt;
    return trimBlanks(line.substr(1, close - 1));
}

std::optional<IniDocument> IniDocument::load(const std::filesystem::path& file)
{
    // Only ordinary files: a folder reads as nothing and a pipe would never end.
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    const Bytes text{ std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    if (in.bad())
        return std::nullopt;
    return parse(text);
}

std::optional<Bytes> IniDocument::value(BytesView section, BytesView key) const
{
    // Only the first section of that name is read; a repeated one is never seen.
    const Section* found = findByName(
        m_sections, m_byName, trimBlanks(section), [](const Section& s) -> const Bytes& { return s.name; });
    if (!found)
        return std::nullopt;
    if (const Entry* entry = findByName(found->entries, found->byKey, trimBlanks(key),
            [](const Entry& e) -> const Bytes& { return e.key; }))
        return entry->value;
    return std::nullopt;
}

namespace {

struct Hive {
    BytesView word;
    uint32_t handle;
};

constexpr Hive kHives[] = { { "HKCU", 0x80000001u }, { "HKLM", 0x80000002u }, { "HKU", 0x80000003u },
    { "HKDD", 0x80000006u }, { "HKCC", 0x80000005u }, { "HKCR", 0x80000000u } };

constexpr uint32_t kIniFile = 1;
constexpr int32_t kRegistryNotFound = 2;

std::filesystem::path filePath(BytesView location)
{
    return std::filesystem::path(cp1252ToUtf8(location));
}

} // namespace

uint32_t HiveFromName(BytesView location)
{
    for (const Hive& hive : kHives) {
        if (equalsNoCase(location, hive.word))
            return hive.handle;
    }
    // A NUL would end the name the system sees, naming a different file.
    if (location.empty() || location.find('\0') != BytesView::npos)
        return 0;
    // An ordinary file that is not hidden, as a directory listing of ordinary files finds it.
    const std::filesystem::path path = filePath(location);
    const Bytes name = path.filename().string();
    if (name.empty() || name.front() == '.')
        return 0;
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) ? kIniFile : 0;
}

int32_t ReadSetting(BytesView location, BytesView section, BytesView key, BytesView valueType,
    BytesView defaultValue, Bytes& result)
{
    result = Bytes(defaultValue);
    const uint32_t hive = HiveFromName(location);
    if (hive == 0)
        return kReadSettingNoLocation;
    if (hive != kIniFile) {
        // There is no registry on this system and no store standing in for it: every value
        // is missing, so the answer is the registry's "not found" with the default.
        return kRegistryNotFound;
    }
    // Other value types read an integer that never reaches the result: the default stays.
    if (!equalsNoCase(valueType, "S"))
        return kReadSettingOk;
    // An unreadable file, a missing section or a missing key all leave the default.
    if (const auto document = IniDocument::load(filePath(location))) {
        if (auto value = document->value(section, key))
            result = std::move(*value);
    }
    return kReadSettingOk;
}

} // namespace kalvon
