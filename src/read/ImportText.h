// Observation text: a file's bytes, already in memory, with their encoding settled
// (names end up as code page 936 bytes), handed out line by line. Words and numbers
// are read the way formatted input reads "%s" and "%lf", but never past the line and
// never into a field: the caller checks a word's length before storing it.
#pragma once

#include "model/NumberText.h"
#include "model/Refusal.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace traverse {

// Sanity bounds of an import.
constexpr int kMaxObservations = 10000;
constexpr int kMaxStationLines = 20000;
constexpr size_t kMaxLineBytes = 4096;
constexpr size_t kMaxFileBytes = size_t{32} << 20;
constexpr size_t kMaxNumberChars = 100;

// How a file's text is read: decided from its bytes, or forced by the caller.
enum class TextEncoding { Automatic = 0, Gbk = 1, Utf8 = 2 };

// Whether text that is valid UTF-8 with non-ASCII characters is read as UTF-8: both
// readings are possible (UTF-8 Chinese is mostly valid GBK too), and the one whose
// Chinese characters are more often the common ones (GB2312 level 1, 0xB0A1-0xD7FE)
// wins; on a tie, UTF-8 when a character lies beyond U+07FF.
bool ReadsAsUtf8(std::string_view text);

class ObservationText {
public:
    // Takes the file's bytes; name (UTF-8) is the file's name for messages. The text is
    // UTF-8 when it starts with a byte-order mark, when ReadsAsUtf8 says so, or when
    // forced; GBK otherwise. False, with Fault() set, for more than maxBytes, a NUL
    // byte, lines ended by CR alone, UTF-8 that is not valid or holds a character that
    // code page 936 cannot hold, and GBK that is not valid code page 936 (the first line
    // that is not).
    // maxBytes bounds the file (known-point files have their own bound).
    bool Decode(std::string_view bytes, const std::string& name,
                TextEncoding encoding = TextEncoding::Automatic, size_t maxBytes = kMaxFileBytes);
    // The next line without its "\n" (and a "\r" before it). False at the end, and
    // when the line is longer than kMaxLineBytes (Failed() then holds).
    bool NextLine(std::string_view& line);
    // Back to the first line, for a second pass.
    void Rewind();
    bool Failed() const { return m_failed; }
    const Refusal& Fault() const { return m_fault; }
    // 1-based number of the line last handed out.
    int LineNumber() const { return m_lineNumber; }
    // A refusal naming this file (%1) and the current (or the given) line (%2), with
    // UTF-8 details as %3, %4, %5.
    Refusal MakeFault(int stringId, std::string_view d3 = {}, std::string_view d4 = {},
                      std::string_view d5 = {}) const;
    Refusal FaultAt(int line, int stringId, std::string_view d3 = {}, std::string_view d4 = {},
                    std::string_view d5 = {}) const;

private:
    bool Refuse(int stringId, int lineNumber);

    std::string m_name; // UTF-8, for messages
    std::string m_text; // code page 936
    size_t m_next = 0;
    int m_lineNumber = 0;
    bool m_failed = false;
    Refusal m_fault;
};

// A point name as read: kNameTooLong past kMaxNameBytes, kNameControlCharacter when it
// holds a control character (below 0x20, or 0x7F); 0 when sound.
int NameFault(std::string_view name);

// The refusal of a name with that fault at the current line: the name as %3, its
// control characters shown escaped.
Refusal NameFaultOf(const ObservationText& file, std::string_view name);

// The file name of a path, as UTF-8 for a message.
std::string DisplayName(const std::string& path);

// A word of the file (code page 936) as UTF-8 for a message, cut after 40 bytes.
std::string WordText(std::string_view word);

void CommasToSpaces(std::string& line);

// "%s": skips white space, takes the following run of non-space bytes.
bool ReadWord(std::string_view line, size_t& pos, std::string_view& word);

// "%lf" from pos; text (when given) receives the number as written. NotFinite also for
// a number longer than kMaxNumberChars.
ScanResult ReadNumber(std::string_view line, size_t& pos, double& value,
                      std::string_view* text = nullptr);

// A word that is wholly a number: NoNumber when it is not ("308.4x"), NotFinite when it
// is infinite, not a number, overflows or is longer than kMaxNumberChars.
ScanResult ReadWholeNumber(std::string_view word, double& value);

} // namespace traverse
