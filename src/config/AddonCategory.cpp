#include "config/AddonCategory.h"

namespace quorvel {

std::optional<std::size_t> CategoryBySingularName(std::string_view name) {
    for (std::size_t i = 0; i < kAddonCategories.size(); ++i) {
        if (kAddonCategories[i].singularName == name)
            return i;
    }
    return std::nullopt;
}

} // namespace quorvel
