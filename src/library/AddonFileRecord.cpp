#include "library/AddonFileRecord.h"

#include "platform/NameFolding.h"

namespace quorvel {

void AddonFileRecord::wrote(const std::vector<std::string>& names) {
    for (const std::string& name : names)
        folded_.insert(FoldCase(name));
}

void AddonFileRecord::deleted(const std::vector<std::string>& names) {
    for (const std::string& name : names)
        folded_.erase(FoldCase(name));
}

bool AddonFileRecord::holds(const std::string& name) const {
    return folded_.contains(FoldCase(name));
}

} // namespace quorvel
