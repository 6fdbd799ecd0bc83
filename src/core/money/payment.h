#pragma once
// The monthly payment routine shared with the deal worksheet. Free of widgets so it can be tested alone.

#include "core/money/numbers.h"

#include <QString>

namespace payment {

// The payment of `amount` over `months` at the yearly `rate` in per cent, the first payment `days`
// after the deal, less the two adjustments; returned as plain text. When the rate is not 0, the
// caller's `adjustB` is replaced by adjustB x months / 12.
//
// A payment that cannot be computed (months of 0 or less, a step that does not fit the currency type,
// a result that is not a finite number) comes back as "0", with *ok set to false when it is given.
QString calculate(numbers::Currency &amount, numbers::Currency &months, numbers::Currency &rate,
                  numbers::Currency &adjustA, numbers::Currency &days, numbers::Currency &adjustB, bool *ok = nullptr);

} // namespace payment
