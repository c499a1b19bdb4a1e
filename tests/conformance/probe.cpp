// A program that the conformance suites start: it appends one line to the file that
// CORVANE_PROBE_LOG names ("ran", then each argument after a unit separator, 0x1F), or with
// the single argument "wait" stays up for a minute so that others can find it.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "wait") == 0) {
        std::this_thread::sleep_for(std::chrono::minutes(1));
        return 0;
    }
    const char* log = std::getenv("CORVANE_PROBE_LOG");
    if (log == nullptr) {
        return 2;
    }
    std::FILE* file = std::fopen(log, "ab");
    if (file == nullptr) {
        return 3;
    }
    std::fputs("ran", file);
    for (int i = 1; i < argc; ++i) {
        std::fputc('\x1f', file);
        std::fputs(argv[i], file);
    }
    std::fputc('\n', file);
    std::fclose(file);
    return 0;
}
