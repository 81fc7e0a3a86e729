// The configuration singletons (settings, model parameters, language texts) as one unit: the
// program deletes them together at shut-down, and the command-line tools and the test suites start
// and end a piece of work with none of them loaded.
#pragma once

#include <string>

namespace config {

// Deletes the three singletons; the next Instance() of each reads its file again.
void DeleteConfigurationSingletons();

// For the lifetime of a scope: no singleton is loaded at its start, and at its end, on every exit
// path, the singletons are deleted again. Given a folder, the scope also makes it the executable
// folder (empty: the program's own) and brings the program's own folder back at its end.
class ScopedConfiguration {
public:
    ScopedConfiguration();
    explicit ScopedConfiguration(const std::string& executableFolder);
    ~ScopedConfiguration();
    ScopedConfiguration(const ScopedConfiguration&) = delete;
    ScopedConfiguration& operator=(const ScopedConfiguration&) = delete;

private:
    bool overridesFolder_ = false;
};

}  // namespace config
