#include "config/ConfigurationScope.h"

#include "config/CTolvAppParam.h"
#include "config/CTolvLangText.h"
#include "config/CTolvPrnParam.h"
#include "platform/ModulePath.h"

namespace config {

void DeleteConfigurationSingletons() {
    CTolvAppParam::DeleteInstance();
    CTolvPrnParam::DeleteInstance();
    CTolvLangText::DeleteInstance();
}

ScopedConfiguration::ScopedConfiguration() {
    DeleteConfigurationSingletons();
}

ScopedConfiguration::ScopedConfiguration(const std::string& executableFolder) : overridesFolder_(true) {
    DeleteConfigurationSingletons();
    platform::OverrideExecutableFolder(executableFolder);
}

ScopedConfiguration::~ScopedConfiguration() {
    DeleteConfigurationSingletons();
    if (overridesFolder_) {
        platform::OverrideExecutableFolder("");
    }
}

}  // namespace config
