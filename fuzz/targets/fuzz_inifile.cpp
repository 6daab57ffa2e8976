// The ini reader: for the sections and keys an input names (and a few fixed ones), a value is
// one line of at most 254 bytes; lookups are blind to letter case and to blanks around the
// names; the first section and key win over a repeated
// one added at the end; CR LF, CR CR LF and LF read alike; and ReadSetting on the file gives
// what the parsed text gives.

#include "common/inifile.h"
#include "harness/fuzzcheck.h"
#include "harness/fuzzinput.h"
#include "harness/scratch.h"

#include <set>
#include <utility>
#include <vector>

using namespace kalvon;

namespace {

using Probe = std::pair<Bytes, Bytes>;

Bytes replaceAll(BytesView text, BytesView from, BytesView to)
{
    Bytes out;
    for (size_t pos = 0;;) {
        const size_t hit = text.find(from, pos);
        out.append(text.substr(pos, hit - pos));
        if (hit == BytesView::npos)
            return out;
        out.append(to);
        pos = hit + from.size();
    }
}

// Section names and keys as the input writes them: the text between "[" and "]" of a line,
// and the text before "=" paired with the section above it.
std::vector<Probe> probesOf(BytesView text)
{
    std::set<Probe> probes = { { "General", "name" }, { "Theme Info", "themetype" }, { "", "" } };
    Bytes section;
    size_t pos = 0;
    while (pos < text.size() && probes.size() < 48) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == BytesView::npos)
            end = text.size();
        const BytesView line = text.substr(pos, end - pos);
        pos = end + 1;
        if (const std::optional<BytesView> name = sectionHeader(line)) {
            section = Bytes(*name);
            continue;
        }
        const size_t equals = line.find('=');
        if (equals != BytesView::npos)
            probes.insert({ section, Bytes(line.substr(0, equals)) });
    }
    return { probes.begin(), probes.end() };
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const BytesView text = fuzz::asBytes(data, size);
    const IniDocument document = IniDocument::parse(text);
    const IniDocument lfOnly = IniDocument::parse(replaceAll(text, "\r\n", "\n"));
    const IniDocument crCrLf = IniDocument::parse(replaceAll(text, "\r\n", "\r\r\n"));

    const std::vector<Probe> probes = probesOf(text);
    // Every probe's section and key written again at the end, with a later value, parsed once.
    Bytes repeated(text);
    std::vector<std::pair<const Probe*, Bytes>> firstValues;
    for (const Probe& probe : probes) {
        const auto& [section, key] = probe;
        const std::optional<Bytes> value = document.value(section, key);
        const std::string where = "[" + fuzz::printable(section) + "] " + fuzz::printable(key);
        if (value) {
            FUZZ_CHECK(value->size() <= 254);
            FUZZ_CHECK(value->find_first_of("\r\n") == Bytes::npos);
        }
        FUZZ_CHECK_MSG(document.value(toLower(section), toUpper(key)) == value, where);
        FUZZ_CHECK_MSG(document.value(" " + toUpper(section) + "\t", "\t" + key + " ") == value, where);
        FUZZ_CHECK_MSG(lfOnly.value(section, key) == value, where);
        FUZZ_CHECK_MSG(crCrLf.value(section, key) == value, where);

        // Names with blanks or brackets at their ends cannot be written back as they are.
        const BytesView trimmedSection = trimBlanks(section);
        const BytesView trimmedKey = trimBlanks(key);
        if (!value || trimmedSection.find(']') != BytesView::npos || trimmedKey.empty()
            || trimmedKey.front() == '[' || trimmedKey.front() == ';'
            || trimmedKey.find('=') != BytesView::npos)
            continue;
        repeated += "\r\n[" + Bytes(trimmedSection) + "]\r\n" + Bytes(trimmedKey) + "=a later value\r\n";
        firstValues.emplace_back(&probe, *value);
    }
    const IniDocument withRepeats = IniDocument::parse(repeated);
    for (const auto& [probe, value] : firstValues)
        FUZZ_CHECK_MSG(withRepeats.value(probe->first, probe->second) == value,
            "[" + fuzz::printable(probe->first) + "] " + fuzz::printable(probe->second));

    // ReadSetting reads the same through a file, for a few of the probes.
    const auto file = fuzz::scratchRoot() / "settings.ini";
    fuzz::writeBytes(file, text);
    const Bytes location = file.string();
    for (size_t i = 0; i < probes.size() && i < 4; ++i) {
        const auto& [section, key] = probes[probes.size() - 1 - i];
        Bytes result;
        FUZZ_CHECK(ReadSetting(location, section, key, "s", kMissingSettingText, result) == kReadSettingOk);
        FUZZ_CHECK(result == document.value(section, key).value_or(kMissingSettingText));
    }
    return 0;
}
