#include "window/checkvalue.h"

#include <QCheckBox>
#include <QSignalBlocker>

namespace kalvon {

void showCheckValue(QCheckBox& box, int16_t value)
{
    const QSignalBlocker quiet(&box);
    box.setTristate(value == 2);
    box.setCheckState(value == 2 ? Qt::PartiallyChecked : value == 1 ? Qt::Checked : Qt::Unchecked);
}

int16_t clickedCheckValue(QCheckBox& box, bool checked)
{
    box.setTristate(false);
    return checked ? 1 : 0;
}

} // namespace kalvon
