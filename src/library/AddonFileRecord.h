#pragma once

#include <string>
#include <unordered_set>
#include <vector>

namespace quorvel {

// The names of the files that add-ons wrote into the game folder this run and
// that are still there as far as the program knows, without regard to letter
// case. It tells an add-on's GRB_031.SND from the game's own.
class AddonFileRecord {
public:
    void wrote(const std::vector<std::string>& names);
    void deleted(const std::vector<std::string>& names);
    bool holds(const std::string& name) const;
    // The names in folded case, as `wrote` takes them back.
    const std::unordered_set<std::string>& foldedNames() const { return folded_; }

private:
    std::unordered_set<std::string> folded_;
};

} // namespace quorvel
