// Decoding of the program's text files: UTF-8 (with or without a byte-order mark), else
// code page 932 as written by the Windows program. Lines come back without CR or LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class TextEncoding { Utf8, Cp932 };

struct DecodedText {
    bool ok = false;
    TextEncoding encoding = TextEncoding::Utf8;
    std::string utf8;   ///< the text as UTF-8, byte-order mark removed
    std::string error;  ///< why decoding failed, when !ok
};

/// True when every byte sequence of `bytes` is well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);

/// UTF-8 when the bytes are valid UTF-8, otherwise code page 932; an undecodable file
/// reports the byte offset of the first bad sequence instead of giving empty text.
DecodedText DecodeText(std::string_view bytes);

/// Splits at LF; a CR before the LF (or at the very end) is removed. A final line
/// without LF is kept; the empty piece after a final LF is not a line.
std::vector<std::string> SplitLines(std::string_view text);

/// Reads a whole file as bytes. Returns false with a message naming the file on failure.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error);

/// Reads, decodes and splits a text file. On failure returns false and a message that
/// names the file; `lines` is left empty.
bool ReadTextFileLines(const std::string& path, std::vector<std::string>& lines,
                       std::string& error);

}  // namespace platform
