#include "nicset/strings.h"

namespace nicset {

std::string FormatString(std::string_view format, std::initializer_list<std::string_view> texts) {
    std::string out;
    auto next = texts.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's') {
            if (next != texts.end()) out += *next++;
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

}  // namespace nicset
