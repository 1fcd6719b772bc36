#pragma once
// A file system mounted for one case: ramfs, which keeps no user extended attributes, or
// ext4 with 128-byte inodes, whose times stop at 19 January 2038. Mounting needs root, and
// ext4 needs mkfs.ext4 and a loop device too: where they are missing, Refusal() says why
// and the case skips. Windows mounts neither: there every such case skips.

#ifndef _WIN32
#include <sys/mount.h>
#include <sys/stat.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <string>

namespace scx::test {

class ScratchMount {
  public:
    enum class Kind { ramfs, smallInodeExt4 };

    // Mounts on `folder`, which is created.
    ScratchMount(const std::string& folder, Kind kind) : m_folder(folder) {
#ifdef _WIN32
        (void)kind;
        m_refusal = "ramfs and ext4 are Linux's file systems: Windows mounts neither";
#else
        ::mkdir(folder.c_str(), 0755);
        if (kind == Kind::ramfs) {
            m_mounted = ::mount("none", folder.c_str(), "ramfs", 0, nullptr) == 0;
            m_refusal = m_mounted ? "" : "cannot mount a ramfs here (needs root)";
            return;
        }
        m_image = folder + ".img";
        const std::string image = "'" + m_image + "'";
        if (std::system(("truncate -s 4M " + image + " && mkfs.ext4 -q -F -I 128 " + image +
                         " >/dev/null 2>&1")
                            .c_str()) != 0) {
            m_refusal = "mkfs.ext4 cannot make an ext4 image here";
            return;
        }
        m_mounted =
            std::system(("mount -o loop " + image + " '" + folder + "' 2>/dev/null").c_str()) == 0;
        m_refusal =
            m_mounted ? "" : "cannot mount an ext4 image here (needs root and a loop device)";
#endif
    }
    ~ScratchMount() {
#ifndef _WIN32
        if (m_mounted) {
            ::umount2(m_folder.c_str(), MNT_DETACH);
        }
        if (!m_image.empty()) {
            std::remove(m_image.c_str());
        }
#endif
    }
    ScratchMount(const ScratchMount&) = delete;
    ScratchMount& operator=(const ScratchMount&) = delete;

    // Empty once mounted.
    const std::string& Refusal() const {
        return m_refusal;
    }

  private:
    std::string m_folder;
    std::string m_image;
    bool m_mounted = false;
    std::string m_refusal;
};

}  // namespace scx::test
