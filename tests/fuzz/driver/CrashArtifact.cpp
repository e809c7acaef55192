#include "CrashArtifact.h"

#include <fcntl.h>
#include <unistd.h>
#include <csignal>
#include <cstring>

// Present when the program is built with a sanitizer: called when it reports
// an error, before the process exits.
extern "C" void __sanitizer_set_death_callback(void (*callback)(void)) __attribute__((weak));

namespace qvc::fuzz {

namespace {

char g_path[4096];
const std::uint8_t* g_data = nullptr;
std::size_t g_size = 0;
volatile std::sig_atomic_t g_saved = 0;
// A stack overflow leaves no stack for the handler: it runs on this one.
char g_signalStack[1 << 16];

void say(const char* text) {
    const ssize_t ignored = ::write(2, text, std::strlen(text));
    (void)ignored;
}

// Only async-signal-safe calls: this runs inside signal handlers.
void saveInput() {
    if (g_saved || g_data == nullptr)
        return;
    g_saved = 1;
    const int fd = ::open(g_path, O_CREAT | O_WRONLY | O_TRUNC, 0644);
    if (fd < 0) {
        say("fuzz: could not save the failing input\n");
        return;
    }
    std::size_t done = 0;
    while (done < g_size) {
        const ssize_t n = ::write(fd, g_data + done, g_size - done);
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    say("fuzz: the failing input is saved in ");
    say(g_path);
    say("\n");
}

void onSignal(int signal) {
    saveInput();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void install(int signal) {
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_ONSTACK;
    sigaction(signal, &action, nullptr);
}

}  // namespace

void CrashArtifact::watch(const std::string& path) {
    std::strncpy(g_path, path.c_str(), sizeof g_path - 1);
    install(SIGABRT);
    if (&__sanitizer_set_death_callback != nullptr) {
        // The sanitizers handle the fatal signals and report first.
        __sanitizer_set_death_callback(saveInput);
    } else {
        stack_t stack{};
        stack.ss_sp = g_signalStack;
        stack.ss_size = sizeof g_signalStack;
        sigaltstack(&stack, nullptr);
        for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL})
            install(signal);
    }
}

void CrashArtifact::current(const std::uint8_t* data, std::size_t size) {
    g_data = data;
    g_size = size;
}

}  // namespace qvc::fuzz
