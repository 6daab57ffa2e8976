// The driver of a fuzz target in ordinary builds, where libFuzzer is not linked: it replays
// the seed corpus (and the inputs that once failed, kept there) and then a fixed number of
// inputs mutated from it by a seeded generator of our own, so every run tries the same inputs
// and no clock decides how many. A failing input is named on stderr; --save writes a mutated
// input to a file for libFuzzer or a debugger.
//
//   fuzz_<target> [--mutations N] [--seed S] [--dict FILE] [--max-len BYTES] [--save K FILE]
//                 CORPUS_FOLDER_OR_FILE...

#include "harness/fuzzcheck.h"

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) __attribute__((weak));
// Present in sanitizer builds: called when a sanitizer ends the process.
extern "C" void __sanitizer_set_death_callback(void (*callback)(void)) __attribute__((weak));

namespace {

namespace fs = std::filesystem;
using Input = std::string;

// splitmix64: a generator whose sequence is the same on every machine and library.
class Generator {
public:
    explicit Generator(uint64_t seed)
        : m_state(seed)
    {
    }
    uint64_t next()
    {
        uint64_t z = (m_state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    size_t below(size_t count) { return count == 0 ? 0 : size_t(next() % count); }

private:
    uint64_t m_state;
};

// What is running, for the failure note (kept in plain buffers: it is written from a signal
// handler).
char g_current[512] = "before the first input";

void noteCurrent(const std::string& text)
{
    std::snprintf(g_current, sizeof g_current, "%s", text.c_str());
}

void writeNote()
{
    const char prefix[] = "\nfuzz replay: the failing input is ";
    [[maybe_unused]] ssize_t ignored = ::write(2, prefix, sizeof prefix - 1);
    ignored = ::write(2, g_current, std::strlen(g_current));
    ignored = ::write(2, "\n", 1);
}

void onFatalSignal(int signal)
{
    writeNote();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void installFailureNotes()
{
    if (__sanitizer_set_death_callback) {
        // The sanitizers report faults themselves; only the note is added.
        __sanitizer_set_death_callback(writeNote);
        std::signal(SIGABRT, onFatalSignal);
        return;
    }
    for (int signal : { SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL })
        std::signal(signal, onFatalSignal);
}

Input readFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return Input(std::istreambuf_iterator<char>(in), {});
}

struct CorpusEntry {
    std::string name;
    Input bytes;
};

std::vector<CorpusEntry> readCorpus(const std::vector<std::string>& places)
{
    std::vector<CorpusEntry> corpus;
    for (const std::string& place : places) {
        std::vector<fs::path> files;
        if (fs::is_directory(place)) {
            for (const auto& entry : fs::recursive_directory_iterator(place)) {
                if (entry.is_regular_file())
                    files.push_back(entry.path());
            }
            std::sort(files.begin(), files.end());
        } else {
            files.push_back(place);
        }
        for (const fs::path& file : files)
            corpus.push_back({ file.string(), readFile(file) });
    }
    return corpus;
}

// A libFuzzer dictionary: one "token" per line (name="token" too), with \\, \" and \xNN escapes.
std::vector<Input> readDictionary(const std::string& file)
{
    std::vector<Input> tokens;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        const size_t open = line.find('"');
        const size_t close = line.rfind('"');
        if (line.empty() || line[0] == '#' || open == std::string::npos || close <= open)
            continue;
        Input token;
        for (size_t i = open + 1; i < close; ++i) {
            if (line[i] == '\\' && i + 1 < close) {
                if (line[i + 1] == 'x' && i + 3 < close) {
                    token += char(std::stoi(line.substr(i + 2, 2), nullptr, 16));
                    i += 3;
                } else {
                    token += line[++i];
                }
            } else {
                token += line[i];
            }
        }
        tokens.push_back(token);
    }
    return tokens;
}

class Mutator {
public:
    Mutator(uint64_t seed, std::vector<Input> dictionary, size_t maxLength)
        : m_random(seed)
        , m_dictionary(std::move(dictionary))
        , m_maxLength(maxLength)
    {
    }

    Input mutate(const Input& base, const std::vector<Input>& pool)
    {
        Input input = base;
        const size_t steps = 1 + m_random.below(4);
        for (size_t i = 0; i < steps; ++i)
            step(input, pool);
        if (input.size() > m_maxLength)
            input.resize(m_maxLength);
        return input;
    }

    Generator& random() { return m_random; }

private:
    // Bytes that mean something to the formats under test: separators, line ends, quotes,
    // signs, the offsets of the wire encodings, the ends of a byte.
    static constexpr unsigned char kInteresting[] = { 0, 1, '\t', '\n', '\r', ' ', '"', '\'', ',', '-', '.',
        '/', '0', '1', '9', ';', '=', '[', '\\', ']', 0x1b, 0x7f, 0x80, 90, 100, 149, 150, 151, 170, 255 };

