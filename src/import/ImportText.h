// Reading observation files: the whole file is read once, its encoding settled (names
// end up as code page 936 bytes) and handed out line by line. Words and numbers are
// read the way formatted input reads "%s" and "%lf", but never past the line and
// never into a field: the caller checks a word's length before storing it.
#pragma once

#include "workspace/NumberText.h"

#include <cstddef>
#include <string>
#include <string_view>

// Sanity bounds of an import.
constexpr int kMaxObservations = 10000;
constexpr int kMaxStationLines = 20000;
constexpr size_t kMaxLineBytes = 4096;
constexpr size_t kMaxFileBytes = size_t{32} << 20;
constexpr size_t kMaxNumberChars = 100;

// A refused import: the string id and its formatted text.
struct ImportFault {
    int stringId = 0;
    std::string text;
};

enum class LoadStatus { Ok, CannotOpen, Refused };

class ObservationText {
public:
    // Reads the file. Refused: larger than kMaxFileBytes, holds a NUL byte, or is UTF-8
    // with a character that code page 936 cannot hold; Fault() says which.
    LoadStatus Load(const std::string& path);
    // The next line without its "\n" (and a "\r" before it). False at the end, and
    // when the line is longer than kMaxLineBytes (Failed() then holds).
    bool NextLine(std::string_view& line);
    bool Failed() const { return m_failed; }
    const ImportFault& Fault() const { return m_fault; }
    // 1-based number of the line last handed out.
    int LineNumber() const { return m_lineNumber; }
    // A fault naming this file and the current line, with a UTF-8 detail as %3.
    ImportFault MakeFault(int stringId, std::string_view detail = {}) const;

private:
    LoadStatus Refuse(int stringId, int lineNumber);

    std::string m_name; // UTF-8, for messages
    std::string m_text; // code page 936
    size_t m_next = 0;
    int m_lineNumber = 0;
    bool m_failed = false;
    ImportFault m_fault;
};

// The file name of a path, as UTF-8 for a message.
std::string DisplayName(const std::string& path);

void CommasToSpaces(std::string& line);

// "%s": skips white space, takes the following run of non-space bytes.
bool ReadWord(std::string_view line, size_t& pos, std::string_view& word);

// "%lf" from pos. NotFinite also for a number longer than kMaxNumberChars.
ScanResult ReadNumber(std::string_view line, size_t& pos, double& value);
