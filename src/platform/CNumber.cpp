#include "platform/CNumber.h"

#include <cstdlib>
#include <locale.h>

namespace traverse {

namespace {
locale_t CLocale() {
    static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}
} // namespace

double StrtodC(const char* text, char** end) { return strtod_l(text, end, CLocale()); }

} // namespace traverse
