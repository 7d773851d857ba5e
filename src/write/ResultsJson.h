// Every result of an adjustment as one JSON document (format 2, UTF-8): the input as
// used, the closures and the checks of a grade, sigma0 and r, the points with their
// precision, the adjusted sides and azimuths, and the corrections. Field names and
// units are listed in the README; angles in decimal degrees unless a name says seconds.
// The text is as nlohmann's dump(2) of the document, written piece by piece (JsonWriter.h).
#pragma once

#include "assess/GradeLimits.h"
#include "assess/HeightGrades.h"
#include "write/TraverseResults.h"

#include <functional>
#include <string>
#include <string_view>

namespace traverse {

constexpr int kResultsJsonFormat = 2;

// With heights (a known height given) the document gains "heights"; without, it is as
// it always was.
// The document as it is made, in pieces of about 64 KB, to sink; the whole text ends "}\n".
void WriteResultsJson(const TraverseResults& results, const Grade& grade,
                      const HeightGrade& heightGrade,
                      const std::function<void(std::string_view)>& sink);

// The same whole in a string.
std::string BuildResultsJson(const TraverseResults& results, const Grade& grade,
                             const HeightGrade& heightGrade = DefaultHeightGrade());

} // namespace traverse
