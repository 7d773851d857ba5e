#include "platform/FileAttributes.h"

#include <cstring>
#include <string_view>
#include <vector>

#include <sys/acl.h>
#include <sys/xattr.h>

namespace traverse {

namespace {
// The value of one attribute; none when it cannot be read whole.
bool ReadAttribute(const std::string& from, const char* name, std::vector<char>& value) {
    const ssize_t size = ::getxattr(from.c_str(), name, nullptr, 0);
    if (size < 0) return false;
    value.resize(static_cast<size_t>(size));
    const ssize_t n = ::getxattr(from.c_str(), name, value.data(), value.size());
    if (n < 0) return false;
    value.resize(static_cast<size_t>(n));
    return true;
}

// The names of from's attributes, each ending in a zero byte; empty when none.
std::vector<char> AttributeNames(const std::string& from) {
    const ssize_t size = ::listxattr(from.c_str(), nullptr, 0);
    if (size <= 0) return {};
    std::vector<char> names(static_cast<size_t>(size));
    const ssize_t n = ::listxattr(from.c_str(), names.data(), names.size());
    names.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return names;
}
} // namespace

void CopyAccessControl(const std::string& from, int to) {
    acl_t acl = ::acl_get_file(from.c_str(), ACL_TYPE_ACCESS);
    if (acl == nullptr) return;
    ::acl_set_fd(to, acl);
    ::acl_free(acl);
}

void CopyExtendedAttributes(const std::string& from, int to) {
    const std::vector<char> names = AttributeNames(from);
    std::vector<char> value;
    for (size_t at = 0; at < names.size();) {
        const size_t length = ::strnlen(names.data() + at, names.size() - at);
        const std::string name(names.data() + at, length);
        at += length + 1;
        // The ACL travels through libacl above, which also keeps the mode consistent.
        if (std::string_view(name).starts_with("system.posix_acl_")) continue;
        if (ReadAttribute(from, name.c_str(), value))
            ::fsetxattr(to, name.c_str(), value.data(), value.size(), 0);
    }
}

} // namespace traverse
