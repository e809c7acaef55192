#pragma once
// A copy of one design case as it was loaded (the five case arrays), kept so
// that the input reports can show every case after the shared arrays have been
// reused for the next one. An unallocated array stays unallocated in the copy.

#include <string>

#include "qvc/runtime/DynArray.h"
#include "qvc/runtime/Value.h"

namespace qvc {

struct CaseSnapshot {
    rt::DynArray<std::string> Gen;   // 1 title, 2 short title, 3 description
    rt::DynArray2<rt::Value> Inv;    // investment items (fields 1..10, items 1..n)
    rt::DynArray2<rt::Value> Loan;   // loans (fields 1..8)
    rt::DynArray2<rt::Value> Ann;    // annual operating costs (fields 1..6)
    rt::DynArray2<rt::Value> Other;  // other operating costs (fields 1..7)

    // Copies of the five case arrays.
    static CaseSnapshot of(const rt::DynArray<std::string>& gen,
                           const rt::DynArray2<rt::Value>& inv,
                           const rt::DynArray2<rt::Value>& loan,
                           const rt::DynArray2<rt::Value>& ann,
                           const rt::DynArray2<rt::Value>& other) {
        return CaseSnapshot{gen, inv, loan, ann, other};
    }

    // Copies the snapshot back into the five case arrays.
    void copyTo(rt::DynArray<std::string>& gen, rt::DynArray2<rt::Value>& inv,
                rt::DynArray2<rt::Value>& loan, rt::DynArray2<rt::Value>& ann,
                rt::DynArray2<rt::Value>& other) const {
        gen = Gen;
        inv = Inv;
        loan = Loan;
        ann = Ann;
        other = Other;
    }
};

}  // namespace qvc
