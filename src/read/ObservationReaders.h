// The two observation file formats read from bytes already in memory: ".txt" station
// and data lines, ".con" six-line groups of two-face readings. Each gives the records
// in file order (slope distances as read) or a refusal that names the file, the line
// and the word; never both. The name (UTF-8) is the file's, for the messages.
#pragma once

#include "model/Refusal.h"
#include "model/Traverse.h"
#include "read/ImportText.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

struct ReadResult {
    Observations observations;
    std::optional<Refusal> refusal;
};

ReadResult ReadTxtObservations(std::string_view bytes, const std::string& name,
                               TextEncoding encoding = TextEncoding::Automatic);
ReadResult ReadConObservations(std::string_view bytes, const std::string& name,
                               TextEncoding encoding = TextEncoding::Automatic);

