#include "platform/FolderIdentity.h"

#include "platform/NameFolding.h"
#include "platform/NameText.h"

#include <system_error>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

// The path with links and ".." resolved as far as the folders exist, and without
// a trailing separator, so that "EAW/" and "EAW" read alike.
fs::path resolved(const fs::path& path) {
    std::error_code error;
    fs::path canonical = fs::weakly_canonical(path, error);
    if (error)
        canonical = path.lexically_normal();
    if (!canonical.has_filename() && canonical.has_relative_path())
        canonical = canonical.parent_path();
    return canonical;
}

bool sameText(const fs::path& a, const fs::path& b) {
#ifdef _WIN32
    return EqualsIgnoringCase(NameText(a), NameText(b));
#else
    return a == b;
#endif
}

} // namespace

bool SameFolder(const fs::path& a, const fs::path& b) {
    if (a.empty() || b.empty())
        return false;
    std::error_code error;
    if (fs::is_directory(a, error) && fs::is_directory(b, error))
        return fs::equivalent(a, b, error) && !error;
    return sameText(resolved(a), resolved(b));
}

bool InsideOrSame(const fs::path& folder, const fs::path& outer) {
    if (folder.empty() || outer.empty())
        return false;
    for (fs::path step = resolved(folder);; step = step.parent_path()) {
        if (SameFolder(step, outer))
            return true;
        if (step == step.parent_path() || step.empty())
            return false;
    }
}

} // namespace quorvel
