// Snapshot parsers: header and body of "Simple Binary" and "Simple Ascii" snapshot files,
// from bytes in memory to particle arrays, with the load transforms and the sort by ID.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class ParticleArrays_cls;

/// Data types of a grammar.
enum SnapshotDataType { SNAPSHOT_BINARY = 0, SNAPSHOT_ASCII = 1 };

/// A plain copy of a record grammar (data type and the two code lists), taken when a read
/// begins so that later edits of the settings do not reach a running reader. Any thread.
struct SnapshotGrammar {
    int dataType = SNAPSHOT_BINARY;            ///< 0 "Simple Binary", 1 "Simple Ascii"
    std::vector<int> headerCodes{0, 1};        ///< 0 Time, 1 Number, 2/3/4 dummies (1/3/10 values)
    std::vector<int> bodyCodes{0, 1, 5, 6, 7, 8};  ///< 0 xyz, 1 velocity, 2/3/4 dummies, 5 radius, 6 id, 7 type, 8 value1

    /// Bytes of the binary header: 4 for codes 0-2, 12 for 3, 40 for 4, 0 for any other.
    uint64_t HeaderByteSize() const;
    /// Values (= ASCII lines) of the header: 1 for codes 0-2, 3 for 3, 10 for 4, 0 otherwise.
    uint64_t HeaderValueCount() const;
    /// Bytes of one binary body record (sum over the body codes; unknown codes count 0).
    uint64_t RecordByteSize() const;
    /// Values of one ASCII body line (sum over the body codes; unknown codes count 0).
    uint64_t RecordValueCount() const;
    bool HeaderHasCode(int code) const;
    bool BodyHasCode(int code) const;
    /// True when the body codes are exactly 0, 1, 5, 6, 7, 8 (the fast paths).
    bool IsStandardLayout() const;
    /// "" when the grammar can be read; otherwise why not (no Number in the header, a body
    /// code outside 0..8, a list longer than 16 codes).
    std::string Problem() const;
};

/// Everything the snapshot readers take from the loader settings, copied when a read begins.
struct SnapshotLoadSettings {
    SnapshotGrammar grammar;
    int interpolationType = 1;     ///< 0 linear, 1 Hermite, 2 none ("InterpolateType=")
    int numberMode = 0;            ///< 0 by index, 1 by ID, 2 sort by ID ("VariableNumber=")
    float translate[3] = {0, 0, 0};///< added to positions unless all three are exactly 0
    float scale = 1.0f;            ///< positions, velocities, radii; exactly 0 means "off"
    float value1Scale = 1.0f;      ///< value1 factor; exactly 0 means "off"
    unsigned int logarithm = 0;    ///< exactly 1: value1 := log10(value1) (0 for v <= 0)
};

/// What a header holds.
struct SnapshotHeader {
    bool hasTime = false;   ///< the header grammar has a Time code
    double time = 0.0;      ///< Time field (binary: the 32-bit float widened)
    int64_t count = -1;     ///< Number field; checked to be >= 0
    uint64_t bodyOffset = 0;///< byte offset of the first body record / body line
};

/// Outcome of a parse. `message` says where it failed ("line 57: expected 10 values,
/// found 4", "byte 48: ..."); the file name is added by whoever knows it.
struct SnapshotReadResult {
    bool ok = true;
    std::string message;
    int64_t line = -1;        ///< 1-based line of an ASCII failure, -1 when none
    int64_t byteOffset = -1;  ///< byte offset of a binary failure, -1 when none
    /// A read that went well but left lines out: the 1-based file line of the first ASCII
    /// body line past the header's count that holds anything; -1 when none.
    int64_t ignoredFrom = -1;
    /// What the user is told about a read that went well with a reservation ("file: line 7:
    /// ... the rest of the file is ignored"); "" when there is nothing to tell.
    std::string warning;

    static SnapshotReadResult Fail(std::string msg, int64_t line = -1, int64_t byte = -1) {
        SnapshotReadResult r;
        r.ok = false;
        r.message = std::move(msg);
        r.line = line;
        r.byteOffset = byte;
        return r;
    }
};

