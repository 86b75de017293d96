#include "cli.h"
#include "install_translations.h"

#include "file_name.h"

#include <QCoreApplication>
#include <QStringList>

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// A batch allocates and frees the same blocks for every picture: the pictures, their
// exports and their encodings. Kept in the heap once freed, up to this size, they are taken
// again without the kernel mapping and clearing new pages each time.
void keep_freed_blocks()
{
#if defined(__GLIBC__)
    constexpr int kept_up_to = 64 << 20;
    mallopt(M_MMAP_THRESHOLD, kept_up_to);
    mallopt(M_TRIM_THRESHOLD, 4 * kept_up_to);
#endif
}

// Standard input, output and error closed when the program starts would be taken by the
// first files it opens, and a picture meant for standard output written into one of them.
// Each closed one is held by /dev/null opened the wrong way round, so that using it fails.
void hold_closed_standard_streams()
{
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) < 0) {
            const int held = ::open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY);
            if (held >= 0 && held != fd) {
                ::close(held);
            }
        }
    }
}

// The arguments as given: a file name that is not UTF-8 keeps its bytes.
QStringList arguments_of(int argc, char** argv)
{
    QStringList arguments;
    for (int k = 0; k < argc; ++k) {
        arguments << file_name_from_bytes(argv[k]);
    }
    return arguments;
}

} // namespace

int main(int argc, char** argv)
{
    hold_closed_standard_streams();
    // A reader that went away is a failed write, reported as such, not a silent end.
    ::signal(SIGPIPE, SIG_IGN);
    keep_freed_blocks();
    const QStringList arguments = arguments_of(argc, argv);
    QCoreApplication application(argc, argv);
    install_translations(application);
    return run_cli(arguments);
}
