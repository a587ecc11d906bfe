#include "sys/command_line.h"

#include <utility>

namespace brimel {

Array<String> ArgumentsAfterProgram(const char* commandLine) {
    Array<String> words;
    const char* p = commandLine != nullptr ? commandLine : "";
    while (*p != '\0') {
        while (*p == ' ' || *p == '\t') ++p;
        if (*p == '\0') break;
        String word;
        bool quoted = false;
        for (; *p != '\0' && (quoted || (*p != ' ' && *p != '\t')); ++p) {
            if (*p == '"')
                quoted = !quoted;
            else
                word.push_back(*p);
        }
        words.push_back(std::move(word));
    }
    Array<String> arguments;
    for (size_t i = 1; i < words.size(); ++i) arguments.push_back(words[i]);
    return arguments;
}

}  // namespace brimel