    void step(Input& input, const std::vector<Input>& pool)
    {
        const size_t at = m_random.below(input.size() + 1);
        switch (m_random.below(10)) {
        case 0: // flip a bit
            if (!input.empty())
                input[at % input.size()] ^= char(1 << m_random.below(8));
            break;
        case 1: // an interesting byte in place of another
            if (!input.empty())
                input[at % input.size()] = char(kInteresting[m_random.below(sizeof kInteresting)]);
            break;
        case 2: // a random byte in place of another
            if (!input.empty())
                input[at % input.size()] = char(m_random.next());
            break;
        case 3: { // insert a few bytes
            Input bytes(1 + m_random.below(8), '\0');
            for (char& c : bytes)
                c = m_random.below(2) ? char(m_random.next())
                                      : char(kInteresting[m_random.below(sizeof kInteresting)]);
            input.insert(at, bytes);
            break;
        }
        case 4: // erase a range
            if (!input.empty())
                input.erase(at % input.size(), 1 + m_random.below(std::min<size_t>(input.size(), 32)));
            break;
        case 5: { // copy a range to another place
            if (input.empty())
                break;
            const size_t from = m_random.below(input.size());
            const Input range = input.substr(from, 1 + m_random.below(64));
            input.insert(at, range);
            break;
        }
        case 6: // a dictionary token
            if (!m_dictionary.empty()) {
                const Input& token = m_dictionary[m_random.below(m_dictionary.size())];
                if (m_random.below(2))
                    input.insert(at, token);
                else
                    input.replace(at, token.size(), token);
            }
            break;
        case 7: { // splice with another input of the pool
            const Input& other = pool[m_random.below(pool.size())];
            const size_t from = m_random.below(other.size() + 1);
            input = input.substr(0, at) + other.substr(from);
            break;
        }
        case 8: // cut the end
            input.resize(at);
            break;
        default: { // a number text
            static const char* const kNumbers[] = { "0", "-1", "1", "2", "32767", "32768", "-32769", "65535",
                "2147483647", "2147483648", "-2147483649", "1e308", "-1e309", "1.5", "2.5", "&H7FFF",
                "&HFFFF", "&O777", " 7 ", "1,2", "255,255,256", "-0", "NaN", "1d2", ".", "" };
            const Input number = kNumbers[m_random.below(std::size(kNumbers))];
            input.insert(at, number);
            break;
        }
        }
    }

    Generator m_random;
    std::vector<Input> m_dictionary;
    size_t m_maxLength;
};

int usage(const char* program)
{
    std::fprintf(stderr,
        "usage: %s [--mutations N] [--seed S] [--dict FILE] [--max-len BYTES] [--save K FILE] CORPUS...\n",
        program);
    return 2;
}

void run(const Input& input)
{
    // A copy of its own, so reading past the end is caught by the sanitizers.
    std::vector<uint8_t> bytes(input.begin(), input.end());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
}

} // namespace

int main(int argc, char** argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    size_t mutations = 0;
    uint64_t seed = 1;
    size_t maxLength = 0;
    std::string dictionaryFile;
    long saveIndex = -1;
    std::string saveFile;
    std::vector<std::string> places;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--mutations" && hasValue)
            mutations = std::stoul(argv[++i]);
        else if (arg == "--seed" && hasValue)
            seed = std::stoull(argv[++i]);
        else if (arg == "--dict" && hasValue)
            dictionaryFile = argv[++i];
        else if (arg == "--max-len" && hasValue)
            maxLength = std::stoul(argv[++i]);
        else if (arg == "--save" && i + 2 < argc) {
            saveIndex = std::stol(argv[++i]);
            saveFile = argv[++i];
        } else if (arg.rfind("--", 0) == 0)
            return usage(argv[0]);
        else
            places.push_back(arg);
    }
    installFailureNotes();

    std::vector<CorpusEntry> corpus = readCorpus(places);
    std::vector<Input> pool;
    size_t largest = 0;
    for (const CorpusEntry& entry : corpus) {
        if (saveIndex < 0) {
            noteCurrent("the corpus file " + entry.name);
            run(entry.bytes);
        }
        pool.push_back(entry.bytes);
        largest = std::max(largest, entry.bytes.size());
    }
    if (pool.empty())
        pool.emplace_back();
    if (maxLength == 0)
        maxLength = std::max<size_t>(4096, 2 * largest);

    Mutator mutator(
        seed, dictionaryFile.empty() ? std::vector<Input>{} : readDictionary(dictionaryFile), maxLength);
    const size_t keptMax = 512;
    for (size_t i = 0; i < mutations; ++i) {
        const Input input = mutator.mutate(pool[mutator.random().below(pool.size())], pool);
        if (long(i) == saveIndex) {
            std::ofstream(saveFile, std::ios::binary) << input;
            std::printf("mutation %zu (%zu bytes) written to %s\n", i, input.size(), saveFile.c_str());
            return 0;
        }
        if (saveIndex < 0) {
            noteCurrent("mutation " + std::to_string(i) + " of seed " + std::to_string(seed)
                + " (write it with --save " + std::to_string(i) + " FILE and the same options)");
            run(input);
        }
        // Some results join the pool, so mutations build on each other.
        if (i % 4 == 0) {
            if (pool.size() < keptMax)
                pool.push_back(input);
            else if (corpus.size() < keptMax)
                pool[corpus.size() + mutator.random().below(keptMax - corpus.size())] = input;
        }
    }
    if (saveIndex >= 0) {
        std::fprintf(stderr, "there is no mutation %ld\n", saveIndex);
        return 1;
    }
    std::printf("%zu corpus inputs and %zu mutations passed\n", corpus.size(), mutations);
    return 0;
}
