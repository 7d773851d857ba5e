#include "assess/NormalInverse.h"

namespace traverse {

NormalInverse InvertNormals(const Adjustment& a) {
    NormalInverse inv;
    inv.r = a.conditions;
    double b[9];
    if (a.parameters == 1) { // the bordered 3 x 3 [N b; b^T 0]
        InvertSymmetric3x3(a.normalMatrix, b);
        inv.kk[0] = b[0];
        inv.kk[1] = b[1];
        inv.kk[2] = b[3];
        inv.kk[3] = b[4];
        inv.kd[0] = b[2];
        inv.kd[1] = b[5];
        inv.dd = b[8];
    } else if (inv.r == 3) {
        InvertSymmetric3x3(a.normalMatrix, inv.kk);
    } else {
        Invert2x2(a.normalMatrix, inv.kk);
    }
    return inv;
}

} // namespace traverse
