// An existing link moved out of the way while its replacement is made, so
// that a failed replacement costs the user nothing.
#pragma once

#include <string>

// Moves whatever lies at linkPath to <linkPath>.old-<process id> in the same
// folder, and puts it back when destroyed unless Discard was called once the
// replacement was saved. A folder or a read-only file is not moved: it could
// never be deleted, so it cannot be replaced either. Nor is a path whose
// attributes cannot be read: what is there is unknown.
class SetAsideLink {
public:
    explicit SetAsideLink(const std::string& linkPath);
    SetAsideLink(const SetAsideLink&) = delete;
    SetAsideLink& operator=(const SetAsideLink&) = delete;
    ~SetAsideLink();

    // False when something is in the way that could not be moved.
    bool Ready() const { return ready_; }

    // The replacement is saved: the old link goes for good.
    void Discard();

private:
    std::string linkPath_;
    std::string asidePath_;
    bool ready_ = true;
};
