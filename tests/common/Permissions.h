#pragma once
// What permission tests need: to know whether the system checks them, and a user who owns
// none of their files.
//
// Root passes every permission check, so suites whose name ends in "PermissionTest" are
// run a second time, as uid 65534, when ctest runs as root (tests/run-as-ordinary-user.sh
// picks them by that name). A case that only an ordinary user can see skips as root.

#include <grp.h>
#include <sys/types.h>
#include <unistd.h>

#include <vector>

namespace scx::test {

inline constexpr const char* kRootPassesChecks =
    "root passes every permission check; ctest runs this case again as uid 65534";

inline bool RunningAsRoot() {
    return ::geteuid() == 0;
}

// For its lifetime, the process meets the file system as uid and gid 65534, who owns none
// of the test's files (root's scratch folders and 0666 files stay open to them). Only root
// can change identity: Active() is false elsewhere, and the case should skip.
class AsAnotherUser {
  public:
    static constexpr uid_t kUser = 65534;
    static constexpr gid_t kGroup = 65534;

    AsAnotherUser() : m_wasRoot(RunningAsRoot()), m_group(::getegid()) {
        if (!m_wasRoot) {
            return;
        }
        m_groups.resize(static_cast<std::size_t>(::getgroups(0, nullptr)));
        m_groups.resize(static_cast<std::size_t>(
            ::getgroups(static_cast<int>(m_groups.size()), m_groups.data())));
        m_active = ::setgroups(0, nullptr) == 0 && ::setegid(kGroup) == 0 && ::seteuid(kUser) == 0;
    }
    ~AsAnotherUser() {
        if (m_wasRoot) {
            (void)::seteuid(0);
            (void)::setegid(m_group);
            (void)::setgroups(m_groups.size(), m_groups.data());
        }
    }
    AsAnotherUser(const AsAnotherUser&) = delete;
    AsAnotherUser& operator=(const AsAnotherUser&) = delete;

    bool Active() const { return m_active; }

    static constexpr const char* kSkipReason =
        "only root can act as a user who does not own the file";

  private:
    const bool m_wasRoot;
    const gid_t m_group;
    std::vector<gid_t> m_groups;
    bool m_active = false;
};

}  // namespace scx::test
