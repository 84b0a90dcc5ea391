#pragma once
// Tests of refused access: root reads every file whatever its permissions, so while one of these
// is alive a process running as root acts as the unprivileged user "nobody" (effective ids only).

namespace lumetra::testsupport {

class Unprivileged {
public:
    Unprivileged();
    ~Unprivileged();
    Unprivileged(const Unprivileged&) = delete;
    Unprivileged& operator=(const Unprivileged&) = delete;

    // False when the process is root and could not give up its privileges: permissions are then
    // not enforced and a test of refused access must skip.
    bool enforced() const { return enforced_; }

private:
    bool dropped_ = false;
    bool enforced_ = true;
};

} // namespace lumetra::testsupport
