#include "config/AddonCategory.h"

namespace quorvel {
namespace {

template <typename Field>
std::optional<std::size_t> findCategory(std::string_view text, Field field) {
    for (std::size_t i = 0; i < kAddonCategories.size(); ++i) {
        if (kAddonCategories[i].*field == text)
            return i;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::size_t> CategoryByCaption(std::string_view caption) {
    return findCategory(caption, &AddonCategory::caption);
}

std::optional<std::size_t> CategoryBySingularName(std::string_view name) {
    return findCategory(name, &AddonCategory::singularName);
}

} // namespace quorvel
