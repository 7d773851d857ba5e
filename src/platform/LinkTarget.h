// The file a path names once symbolic links are followed, whether that file exists or
// not: a link to "new.txt" that is still to be made names "new.txt". A link's relative
// target is read from the link's own folder; chains are followed up to 40 links.
#pragma once

#include <string>

namespace traverse {

// path itself when it is no link (or on Windows, where the system resolves links);
// after 40 links, path unchanged (the system then reports the loop).
std::string LinkTarget(const std::string& path);

} // namespace traverse
