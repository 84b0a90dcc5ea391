#include "Unprivileged.h"

#include <cstdlib>
#include <unistd.h>

namespace lumetra::testsupport {

namespace {
constexpr uid_t nobody = 65534;
}

Unprivileged::Unprivileged() {
    if (::geteuid() != 0) {
        return;
    }
    // The group first: once the user is "nobody" it may no longer change its group.
    dropped_ = ::setegid(nobody) == 0 && ::seteuid(nobody) == 0;
    if (!dropped_) {
        (void)::setegid(0);
        enforced_ = false;
    }
}

Unprivileged::~Unprivileged() {
    // The saved set-user-id is still root, so the process may take its privileges back; a test
    // process that cannot must not go on as another user.
    if (dropped_ && (::seteuid(0) != 0 || ::setegid(0) != 0)) {
        std::abort();
    }
}

} // namespace lumetra::testsupport
