#include "common/themefile/thememessages.h"

#include "common/dialogs.h"

namespace kalvon::themefile {

Bytes missingThemeTypeMessage(BytesView themeFile)
{
    return "Could not load " + Bytes(themeFile) + ".\rLocation: Themetype";
}

Bytes resourceFileFailedMessage(BytesView archive)
{
    return "Could not load resource file " + Bytes(archive);
}

void showThemeError(Dialogs& dialogs, BytesView message)
{
    dialogs.messageBox(message, "Error", MessageIcon::Critical);
}

} // namespace kalvon::themefile
