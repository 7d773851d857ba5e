// traverse-adjust-gui: loads libtraverse-adjust.so from the directory of this program,
// calls its entry and exits with the entry's result (2 after "退出", 255 when no
// window could be shown). Exit status 1 when the module or its entry is missing.
#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace {
constexpr const char* kModuleName = "libtraverse-adjust.so";
constexpr const char* kEntryName = "Kavrel";

std::string ProgramDirectory() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return "./";
    std::string full(path, static_cast<size_t>(n));
    return full.substr(0, full.rfind('/') + 1);
}
} // namespace

int main() {
    const std::string module = ProgramDirectory() + kModuleName;
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = dlerror();
        std::fprintf(stderr, "traverse-adjust-gui: 无法加载模块 %s\n  %s\n", module.c_str(),
                     why != nullptr ? why : "");
        return 1;
    }
    using Entry = int (*)();
    auto entry = reinterpret_cast<Entry>(dlsym(handle, kEntryName));
    if (entry == nullptr) {
        std::fprintf(stderr, "traverse-adjust-gui: 模块 %s 中没有入口 %s\n", module.c_str(),
                     kEntryName);
        return 1;
    }
    // The module stays loaded to the end: the libraries it brought in clean up at exit.
    return entry();
}
