#include "platform/loginstart.h"
#include "platform/windows/registryrunvalue.h"

#include <QDir>

namespace {

class RunValueLoginStart : public LoginStart {
public:
    void enable(const QString &program) override
    {
        RegistryRunValue::set(RegistryRunValue::command(QDir::toNativeSeparators(program).toStdWString()));
    }
    void disable() override { RegistryRunValue::remove(); }
};

} // namespace

std::unique_ptr<LoginStart> createLoginStart()
{
    return std::make_unique<RunValueLoginStart>();
}
