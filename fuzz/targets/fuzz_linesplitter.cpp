// The line splitter against a model without its memory bound: whatever way a stream is cut
// into arrivals, the splitter gives exactly the lines the whole stream holds (CR LF ended, not
// empty, at most kMaxLineLength bytes), in order, and never keeps more than one allowed line.
//
// The input is a program of arrivals: a byte chooses the step, then
//   0, 1: an arrival of up to 255 bytes (a length byte, then the bytes)
//   2:    an arrival of one byte repeated 1 to 80 KiB times, to reach the length bound
//   3:    a new connection (reset)

#include "harness/fuzzcheck.h"
#include "harness/fuzzinput.h"
#include "net/wire/linesplitter.h"

#include <cstdint>
#include <cstring>
#include <vector>

using kalvon::Bytes;
using kalvon::BytesView;
using kalvon::wire::LineSplitter;

namespace {

constexpr size_t kMax = LineSplitter::kMaxLineLength;

// The model's searches and comparisons stay clear of memcmp: under the fuzzer each call of it
// is recorded for the mutator, which took most of each run, and these comparisons of whole
// lines (equal whenever the splitter works) teach it nothing. Coverage is left out of them too.

// Where the first CR LF at or after `from` starts; npos for none.
FUZZ_UNCOUNTED size_t findLineEnd(BytesView text, size_t from)
{
    while (from < text.size()) {
        const void* cr = std::memchr(text.data() + from, '\r', text.size() - from);
        if (cr == nullptr)
            return BytesView::npos;
        const size_t at = size_t(static_cast<const char*>(cr) - text.data());
        if (at + 1 < text.size() && text[at + 1] == '\n')
            return at;
        from = at + 1;
    }
    return BytesView::npos;
}

FUZZ_UNCOUNTED bool sameBytes(BytesView a, BytesView b)
{
    if (a.size() != b.size())
        return false;
    size_t i = 0;
    for (; i + 8 <= a.size(); i += 8) {
        uint64_t x, y;
        std::memcpy(&x, a.data() + i, 8);
        std::memcpy(&y, b.data() + i, 8);
        if (x != y)
            return false;
    }
    for (; i < a.size(); ++i) {
        if (a[i] != b[i])
            return false;
    }
    return true;
}

FUZZ_UNCOUNTED bool sameLines(const std::vector<Bytes>& a, const std::vector<Bytes>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (!sameBytes(a[i], b[i]))
            return false;
    }
    return true;
}

// Keeps every byte of the unfinished line; cuts finished lines as the format defines them.
class ModelSplitter {
public:
    std::vector<Bytes> feed(BytesView data)
    {
        std::vector<Bytes> lines;
        // What was pending holds no CR LF, so the search starts at its last byte (a CR there
        // may meet an LF that arrives now): searching it all again for every arrival made
        // long streams quadratic.
        size_t from = m_pending.empty() ? 0 : m_pending.size() - 1;
        m_pending.append(data);
        size_t start = 0;
        for (size_t end; (end = findLineEnd(m_pending, from)) != Bytes::npos; start = from = end + 2) {
            const size_t length = end - start;
            if (length > 0 && length <= kMax)
                lines.push_back(m_pending.substr(start, length));
            m_overlong = false;
        }
        m_pending.erase(0, start);
        // The unfinished line can no longer be one of allowed length.
        if (m_pending.size() > kMax + (!m_pending.empty() && m_pending.back() == '\r' ? 1 : 0))
            m_overlong = true;
        return lines;
    }
    void reset()
    {
        m_pending.clear();
        m_overlong = false;
    }
    // What the bounded splitter may keep of the unfinished line.
    size_t keptSize() const { return m_overlong ? 0 : m_pending.size(); }

private:
    Bytes m_pending;
    bool m_overlong = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kalvon::fuzz::FuzzInput input(data, size);
    LineSplitter splitter;
    // The model and the arrival keep their buffers from input to input: allocating and
    // freeing blocks of tens of KiB is what took most of each run under AddressSanitizer.
    static ModelSplitter model;
    static Bytes arrival;
    model.reset();
    size_t streamed = 0;
    while (!input.empty() && streamed < 4 * kMax) {
        const uint8_t step = input.byte() % 4;
        if (step == 3) {
            splitter.reset();
            model.reset();
            FUZZ_CHECK(splitter.pendingSize() == 0);
            continue;
        }
        if (step == 2) {
            const char c = char(input.byte());
            arrival.assign(size_t(1 + input.byte() % 80) * 1024, c);
        } else {
            arrival.assign(input.piece());
        }
        streamed += arrival.size();
        const std::vector<Bytes> lines = splitter.feed(arrival);
        const std::vector<Bytes> expected = model.feed(arrival);
        FUZZ_CHECK_MSG(sameLines(lines, expected),
            "arrival " + kalvon::fuzz::printable(arrival) + ": " + std::to_string(lines.size())
                + " lines, expected " + std::to_string(expected.size()));
        FUZZ_CHECK(splitter.pendingSize() <= kMax + 1);
        FUZZ_CHECK_MSG(splitter.pendingSize() == model.keptSize(),
            std::to_string(splitter.pendingSize()) + " kept, expected " + std::to_string(model.keptSize()));
    }
    return 0;
}
