#pragma once
// The one rule every list's search box follows, so the same words find the same records everywhere.

#include <QString>
#include <initializer_list>

namespace search {

// Whether any of `fields` holds `wanted` (any part of it, without regard to case). Blanks around
// `wanted` do not count; an empty search matches everything.
bool matches(std::initializer_list<const QString *> fields, const QString &wanted);

} // namespace search
