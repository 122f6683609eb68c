#include "FileNameConvention.h"

namespace imageio {

std::string BaseNameOf(std::string_view path)
{
    const std::size_t slash = path.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find('.');
    if (dot != std::string_view::npos)
        name = name.substr(0, dot);
    return std::string(name);
}

NameFields SplitFileName(std::string_view path)
{
    const std::string base = BaseNameOf(path);
    NameFields fields;
    std::string* targets[] = {nullptr, &fields.columns, &fields.rows};
    std::size_t start = 0;
    for (int field = 0; field < 3; ++field) {
        const std::size_t blank = base.find(' ', start);
        if (blank == std::string::npos) {
            if (field > 0)
                *targets[field] = base.substr(start);
            return fields;
        }
        if (field > 0)
            *targets[field] = base.substr(start, blank - start);
        start = blank + 1;
    }
    fields.spacingField = base.substr(start);
    return fields;
}

std::string SpacingText(std::string_view spacingField)
{
    std::string text(spacingField);
    const std::size_t p = text.find('p');
    if (p != std::string::npos)
        text[p] = '.';
    return text;
}

} // namespace imageio
