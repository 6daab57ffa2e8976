#pragma once
// LoadPicture: reading a picture file (BMP, JPEG, GIF, PNG, ICO; the format is found from the
// content, not the name) into a surface. Windows metafiles are not read. A picture larger than
// any a theme uses (kMaxPictureSide) fails like a broken one before it is decoded, so a hostile
// theme of thousands of huge frames cannot stall loading for minutes.

#include "platform/surface.h"

#include <condition_variable>
#include <filesystem>
#include <future>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace kalvon {

inline constexpr int kMaxPictureSide = 2048;

// The picture, or nothing when the file is missing, too large or cannot be decoded.
std::optional<Surface> loadPictureFile(const std::filesystem::path& file);

// True when the picture file's header gives a side above kMaxPictureSide (a top-down BMP's
// negative height counts by its size).
bool pictureFileTooLarge(const std::filesystem::path& file);

// A picture box's picture as the theme loaders use it: loading a file that cannot be read
// keeps the picture loaded before, so whatever is copied from it next shows that picture.
class PictureBuffer {
public:
    // True when the file was read; otherwise the previous picture stays. An empty name clears
    // the picture.
    bool load(const std::filesystem::path& file);
    // The same with a picture already decoded (nothing: the file could not be read).
    bool loadDecoded(std::optional<Surface> picture);
    const Surface& picture() const { return m_picture; }

private:
    Surface m_picture;
};

// Decodes a known sequence of picture files on worker threads, a few files ahead of the one
// asked for, so that loading many pictures uses more than one core while they are still
// taken one by one in their order. Decoding is all a worker does; what the pictures are used
// for, and everything shown meanwhile, stays with the caller.
class PictureReadAhead {
public:
    // `files` in the order they will be asked for; empty names are left out by the caller.
    explicit PictureReadAhead(std::vector<std::filesystem::path> files);
    ~PictureReadAhead();
    PictureReadAhead(const PictureReadAhead&) = delete;
    PictureReadAhead& operator=(const PictureReadAhead&) = delete;

    // loadPictureFile(file): the next file of the sequence is waited for; a file out of
    // sequence is decoded here and then.
    std::optional<Surface> load(const std::filesystem::path& file);

private:
    void work();

    std::vector<std::filesystem::path> m_files;
    std::vector<std::promise<std::optional<Surface>>> m_decoded;
    std::vector<std::future<std::optional<Surface>>> m_results;
    size_t m_taken = 0; // the caller's place in the sequence
    size_t m_next = 0; // the next file a worker starts on
    bool m_stop = false;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::thread> m_workers; // last: joined before the rest goes
};

} // namespace kalvon
