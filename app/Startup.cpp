#include "Startup.h"

#include "EndProgram.h"
#include "LinkLabel.h"
#include "WindowLook.h"
#include "frmMain.h"

std::int16_t intCoBrandRandomNumber = 0;

void CoBrand_Randomize(frmMain &form, RandomSource &random)
{
    intCoBrandRandomNumber = static_cast<std::int16_t>(random.between(1, 6));
    if (intCoBrandRandomNumber % 2 == 1)
        form.lblCobrand->raise();
    else
        form.lblFullBrand->raise();
}

frmMain *StartProgram(Platform platform, InstanceLock &instance)
{
    if (!instance.tryAcquire()) {
        platform.messages.information(QStringLiteral("Application is already running"), kApplicationTitle);
        EndProgram(platform.process);
        return nullptr;
    }
    platform.random.seedFromClock();
    auto *form = new frmMain(platform);
    form->show();
    look::Centre(form);
    CoBrand_Randomize(*form, platform.random);
    return form;
}
