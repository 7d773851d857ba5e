// The inverse of an adjustment's normal matrix in blocks: Qkk of the correlates, Qkd of
// the correlates by the free orientation, Qdd of the orientation (the last two zero
// without one). With a free orientation, the inverse of the bordered [N b; b^T 0].
#pragma once

#include "adjust/Adjustment.h"

namespace traverse {

struct NormalInverse {
    int r = 0;
    double kk[9] = {}, kd[3] = {}, dd = 0.0;
};

NormalInverse InvertNormals(const Adjustment& a);

} // namespace traverse
