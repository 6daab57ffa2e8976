#include "common/dialogs.h"

namespace kalvon {

std::vector<FileFilter> parseFileFilter(BytesView filter)
{
    std::vector<Bytes> parts;
    size_t start = 0;
    while (start < filter.size()) {
        size_t bar = filter.find('|', start);
        if (bar == BytesView::npos)
            bar = filter.size();
        parts.emplace_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    std::vector<FileFilter> result;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        FileFilter entry{ parts[i], {} };
        BytesView patterns = parts[i + 1];
        size_t from = 0;
        while (from <= patterns.size()) {
            size_t semi = patterns.find(';', from);
            if (semi == BytesView::npos)
                semi = patterns.size();
            BytesView one = trimBlanks(patterns.substr(from, semi - from));
            if (!one.empty())
                entry.patterns.emplace_back(one);
            from = semi + 1;
        }
        result.push_back(std::move(entry));
    }
    return result;
}

} // namespace kalvon
