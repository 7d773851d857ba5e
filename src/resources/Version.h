// The program's version ("1.0.0"), as the build gives it, for --version and reports.
#pragma once

namespace traverse {

const char* ProgramVersion();

} // namespace traverse
