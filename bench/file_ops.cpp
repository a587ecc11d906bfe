// Where an installed file's time goes, apart from inflating it: the file
// operations of one extraction, timed in-process under Wine, per file.
//   bench_file_ops FOLDER [FILES]
// Writes FILES small files (4 KB, default 45) each of several ways into
// fresh subfolders of FOLDER and prints the microseconds per file of each way.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "payload/file_replace.h"

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) * 1e6 / double(frequency.QuadPart);
}

std::vector<unsigned char> gData(4096, 0x5A);
FILETIME gStamp = {0x2A1B3C00, 0x01C6F3A1};

bool Plain(const std::string& path, bool stamp) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, gData.data(), DWORD(gData.size()), &written, nullptr) != FALSE;
    if (stamp) SetFileTime(file, nullptr, nullptr, &gStamp);
    return CloseHandle(file) && ok;
}

bool PlainStamped(const std::string& path) { return Plain(path, true); }
bool PlainOnly(const std::string& path) { return Plain(path, false); }

bool ViaPartialFile(const std::string& path) {
    const std::string partial = path + ".part";
    return Plain(partial, true) && MoveFileA(partial.c_str(), path.c_str());
}

bool Replace(const std::string& path) {
    return brimel::ReplaceFileContents(path.c_str(), gData.data(), DWORD(gData.size()), &gStamp);
}

bool ZoneQuery(const std::string&) {
    TIME_ZONE_INFORMATION tz;
    return GetTimeZoneInformation(&tz) != TIME_ZONE_ID_INVALID;
}

bool AttributeQuery(const std::string& path) {
    GetFileAttributesA(path.c_str());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_file_ops FOLDER [FILES]\n");
        return 2;
    }
    const std::string root = argv[1];
    const int files = argc > 2 ? std::atoi(argv[2]) : 45;
    struct Way {
        const char* name;
        bool (*write)(const std::string&);
        bool again;  // once more over the files just written
    } ways[] = {
        {"CreateFile+WriteFile+CloseHandle", PlainOnly, false},
        {"the same + SetFileTime", PlainStamped, false},
        {"the same + SetFileTime, to .part + MoveFile", ViaPartialFile, false},
        {"ReplaceFileContents, new file", Replace, false},
        {"ReplaceFileContents, over an existing file", Replace, true},
        {"GetTimeZoneInformation alone", ZoneQuery, false},
        {"GetFileAttributesA alone (missing file)", AttributeQuery, false},
    };
    const int wayCount = sizeof ways / sizeof ways[0];
    // The ways take turns file by file, so that the machine's other load
    // falls on all of them alike. A first pass, untimed, warms up the file
    // system's and Wine's caches.
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<std::string> folders;
        std::vector<double> spent(wayCount, 0.0);
        for (int w = 0; w < wayCount; ++w) {
            folders.push_back(root + "\\p" + std::to_string(pass) + "w" + std::to_string(w));
            CreateDirectoryA(folders.back().c_str(), nullptr);
            if (ways[w].again)
                for (int i = 0; i < files; ++i) ways[w].write(folders[w] + "\\f" + std::to_string(i) + ".bin");
        }
        for (int i = 0; i < files; ++i)
            for (int w = 0; w < wayCount; ++w) {
                const std::string path = folders[w] + "\\f" + std::to_string(i) + ".bin";
                const double start = Now();
                if (!ways[w].write(path)) {
                    std::fprintf(stderr, "%s failed\n", ways[w].name);
                    return 1;
                }
                spent[w] += Now() - start;
            }
        if (pass == 1)
            for (int w = 0; w < wayCount; ++w)
                std::printf("%8.1f us/file  %s\n", spent[w] / files, ways[w].name);
    }
    return 0;
}
