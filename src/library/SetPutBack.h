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

// What the library holds of a set, found before anything is taken out.
struct SetArchives {
    std::vector<AddonKey> present;        // in set order, each archive once
    std::vector<AddonNotPutBack> missing; // no archive in the library, or one unreadable
    std::vector<AddonKey> namedTwice;     // another name, in other letter case, of an
                                          // archive of `present`
    std::size_t members = 0;              // of the present archives
};

// Looks up every archive of `set`, reading each category folder once and opening
// each archive found; time grows with the set, not with the set times the library.
SetArchives CheckSetArchives(const PathVariables& paths, const std::vector<AddonKey>& set);

struct PutBackReport {
    std::vector<AddonKey> putBack;
    std::vector<AddonNotPutBack> notPutBack; // archive gone from the library, or a failed install
    std::vector<AddonKey> namedTwice;        // put back once, under its first name
    bool stopped = false;                    // asked to stop: the add-ons after it were not tried
};

// Not done: nothing was taken out nor put back.
using PutBackOutcome = Outcome<PutBackReport>;

// Asked between two add-ons: whether to stop there.
using StopRequest = std::function<bool()>;

// Puts a set back: Clear All takes out what is installed, then each add-on of the
// set whose archive CheckSetArchives found is installed in order by the
// Installation's own install, so the game folder ends as installing them by hand
// would leave it. Progress is the Clear All's, then the members extracted of all
// the set's archives. Nothing is touched when the set is empty, when none of its
// archives can go in, or when Clear All is refused or cannot clear the folder.
PutBackOutcome PutBackSet(Installation& installation, const std::vector<AddonKey>& set,
                          const UnzipProgress& progress = {}, const StopRequest& stop = {});

} // namespace quorvel
