#pragma once
// Every menu offers four packages of ten product slots: the template file's fields, the worksheet, the
// presentation, the stored deal and the printed page all have this shape, so it is said once, here.

namespace menu {
constexpr int Packages = 4;
constexpr int Slots = 10; // in each package
constexpr int AllSlots = Packages * Slots;
} // namespace menu
