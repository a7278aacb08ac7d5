#include "sync_tool.h"

#include <cstdio>
#include <cstring>
#include <ctime>

int64_t MonotonicNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "drive") == 0)
        return Drive(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "listen") == 0)
        return Listen(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "reference") == 0)
        return Reference(argv[2]);
    std::fprintf(stderr, "usage: av_sync drive|reference|listen DIR\n");
    return 2;
}
