#pragma once

#include "library/Installation.h"

#include <functional>
#include <string>
#include <vector>

namespace quorvel {

struct AddonNotPutBack {
    AddonKey addon;
    std::string why;
};

struct PutBackOutcome {
    std::string refusal; // why nothing was taken out nor put back; "" when it ran
    std::vector<AddonKey> putBack;
    std::vector<AddonNotPutBack> notPutBack; // archive gone from the library, or a failed install
    bool stopped = false;                    // asked to stop: the add-ons after it were not tried
};

// Asked between two add-ons: whether to stop there.
using StopRequest = std::function<bool()>;

// Puts a set back: Clear All takes out what is installed, then each add-on of the
// set is installed in order by the Installation's own install, so the game folder
// ends as installing them by hand would leave it. Add-ons whose archive is not in
// the library are passed over. Progress is the Clear All's, then the members
// extracted of all the set's archives. Nothing is touched when Clear All is refused
// or cannot clear the folder, or when the set is empty.
PutBackOutcome PutBackSet(Installation& installation, const std::vector<AddonKey>& set,
                          const UnzipProgress& progress = {}, const StopRequest& stop = {});

} // namespace quorvel
