// Linked into every test program: before main() runs, HOME and the XDG folders point into a
// fresh temporary folder, so nothing a test does (autostart entry, settings, documents, caches)
// can reach the real user's files. The folder is removed when the program ends.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {
struct IsolatedHome {
    std::string root;
    IsolatedHome() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tobrin-test-home-XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort(); // running with the real home is never an option
        root = pattern;
        const std::pair<const char*, const char*> folders[] = {
            {"HOME", ""},
            {"XDG_CONFIG_HOME", "/.config"},
            {"XDG_DATA_HOME", "/.local/share"},
            {"XDG_STATE_HOME", "/.local/state"},
            {"XDG_CACHE_HOME", "/.cache"},
        };
        for (const auto& [name, sub] : folders) {
            const std::string path = root + sub;
            std::filesystem::create_directories(path);
            setenv(name, path.c_str(), 1);
        }
        // A user-dirs.dirs of the real user would name documents folders outside; none here.
        unsetenv("XDG_CONFIG_DIRS");
    }
    ~IsolatedHome() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
};
const IsolatedHome isolatedHome;
} // namespace