/// Reads the header of a binary snapshot from the first bytes of the file. `fileSize` is the
/// whole file's size: the count is refused when negative or when header + count records
/// exceed it. Any thread.
SnapshotReadResult ParseHeaderBinary(const unsigned char* bytes, size_t size, uint64_t fileSize,
                                     const SnapshotGrammar& grammar, SnapshotHeader& out);
/// Reads the header lines of an ASCII snapshot from the start of the text (codes 0-2 one
/// line each, code 3 three lines, code 4 ten, other codes none). The count is refused when
/// negative or when the rest of the file cannot hold that many body lines. `fileSize` is
/// the whole file's size when `text` is only its beginning (0: the text is the whole file).
/// Any thread.
SnapshotReadResult ParseHeaderAscii(const char* text, size_t size, const SnapshotGrammar& grammar,
                                    SnapshotHeader& out, uint64_t fileSize = 0);

/// Parses `count` binary records starting at `bytes` into particles first..first+count-1
/// of `arrays`. Fails when fewer than count × record bytes are given (the offset of the
/// first missing record is reported relative to `baseOffset`). Types: the standard layout
/// clamps the 32-bit integer to 0..3; other layouts keep its low byte and clamp that to 3.
/// Arrays the grammar does not fill are left untouched (see ClearUnfilledArrays).
SnapshotReadResult ParseBodyBinary(const unsigned char* bytes, size_t size,
                                   const SnapshotGrammar& grammar, int64_t first, int64_t count,
                                   const ParticleArrays_cls& arrays, uint64_t baseOffset = 0);

/// Parses whole ASCII body lines from [text, text+size): the first line given is body line
/// `firstIndex` (0-based) and fills the particle of that index, the next line the next
/// particle, and so on. Every line ends in a line feed except perhaps the last one given.
/// A line is tokenised whole: it needs at least the grammar's value count, any number of
/// values may follow and are ignored. Lines from `count` on are counted but not read: the
/// first of them that is not blank (spaces, tabs, CR) is reported in `ignoredFrom` of the
/// result, which stays ok; the header's count is what the file holds. Codes 6 and 7
/// take integers; a type's low byte is kept and clamped to 3. Numbers are read without the
/// user's locale. `lines` gets the lines parsed (on a failure, those before the failing
/// one); `firstLine` is the 1-based file line of body line 0, for messages. Any thread;
/// calls on disjoint lines may run at once.
SnapshotReadResult ParseBodyAsciiLines(const char* text, size_t size, int64_t firstIndex, int64_t count,
                                       int64_t firstLine, const SnapshotGrammar& grammar,
                                       const ParticleArrays_cls& arrays, int64_t& lines);

/// Ok when a body of `lines` lines holds `count` particles (lines beyond them were checked
/// to be blank by the parse); otherwise the failure naming the first missing line.
SnapshotReadResult CheckBodyLineCount(int64_t lines, int64_t count, int64_t firstLine);

/// The user's note for a body with lines past the header's `count` from file line
/// `ignoredFrom` on: "line 7: the body holds more than the 4 particles of the header; the
/// rest of the file is ignored".
std::string IgnoredLinesWarning(int64_t ignoredFrom, int64_t count);

/// Convenience for tests and tools: the whole ASCII body after `bodyOffset`, on one thread,
/// with the same checks as the file reader (a body shorter than the count fails at its
/// first missing line; one longer reads the count and reports its first extra line).
SnapshotReadResult ParseBodyAscii(const char* text, size_t size, const SnapshotHeader& header,
                                  const SnapshotGrammar& grammar, const ParticleArrays_cls& arrays);

/// Zero-fills the arrays (of n particles) that the body grammar does not write: position,
/// velocity, radius, value1, type and id each when its code is absent.
void ClearUnfilledArrays(const SnapshotGrammar& grammar, int64_t n, const ParticleArrays_cls& arrays);

/// Translate, scale, value1 scale and logarithm, in this order, as the settings switch them.
void ApplyTransforms(const SnapshotLoadSettings& settings, int64_t n, const ParticleArrays_cls& arrays);

/// Reorders position, velocity, radius, value1, type and id by ascending id (signed).
/// Needs the id array; does nothing without it.
void SortByID(int64_t n, const ParticleArrays_cls& arrays);
