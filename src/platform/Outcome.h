#pragma once

#include <cassert>
#include <string>
#include <utility>

namespace quorvel {

// The report of an operation that has nothing to tell but whether it was done.
struct Nothing {};

// What an operation did. It was done, or it was not, and then why() says why in
// words the player can read. Either way it carries its report: what it did on the
// way (the files it wrote, those it could not ...). There is no default: only the
// operation says what became of it, and one not done always says why.
template <typename Report = Nothing> class Outcome {
public:
    static Outcome Done(Report report = {}) { return Outcome(true, {}, std::move(report)); }
    static Outcome NotDone(std::string why, Report report = {}) {
        assert(!why.empty() && "an operation that was not done says why");
        return Outcome(false, std::move(why), std::move(report));
    }

    bool done() const { return done_; }
    const std::string& why() const { return why_; } // "" when done
    const Report& report() const { return report_; }
    Report& report() { return report_; }
    const Report* operator->() const { return &report_; }
    Report* operator->() { return &report_; }

private:
    Outcome(bool done, std::string why, Report report)
        : done_(done)
        , why_(std::move(why))
        , report_(std::move(report)) {}

    bool done_;
    std::string why_;
    Report report_;
};

} // namespace quorvel
