#include "models/wheel/Subsets.h"

namespace wheel {

Mask SubsetUnrank(std::uint64_t rank, int size)
{
    Mask subset = 0;
    int top = 63;
    for (int i = size; i >= 1; --i) {
        // The largest member c with C(c, i) <= rank; members fall as i falls.
        while (top >= 0 && Binomial(top, i) > rank)
            --top;
        subset |= Bit(top);
        rank -= Binomial(top, i);
        --top;
    }
    return subset;
}

} // namespace wheel
