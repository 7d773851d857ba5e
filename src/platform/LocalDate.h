// Today's date on the local clock as the report prints it: "2026-12-07".
#pragma once

#include <string>

namespace traverse {

std::string LocalDateText();

} // namespace traverse
