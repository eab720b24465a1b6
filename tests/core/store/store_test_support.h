#pragma once

#include "core/store/settings.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <string_view>

namespace tindrel {

// Lets failing comparisons show every field.
inline void PrintTo(const Settings& s, std::ostream* os) {
    *os << "{scan_interval_ms=" << s.scan_interval_ms << " play_sound=" << s.play_sound
        << " send_email=" << s.send_email << " smtp_server=\"" << s.smtp_server
        << "\" smtp_port=" << s.smtp_port << " recipient1=\"" << s.recipient1 << "\" recipient2=\""
        << s.recipient2 << "\"}";
}

namespace testing_support {

// `bytes` quoted, with control and 8-bit bytes escaped, for test names and messages.
inline std::string quoted(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\r') {
            out += "\\r";
        } else if (byte == '\n') {
            out += "\\n";
        } else if (byte == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte >= 0x7f || c == '"' || c == '\\') {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// A fresh folder under the system's temporary folder, removed with its content.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tindrel-store-XXXXXX");
        path_ = mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline void write_bytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline const std::string kDefaultContent = ";scan_every=10\r\n;play_sound=1\r\n;send_email=0\r\n"
                                           ";smtp=\r\n;port=25\r\n;1recipient=\r\n;2recipient=\r\n";

} // namespace testing_support
} // namespace tindrel
