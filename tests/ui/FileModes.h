// Root writes any file whatever its mode. For the length of a scope this
// thread gives up that right (CAP_DAC_OVERRIDE), so that a file made
// read-only is read-only for the test too; for other users it changes nothing.
#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

class FileModesEnforced {
 public:
  FileModesEnforced() {
    if (::syscall(SYS_capget, &header_, saved_) != 0) return;
    __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
    lowered[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
    changed_ = ::syscall(SYS_capset, &header_, lowered) == 0;
  }
  ~FileModesEnforced() {
    if (changed_) ::syscall(SYS_capset, &header_, saved_);
  }
  FileModesEnforced(const FileModesEnforced&) = delete;
  FileModesEnforced& operator=(const FileModesEnforced&) = delete;

 private:
  __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct saved_[2]{};
  bool changed_ = false;
};
