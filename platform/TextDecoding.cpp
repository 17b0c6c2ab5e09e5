#include "platform/TextDecoding.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iconv.h>

namespace platform {

bool IsValidUtf8(std::string_view s) {
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    size_t n = s.size();
    size_t i = 0;
    while (i < n) {
        unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t len;
        unsigned int cp;
        if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + len > n) return false;
        for (size_t k = 1; k < len; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        // overlong forms, surrogates and values past U+10FFFF are not UTF-8
        if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) ||
            (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return false;
        i += len;
    }
    return true;
}

namespace {

bool DecodeCp932(std::string_view in, std::string& out, std::string& error) {
    // "CP932" is the name glibc decodes correctly; "SHIFT_JIS" fails on common characters.
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        error = "code page 932 is not available for decoding";
        return false;
    }
    out.clear();
    out.reserve(in.size() * 3 / 2 + 16);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buf[4096];
    bool ok = true;
    while (srcLeft > 0) {
        char* dst = buf;
        size_t dstLeft = sizeof buf;
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf, static_cast<size_t>(dst - buf));
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            error = "undecodable byte at offset " + std::to_string(in.size() - srcLeft) +
                    " (neither UTF-8 nor code page 932)";
            ok = false;
            break;
        }
    }
    iconv_close(cd);
    if (!ok) out.clear();
    return ok;
}

}  // namespace

DecodedText DecodeText(std::string_view bytes) {
    DecodedText result;
    if (bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xEF &&
        static_cast<unsigned char>(bytes[1]) == 0xBB && static_cast<unsigned char>(bytes[2]) == 0xBF) {
        bytes.remove_prefix(3);
        if (!IsValidUtf8(bytes)) {
            result.error = "file marked as UTF-8 holds invalid UTF-8";
            return result;
        }
        result.ok = true;
        result.utf8.assign(bytes);
        return result;
    }
    if (IsValidUtf8(bytes)) {
        result.ok = true;
        result.utf8.assign(bytes);
        return result;
    }
    result.encoding = TextEncoding::Cp932;
    result.ok = DecodeCp932(bytes, result.utf8, result.error);
    return result;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        size_t next = end;
        if (end == std::string_view::npos) {
            end = text.size();
            next = text.size();
        } else {
            ++next;
        }
        size_t len = end - start;
        if (len > 0 && text[start + len - 1] == '\r') --len;
        lines.emplace_back(text.substr(start, len));
        start = next;
    }
    return lines;
}

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error) {
    bytes.clear();
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    char buf[1 << 16];
    size_t got;
    while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, got);
    bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) {
        error = path + ": read error";
        bytes.clear();
        return false;
    }
    return true;
}

bool ReadTextFileLines(const std::string& path, std::vector<std::string>& lines,
                       std::string& error) {
    lines.clear();
    std::string bytes;
    if (!ReadFileBytes(path, bytes, error)) return false;
    DecodedText text = DecodeText(bytes);
    if (!text.ok) {
        error = path + ": " + text.error;
        return false;
    }
    lines = SplitLines(text.utf8);
    return true;
}

}  // namespace platform
