#pragma once
// Prices, weights and bag sizes of the built-in catalogue's components, for the installed price table.

#include <vector>

namespace halvern::tools {

struct CataloguePrice {
    int number;
    double price, weight, pack_by;
};

std::vector<CataloguePrice> catalogue_prices();

} // namespace halvern::tools
