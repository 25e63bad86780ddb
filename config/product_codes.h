// Application codes of the die-design product family. The View Manager
// passes its own, kDieDesignProduct; the others choose the key prefix, the
// environment variable and the fallback directory of a sibling product.
#pragma once

enum ProductCode {
    kMouldDesignProduct = 1,
    kDieDesignProduct = 2,
    kAutomotiveDieProduct = 3,
    kElectrodeProduct = 4
};
