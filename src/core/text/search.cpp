#include "core/text/search.h"

namespace search {

bool matches(std::initializer_list<const QString *> fields, const QString &wanted) {
    const QString needle = wanted.trimmed();
    if (needle.isEmpty())
        return true;
    for (const QString *field : fields)
        if (field->contains(needle, Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace search
