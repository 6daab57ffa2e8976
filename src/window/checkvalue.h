#pragma once
// Option check boxes hold the option's value: 0 clear, 1 set, 2 greyed (a stored 2 is kept and
// shown as a partly checked box until the user clicks it).

#include <cstdint>

class QCheckBox;

namespace kalvon {

// The box shows `value` without emitting its signals.
void showCheckValue(QCheckBox& box, int16_t value);
// After a click: the box is set or clear from now on, and that is its value.
int16_t clickedCheckValue(QCheckBox& box, bool checked);

} // namespace kalvon
