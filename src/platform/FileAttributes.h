// Linux: what a replacement takes over from the file it replaces beyond the permission
// bits and the owner: the access control list and the extended attributes, as cp -p
// does. An attribute that cannot be read or set (no support, not allowed) is skipped.
#pragma once

#include <string>

namespace traverse {

// The access ACL of the file at from set on the open file to.
void CopyAccessControl(const std::string& from, int to);
// Every extended attribute of the file at from, but the ACL's own, set on to.
void CopyExtendedAttributes(const std::string& from, int to);

} // namespace traverse
