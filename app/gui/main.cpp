// traverse-adjust-gui [FILE]: loads libtraverse-adjust.so, calls its entry and exits with
// the entry's result (2 after "退出", 255 when no window could be shown). The module is
// looked for beside this program (a build folder), then in TA_MODULE_SUBDIR relative to
// it (an installed prefix: bin/ and lib/traverse-adjust/). A FILE is handed to the window
// in TRAVERSE_ADJUST_OPEN and imported when it opens. Exit status 1 when the module or its
// entry is missing or more than one file is given.
#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#ifndef TA_MODULE_SUBDIR
#define TA_MODULE_SUBDIR "../lib/traverse-adjust"
#endif

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

// The first place that holds the module, as a full path without "..": the window looks
// its diagrams up beside the module it runs from.
std::string FindModule() {
    const std::string dir = ProgramDirectory();
    for (const std::string& candidate :
         {dir + kModuleName, dir + TA_MODULE_SUBDIR "/" + kModuleName}) {
        char resolved[PATH_MAX];
        if (realpath(candidate.c_str(), resolved) != nullptr) return resolved;
    }
    return dir + kModuleName;
}
} // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        std::fputs("traverse-adjust-gui: 只能打开一个观测文件\n用法: traverse-adjust-gui [观测文件]\n",
                   stderr);
        return 1;
    }
    if (argc == 2) setenv("TRAVERSE_ADJUST_OPEN", argv[1], 1);
    const std::string module = FindModule();
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
