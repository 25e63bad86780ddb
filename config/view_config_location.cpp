#include "config/view_config_location.h"

#include "config/product_codes.h"
#include "config/product_paths.h"

bool find_view_config_file(const char* name, char* path, size_t pathSize) {
    for (const char* variable : kViewManagerProductVariables) {
        if (find_product_file_or_base(kDieDesignProduct, variable, kViewConfigDirectory, name, path,
                                      pathSize) == 0)
            return true;
    }
    return false;
}
