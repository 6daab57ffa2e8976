#pragma once
// Writes ZIP archives for tests with libzip: plain, encrypted and folder members, members with
// any name (hostile ones included), and symbolic-link members.

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <zip.h>

namespace kalvon::testing {

class ZipBuilder {
public:
    explicit ZipBuilder(const std::filesystem::path& file)
    {
        int error = 0;
        m_zip = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    }
    ~ZipBuilder() { close(); }
    ZipBuilder(const ZipBuilder&) = delete;
    ZipBuilder& operator=(const ZipBuilder&) = delete;

    // A file member; with a password it is encrypted by `method` (ZIP_EM_AES_256, ZIP_EM_TRAD_PKWARE).
    ZipBuilder& file(const std::string& name, const std::string& content, const char* password = nullptr,
        zip_uint16_t method = ZIP_EM_AES_256)
    {
        const zip_int64_t index = add(name, content);
        if (password && index >= 0)
            zip_file_set_encryption(m_zip, zip_uint64_t(index), method, password);
        return *this;
    }

    ZipBuilder& folder(const std::string& name)
    {
        if (m_zip)
            zip_dir_add(m_zip, name.c_str(), ZIP_FL_ENC_UTF_8);
        return *this;
    }

    // A member marked as a Unix symbolic link whose content is the link's target.
    ZipBuilder& symlink(const std::string& name, const std::string& target)
    {
        const zip_int64_t index = add(name, target);
        if (index >= 0)
            zip_file_set_external_attributes(
                m_zip, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX, zip_uint32_t(S_IFLNK | 0777) << 16);
        return *this;
    }

    // Writes the archive; true when it was written.
    bool close()
    {
        if (!m_zip)
            return false;
        const bool written = zip_close(m_zip) == 0;
        if (!written)
            zip_discard(m_zip);
        m_zip = nullptr;
        return written;
    }

private:
    zip_int64_t add(const std::string& name, const std::string& content)
    {
        if (!m_zip)
            return -1;
        void* data = std::malloc(content.size() + 1);
        std::memcpy(data, content.data(), content.size());
        zip_source_t* source = zip_source_buffer(m_zip, data, content.size(), 1);
        const zip_int64_t index = zip_file_add(m_zip, name.c_str(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0)
            zip_source_free(source);
        return index;
    }

    zip_t* m_zip = nullptr;
};

} // namespace kalvon::testing
