#include "framework/resource_string.h"

#include "framework/application.h"

namespace brimel {

std::string LoadResString(UINT id) {
    // String-table entries hold at most 4095 characters; take them whole.
    char buffer[4096];
    const int length = LoadStringA(ResourceInstance(), id, buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
}

}  // namespace brimel
