#pragma once
// The active pricing context: the currency list, currency and VAT rate of the
// order or selection window that is active, published by the window on every
// activation. Prices themselves are computed from the window's own order or
// selection. Never stored.

#include <vector>

namespace kvf {

struct PricingCurrency {
    int CurrencyID = 0;
    double Rate = 0;
};

struct PricingContext {
    std::vector<PricingCurrency> Currencies;
    int Currency = 0;  // currency number (ID of the currency table); 0 when none
    double NDSTax = 0; // VAT rate in percent

    // An order window without an order: currency 0, rate 0, no list.
    void Clear() { *this = PricingContext(); }
};

} // namespace kvf
